#include "foundation/cp932.h"

#include <iconv.h>

#include <cstdint>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "foundation/sjis.h"

namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // U+DC00 + byte stands for a raw byte

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// One glibc iconv descriptor, used only while the tables are built.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~IconvConverter() { iconv_close(m_cd); }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // Converts all n input bytes from a fresh state; returns the number of
    // bytes written to out, or -1 when the input does not convert whole.
    int Convert(const char* in, size_t n, char* out, size_t capacity)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t inLeft = n, outLeft = capacity;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return -1;
        if (iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return -1;
        return static_cast<int>(capacity - outLeft);
    }

private:
    iconv_t m_cd;
};

// Code points that converters of JIS text give for a character that CP932
// decodes to another code point, and that other code point: the same JIS
// character either way.
constexpr std::pair<char16_t, char16_t> kVariants[] = {
    {0x301C, 0xFF5E},  // wave dash, full-width tilde
    {0x2016, 0x2225},  // double vertical line, parallel to
    {0x2212, 0xFF0D},  // minus sign, full-width hyphen-minus
    {0x00A2, 0xFFE0},  // cent sign
    {0x00A3, 0xFFE1},  // pound sign
    {0x00AC, 0xFFE2},  // not sign
    {0x2014, 0x2015},  // em dash, horizontal bar
    {0x00A6, 0xFFE4},  // broken bar
};

// A CP932 code as a number: a single byte b is b, a double-byte character
// is lead * 256 + trail. Both tables use 0 for "none"; the only character
// with code or code point 0 is NUL, which never reaches them (ASCII is
// converted without the tables).
struct Cp932Tables {
    char16_t decode[0x10000] = {};  // code -> code point
    uint16_t encode[0x10000] = {};  // BMP code point -> code

    Cp932Tables()
    {
        IconvConverter toUnicode("UTF-32BE", "CP932");
        IconvConverter fromUnicode("CP932", "UTF-32BE");

        // Characters: every code that decodes to one code point which
        // encodes back to the same code.
        for (uint32_t code = 0x80; code < 0x10000; ++code) {
            const unsigned lead = code >> 8, last = code & 0xFF;
            const bool single = lead == 0;
            if (single ? IsSjisLeadByte(static_cast<unsigned char>(last))
                       : !IsSjisPair(static_cast<char>(lead), static_cast<char>(last)))
                continue;
            const char bytes[2] = {static_cast<char>(single ? last : lead), static_cast<char>(last)};
            const size_t length = single ? 1 : 2;
            char wide[8];
            if (toUnicode.Convert(bytes, length, wide, sizeof wide) != 4)
                continue;
            const char32_t cp = ReadUtf32Be(wide);
            if (cp > 0xFFFF || IsSurrogate(cp) || EncodeWithIconv(fromUnicode, cp) != code)
                continue;
            decode[code] = static_cast<char16_t>(cp);
            encode[cp] = static_cast<uint16_t>(code);
        }
        // The variants, where CP932 has the character they stand for.
        for (const auto& [variant, cp932Form] : kVariants)
            encode[variant] = encode[cp932Form];
    }

    static char32_t ReadUtf32Be(const char* p)
    {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        return (char32_t{u[0]} << 24) | (char32_t{u[1]} << 16) | (char32_t{u[2]} << 8) | char32_t{u[3]};
    }

    // The code iconv writes for cp, or 0 when it has none.
    static uint16_t EncodeWithIconv(IconvConverter& fromUnicode, char32_t cp)
    {
        const char wide[4] = {static_cast<char>(cp >> 24), static_cast<char>(cp >> 16),
                              static_cast<char>(cp >> 8), static_cast<char>(cp)};
        unsigned char out[8];
        switch (fromUnicode.Convert(wide, 4, reinterpret_cast<char*>(out), sizeof out)) {
        case 1:
            return out[0];
        case 2:
            return static_cast<uint16_t>(out[0] << 8 | out[1]);
        default:
            return 0;
        }
    }
};

const Cp932Tables& Tables()
{
    static const Cp932Tables tables;
    return tables;
}

