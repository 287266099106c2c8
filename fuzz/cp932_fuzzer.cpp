// libFuzzer target for the CP932 conversions and the decision on typed
// text.
//
// Input: any bytes, taken three ways. As CP932 bytes, they must come back
// unchanged from every Unicode form, with nothing refused (a control the
// user left alone gives back what it was given). As UTF-8 typed text and as
// UTF-16 typed text (pairs of bytes, little-endian), the conversion must
// refuse the text exactly when one of its characters alone is refused,
// name each refused character once and write one "?" for each refused
// character met, so that no "?" appears that the text did not have while
// it counts as accepted; a character typed alone is refused by its own
// name, or reads back as itself (a variant of JIS text as the form CP932
// has for it). Command-line operands decide as the UTF-8 form
// does. As a file's native name, the input gets a path text only when that
// text names it again; otherwise the characters blamed are characters of
// it, each once. Split at its zero bytes into a text, a needle and a
// replacement, the string's search and replace find what a walk over the
// text's characters finds: never inside a double-byte character, every
// occurrence from left to right without rescanning what was put in. A failed
// check prints the input as a C string literal and aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/cp932_operand.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "foundation/sjis.h"
#include "foundation/str_base.h"
#include "fuzz_check.h"

namespace {

// The character a typed character reads back as: itself, or for a variant
// of JIS text the character CP932 has for it.
char32_t ReadBackAs(char32_t cp)
{
    const std::u32string variants = U"\u301C\u2016\u2212\u00A2\u00A3\u00AC\u2014\u00A6";
    const std::u32string forms = U"\uFF5E\u2225\uFF0D\uFFE0\uFFE1\uFFE2\u2015\uFFE4";
    const size_t variant = variants.find(cp);
    return variant == std::u32string::npos ? cp : forms[variant];
}

// What a typed text holds, code point by code point: the "?" it has of its
// own (a "?", or the escape of byte 0x3F) and the characters refused. A
// character typed alone is refused by its own name, or else reads back as
// itself (or as the form of its variant): no table maps a character to
// another behind the user's back.
struct Tally {
    size_t ownMarks = 0;
    size_t refusedMet = 0;

    void Add(char32_t cp)
    {
        if (cp == U'?' || cp == 0xDC00 + '?') {
            ++ownMarks;
            return;
        }
        const CTypedCp932 typed = TypedToCp932(std::u32string(1, cp));
        if (!typed.refused.empty()) {
            Expect(typed.refused == std::u32string(1, cp), "a character refused alone is named otherwise");
            ++refusedMet;
        } else if (!IsCp932ByteEscape(cp)) {
            Expect(Cp932ToUnicode(typed.bytes) == std::u32string(1, ReadBackAs(cp)),
                   "an accepted character reads back as another");
        }
    }
};

// One well-formed UTF-8 sequence at `at` (surrogates only as the escapes
// U+DC00..U+DCFF), as the conversion promises to read it; 0 for a byte
// that begins none and is taken raw.
size_t NextUtf8(const std::string& text, size_t at, char32_t& cp)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + at;
    const size_t left = text.size() - at;
    size_t length = 0;
    char32_t least = 0;
    if (p[0] < 0x80) {
        cp = p[0];
        return 1;
    }
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2, cp = p[0] & 0x1F, least = 0x80;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3, cp = p[0] & 0x0F, least = 0x800;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4, cp = p[0] & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF && !IsCp932ByteEscape(cp)))
        return 0;
    return length;
}

// The code points of `text` as NextUtf8 reads them, a raw byte as its escape.
std::u32string ReadUtf8(const std::string& text)
{
    std::u32string read;
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const size_t length = NextUtf8(text, i, cp);
        read.push_back(length ? cp : 0xDC00 + static_cast<unsigned char>(text[i]));
        i += length ? length : 1;
    }
    return read;
}

Tally TallyUtf8(const std::string& text)
{
    Tally tally;
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const size_t length = NextUtf8(text, i, cp);
        if (length == 0) {
            ++i;  // taken raw: 0x80 and above, no "?"
            continue;
        }
        tally.Add(cp);
        i += length;
    }
    return tally;
}

