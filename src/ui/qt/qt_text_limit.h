// The most bytes a person can enter into an edit: Qt counts characters,
// the layer counts CP932 bytes.
#pragma once

#include <QString>
#include <QValidator>
#include <cstdint>

// The first characters of `text` whose CP932 form (LF as CR LF when
// `multiLine`) fits into `room` bytes.
QString QtFitText(const QString& text, uint32_t room, bool multiLine);
// CP932 length of `text`, LF counted as CR LF when `multiLine`.
uint32_t QtByteLength(const QString& text, bool multiLine);

// For a single-line edit: an entry that would pass the limit is cut at the
// end of what was just typed or pasted.
class CQtByteLimit final : public QValidator {
public:
    CQtByteLimit(uint32_t limit, QObject* parent) : QValidator(parent), m_nLimit(limit) {}
    State validate(QString& input, int& pos) const override;

private:
    uint32_t m_nLimit;
};