// Calls emit(code point) for each character of bytes, escapes included.
template <class Emit>
void DecodeCp932(std::string_view bytes, Emit&& emit)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    const Cp932Tables* tables = nullptr;
    for (size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            emit(char32_t{c});
            ++i;
            continue;
        }
        if (!tables)
            tables = &Tables();
        if (SjisCharLength(bytes.data(), i, n) == 2) {
            const unsigned char trail = p[i + 1];
            if (const char16_t cp = tables->decode[c << 8 | trail]) {
                emit(char32_t{cp});
            } else {
                emit(kEscapeBase + c);
                emit(kEscapeBase + trail);
            }
            i += 2;
            continue;
        }
        const char16_t cp = tables->decode[c];
        emit(cp ? char32_t{cp} : kEscapeBase + c);
        ++i;
    }
}

// Appends the CP932 code of cp; false, with "?" appended in its place,
// when cp is refused.
bool AppendCp932(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
        return true;
    }
    if (IsCp932ByteEscape(cp)) {
        out.push_back(static_cast<char>(cp - kEscapeBase));
        return true;
    }
    const uint16_t code = cp <= 0xFFFF ? Tables().encode[cp] : 0;
    if (code == 0) {
        out.push_back('?');
        return false;
    }
    if (code <= 0xFF) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
    return true;
}

// Collects the CP932 form of a typed text character by character.
class CTypedBuilder {
public:
    explicit CTypedBuilder(size_t units) { m_result.bytes.reserve(units); }

    void Add(char32_t cp)
    {
        if (!AppendCp932(m_result.bytes, cp) && m_seen.insert(cp).second)
            m_result.refused.push_back(cp);
    }
    void AddByte(char byte) { m_result.bytes.push_back(byte); }
    CTypedCp932 Take() { return std::move(m_result); }

private:
    CTypedCp932 m_result;
    std::unordered_set<char32_t> m_seen;
};

// Length of the well-formed UTF-8 sequence at p (at most n bytes) and its
// code point; 0 when p does not begin one. The three-byte forms of the
// escapes U+DC00..U+DCFF count as well-formed; other surrogates do not.
size_t ReadUtf8(const unsigned char* p, size_t n, char32_t* cp)
{
    const unsigned char c = p[0];
    if (c < 0x80) {
        *cp = c;
        return 1;
    }
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (n < length || p[1] < low || p[1] > high)
        return 0;
    char32_t value = c & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        value = value << 6 | (p[k] & 0x3F);
    }
    if (IsSurrogate(value) && !IsCp932ByteEscape(value))
        return 0;
    *cp = value;
    return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF)
        cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | cp >> 6));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | cp >> 12));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | cp >> 18));
        out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::u32string Cp932ToUnicode(std::string_view bytes)
{
    std::u32string out;
    out.reserve(bytes.size());
    DecodeCp932(bytes, [&out](char32_t cp) { out.push_back(cp); });
    return out;
}

CTypedCp932 TypedToCp932(std::u32string_view text)
{
    CTypedBuilder builder(text.size());
    for (char32_t cp : text)
        builder.Add(cp);
    return builder.Take();
}

std::string Cp932ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    DecodeCp932(bytes, [&out](char32_t cp) { AppendUtf8(out, cp); });
    return out;
}

CTypedCp932 TypedUtf8ToCp932(std::string_view utf8)
{
    CTypedBuilder builder(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0, n = utf8.size(); i < n;) {
        char32_t cp;
        if (const size_t length = ReadUtf8(p + i, n - i, &cp)) {
            builder.Add(cp);
            i += length;
        } else {
            builder.AddByte(static_cast<char>(p[i]));
            ++i;
        }
    }
    return builder.Take();
}

std::string Utf8ToCp932(std::string_view utf8) { return TypedUtf8ToCp932(utf8).bytes; }

std::u32string Utf8ToUnicode(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0, n = utf8.size(); i < n;) {
        char32_t cp;
        if (const size_t length = ReadUtf8(p + i, n - i, &cp)) {
            out.push_back(cp);
            i += length;
        } else {
            out.push_back(kEscapeBase + p[i]);
            ++i;
        }
    }
    return out;
}

std::u16string Cp932ToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    DecodeCp932(bytes, [&out](char32_t cp) { out.push_back(static_cast<char16_t>(cp)); });
    return out;
}

CTypedCp932 TypedUtf16ToCp932(std::u16string_view text)
{
    CTypedBuilder builder(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            builder.Add(0x10000 + (char32_t{unit} - 0xD800) * 0x400 + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            builder.Add(unit);
        }
    }
    return builder.Take();
}