// A surrogate pair is one code point; any other unit is one.
Tally TallyUtf16(const std::u16string& text)
{
    Tally tally;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            tally.Add(0x10000 + (char32_t{unit} - 0xD800) * 0x400 + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            tally.Add(unit);
        }
    }
    return tally;
}

// What every typed conversion promises.
void ExpectTyped(const CTypedCp932& typed, const Tally& tally, const char* form)
{
    std::unordered_set<char32_t> seen;
    for (char32_t cp : typed.refused)
        Expect(seen.insert(cp).second, "a refused character is named twice");
    Expect(typed.refused.empty() == (tally.refusedMet == 0), form);
    Expect(static_cast<size_t>(std::count(typed.bytes.begin(), typed.bytes.end(), '?')) ==
               tally.ownMarks + tally.refusedMet,
           "a refused character is not one \"?\"");
}

// The search as a walk over the characters from `start`.
int32_t WalkFind(const std::string& text, const std::string& needle, size_t start)
{
    for (size_t p = start; p + needle.size() <= text.size(); p += SjisCharLength(text.data(), p, text.size())) {
        if (text.compare(p, needle.size(), needle) == 0)
            return static_cast<int32_t>(p);
    }
    return -1;
}

void CheckFindAndReplace(const std::string& input)
{
    const std::vector<std::string> parts = FuzzParts(input, 3);
    const std::string& text = parts[0];
    const std::string& needle = parts[1];
    if (needle.empty())
        return;
    CStr_base<64> s(text.c_str());
    for (int32_t start = 0; start < 3; ++start)
        Expect(s.Find(needle.c_str(), start) == WalkFind(text, needle, static_cast<size_t>(start)),
               "a search finds otherwise than a walk over the characters");
    std::string expected;
    int32_t count = 0;
    size_t done = 0;
    for (int32_t at = WalkFind(text, needle, 0); at >= 0; at = WalkFind(text, needle, done), ++count) {
        expected += text.substr(done, at - done) + parts[2];
        done = at + needle.size();
    }
    expected += text.substr(done);
    Expect(s.Replace(needle.c_str(), parts[2].c_str()) == count &&
               std::string(s.GetBuffer(), s.GetLength()) == expected,
           "a replace replaces otherwise than a walk over the characters finds");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("cp932_fuzzer", &input);

    for (const CTypedCp932& back : {TypedToCp932(Cp932ToUnicode(input)), TypedUtf8ToCp932(Cp932ToUtf8(input)),
                                    TypedUtf16ToCp932(Cp932ToUtf16(input))})
        Expect(back.bytes == input && back.refused.empty(), "CP932 bytes do not come back unchanged");

    const CTypedCp932 utf8 = TypedUtf8ToCp932(input);
    ExpectTyped(utf8, TallyUtf8(input), "UTF-8 refusal out of step");
    std::string problem;
    const std::optional<std::string> operand = Cp932Operand(input, problem);
    Expect(operand ? *operand == utf8.bytes && problem.empty() : !utf8.refused.empty() && !problem.empty(),
           "an operand is decided otherwise than its text");

    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const CTypedCp932 utf16 = TypedUtf16ToCp932(units);
    ExpectTyped(utf16, TallyUtf16(units), "UTF-16 refusal out of step");

    const std::u32string read = ReadUtf8(input);
    Expect(Utf8ToUnicode(input) == read, "UTF-8 code points read otherwise than typed text is");
    std::u32string unfit;
    if (const std::optional<CStr_base<64>> path = ExactPathText(input, unfit))
        Expect(NativePath(path->GetBuffer()) == input, "a path text names another file");
    const std::unordered_set<char32_t> inRead(read.begin(), read.end());
    std::unordered_set<char32_t> blamed;
    for (char32_t cp : unfit)
        Expect(blamed.insert(cp).second && !IsCp932ByteEscape(cp) && inRead.count(cp) != 0,
               "a character blamed for a name is named twice or is none of it");
    CheckFindAndReplace(input);
    return 0;
}
