#include "cli/escape_text.h"

#include "cli/cp932_operand.h"
#include "foundation/cp932.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The UTF-8 character that starts at `at` (a single byte if it starts none).
std::string_view Utf8CharAt(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.substr(at, length);
}

void AppendHexByte(std::string& out, unsigned char byte)
{
    static const char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

}  // namespace

std::optional<std::string> ReadEscapedArgument(std::string_view utf8, std::string& error)
{
    std::string bytes;
    std::u32string refused;
    // The text between escapes, converted; what it refuses is collected.
    auto plain = [&](std::string_view text) {
        const CTypedCp932 typed = TypedUtf8ToCp932(text);
        bytes += typed.bytes;
        for (char32_t cp : typed.refused)
            if (refused.find(cp) == std::u32string::npos)
                refused.push_back(cp);
    };
    size_t plainFrom = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\\')
            continue;
        plain(utf8.substr(plainFrom, i - plainFrom));
        if (i + 1 == utf8.size()) {
            error = "a backslash at the end starts no escape (write \\\\ for a backslash)";
            return std::nullopt;
        }
        const char letter = utf8[++i];
        switch (letter) {
        case '\\':
        case '"':
            bytes += letter;
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            const int high = i + 1 < utf8.size() ? HexValue(utf8[i + 1]) : -1;
            const int low = i + 2 < utf8.size() ? HexValue(utf8[i + 2]) : -1;
            if (high < 0 || low < 0) {
                error = "\\x needs two hex digits";
                return std::nullopt;
            }
            if (high == 0 && low == 0) {
                error = "\\x00 cannot be used: the engine's texts end at the first zero byte";
                return std::nullopt;
            }
            bytes += static_cast<char>(high << 4 | low);
            i += 2;
            break;
        }
        default:
            error = "unknown escape \\" + std::string(Utf8CharAt(utf8, i));
            return std::nullopt;
        }
        plainFrom = i + 1;
    }
    plain(utf8.substr(plainFrom));
    if (!refused.empty()) {
        error = "holds characters that CP932 cannot hold: " + DescribeRefusedChars(refused);
        return std::nullopt;
    }
    return bytes;
}

std::string QuoteCp932(std::string_view bytes)
{
    std::string out = "\"";
    for (char32_t cp : Cp932ToUnicode(bytes)) {
        switch (cp) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (cp < 0x20 || cp == 0x7F)
                AppendHexByte(out, static_cast<unsigned char>(cp));
            else if (IsCp932ByteEscape(cp))
                AppendHexByte(out, static_cast<unsigned char>(cp & 0xFF));
            else
                AppendUtf8(out, cp);
        }
    }
    out += '"';
    return out;
}
