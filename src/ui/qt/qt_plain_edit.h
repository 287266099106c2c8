// The multi-line edit: a QPlainTextEdit with side margins and a limit on
// what a person can enter, counted in CP932 bytes (0 for none). Input
// methods work as in any QPlainTextEdit; only their committed text is
// held to the limit.
#pragma once

#include <QPlainTextEdit>
#include <cstdint>

class CQtPlainEdit final : public QPlainTextEdit {
public:
    explicit CQtPlainEdit(QWidget* parent) : QPlainTextEdit(parent) {}

    void SetMargins(int left, int right) { setViewportMargins(left, 0, right, 0); }
    void SetLimit(uint32_t limit) { m_nLimit = limit; }
    // Whether `bytes` more bytes may go in in place of the selection.
    bool Fits(uint32_t bytes) const;
    // Bytes that may still go in in place of the selection; UINT32_MAX
    // when there is no limit.
    uint32_t Room() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    uint32_t m_nLimit = 0;
};
