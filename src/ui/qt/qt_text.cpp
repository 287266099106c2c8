#include "ui/qt/qt_text.h"

#include "foundation/sjis.h"

namespace {

// Steps over one character of `text` and the bytes it stands for.
void Step(QStringView text, std::string_view bytes, qsizetype& pos, size_t& offset, bool multiLine)
{
    const char16_t unit = text[pos].unicode();
    size_t width = 1;
    if (multiLine && unit == u'\n') {
        // CR LF in the bytes, or a lone line end the text was given with.
        width = offset + 1 < bytes.size() && bytes[offset] == '\r' && bytes[offset + 1] == '\n' ? 2 : 1;
        pos += 1;
    } else if (QChar::isHighSurrogate(unit) && pos + 1 < text.size() && QChar::isLowSurrogate(text[pos + 1].unicode())) {
        pos += 2;  // beyond CP932: refused, one "?"
    } else if (QChar::isSurrogate(unit)) {
        pos += 1;  // an escaped byte, or a lone surrogate refused as "?"
    } else {
        // A character stands for one byte or for a double-byte code.
        width = offset < bytes.size() ? SjisCharLength(bytes.data(), offset, bytes.size()) : 1;
        pos += 1;
    }
    offset += width;
}

}  // namespace

QString QtFromCp932(std::string_view bytes, bool multiLine)
{
    std::u16string units = Cp932ToUtf16(bytes);
    if (multiLine) {
        size_t out = 0;
        for (size_t i = 0; i < units.size(); ++i) {
            if (units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n')
                continue;
            units[out++] = units[i];
        }
        units.resize(out);
    }
    // Built from the units as they are: no check may turn an escape into U+FFFD.
    return QString(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size()));
}

CTypedCp932 QtToCp932(QStringView text, bool multiLine)
{
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
    if (!multiLine || units.find(u'\n') == std::u16string_view::npos)
        return TypedUtf16ToCp932(units);
    std::u16string crlf;
    crlf.reserve(units.size() + units.size() / 16);
    for (char16_t unit : units) {
        if (unit == u'\n')
            crlf.push_back(u'\r');
        crlf.push_back(unit);
    }
    return TypedUtf16ToCp932(crlf);
}

uint32_t QtPosFromOffset(QStringView text, std::string_view bytes, uint32_t offset, bool multiLine)
{
    qsizetype pos = 0;
    size_t at = 0;
    while (pos < text.size() && at < bytes.size()) {
        qsizetype nextPos = pos;
        size_t nextAt = at;
        Step(text, bytes, nextPos, nextAt, multiLine);
        if (nextAt > offset)
            break;
        pos = nextPos;
        at = nextAt;
    }
    return static_cast<uint32_t>(pos);
}

uint32_t QtOffsetFromPos(QStringView text, std::string_view bytes, uint32_t pos, bool multiLine)
{
    qsizetype at = 0;
    size_t offset = 0;
    while (at < text.size() && offset < bytes.size()) {
        qsizetype nextAt = at;
        size_t nextOffset = offset;
        Step(text, bytes, nextAt, nextOffset, multiLine);
        if (nextAt > static_cast<qsizetype>(pos))
            break;
        at = nextAt;
        offset = nextOffset;
    }
    return static_cast<uint32_t>(std::min(offset, bytes.size()));
}

QString QtWithoutMnemonics(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain;
}
