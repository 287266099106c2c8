#include "regex_reference.h"

#include <cstdint>

#include "foundation/ascii_case.h"
#include "foundation/sjis.h"

namespace {

size_t CharLength(const std::string& text, size_t p)
{
    return SjisCharLength(text.data(), p, text.size());
}

// Whether the text at p begins with the literal: byte for byte, or with
// "i" character by character, single-byte characters upper-cased and
// double-byte characters exact.
bool LiteralAt(const std::string& literal, const std::string& text, size_t p, bool ignoreCase)
{
    if (text.size() - p < literal.size())
        return false;
    for (size_t i = 0; i < literal.size();) {
        const size_t n = CharLength(literal, i);
        for (size_t k = i; k < i + n; ++k) {
            const bool same = n == 1 && ignoreCase ? AsciiUpper(literal[k]) == AsciiUpper(text[p + k])
                                                   : literal[k] == text[p + k];
            if (!same)
                return false;
        }
        i += n;
    }
    return true;
}

}  // namespace

bool ExpandTemplate(const std::string& replace, const Captures& captures, std::string* out)
{
    for (size_t i = 0; i < replace.size();) {
        const unsigned char c = static_cast<unsigned char>(replace[i]);
        if (c != '%') {
            const size_t n = CharLength(replace, i);
            out->append(replace, i, n);
            i += n;
            continue;
        }
        size_t j = i + 1;
        while (j < replace.size() && replace[j] >= '0' && replace[j] <= '9')
            ++j;
        const size_t digits = j - i - 1;
        if (j == replace.size() || digits > 9 || CharLength(replace, j) == 2)
            return false;
        const char letter = replace[j];
        if (letter == 'v' || letter == 'V') {
            if (digits == 0)
                return false;
            const uint64_t n = std::stoull(replace.substr(i + 1, digits));
            if (n < captures.size())
                out->append(captures[letter == 'v' ? n : captures.size() - 1 - n]);
        } else {
            out->push_back(letter);
        }
        i = j + 1;
    }
    return true;
}

std::vector<CStrRegexHitBufStruct> LiteralHits(const std::string& literal, const std::string& text,
                                               const std::string& options)
{
    const bool ignoreCase = options.find('i') != std::string::npos;
    const bool global = options.find('g') != std::string::npos;
    const bool stop = options.find('s') != std::string::npos;
    std::vector<CStrRegexHitBufStruct> hits;
    const size_t length = text.size();
    for (size_t p = 0; p <= length;) {
        if (!LiteralAt(literal, text, p, ignoreCase)) {
            if (stop || p == length)
                break;
            p += CharLength(text, p);
            continue;
        }
        hits.push_back({static_cast<uint32_t>(p), static_cast<uint32_t>(literal.size())});
        p += literal.size();
        if (!global)
            break;
        if (literal.empty()) {
            if (p == length)
                break;
            p += CharLength(text, p);
        }
    }
    return hits;
}