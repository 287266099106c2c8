#include "ui/qt/qt_text_limit.h"

#include "ui/edit_text.h"
#include "ui/qt/qt_text.h"

QString QtFitText(const QString& text, uint32_t room, bool multiLine)
{
    const std::string bytes = QtToCp932(text, multiLine).bytes;
    if (bytes.size() <= room)
        return text;
    const uint32_t fit = UiFitText(bytes.c_str(), static_cast<uint32_t>(bytes.size()), room);
    return text.left(QtPosFromOffset(text, bytes, fit, multiLine));
}

uint32_t QtByteLength(const QString& text, bool multiLine)
{
    return static_cast<uint32_t>(QtToCp932(text, multiLine).bytes.size());
}

QValidator::State CQtByteLimit::validate(QString& input, int& pos) const
{
    const uint32_t length = QtByteLength(input, false);
    if (length <= m_nLimit)
        return Acceptable;
    const QString before = input.left(pos);
    const uint32_t beforeLength = QtByteLength(before, false);
    const uint32_t excess = length - m_nLimit;
    if (excess > beforeLength)
        return Invalid;
    const QString kept = QtFitText(before, beforeLength - excess, false);
    input = kept + input.mid(pos);
    pos = static_cast<int>(kept.size());
    return Acceptable;
}
