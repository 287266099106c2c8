#include "editing/find_methods.h"

#include <cstring>

#include "foundation/sjis.h"
#include "pattern/str_regex.h"

namespace {

bool AllStars(const char* wildcard)
{
    if (!*wildcard)
        return false;
    for (; *wildcard; ++wildcard)
        if (*wildcard != '*')
            return false;
    return true;
}

// Whether the piece `piece` (`n` bytes, no "*") matches at `at`; true with
// the end of the match. "?" takes one whole character; other bytes are
// compared as they stand.
bool PieceAt(const char* text, uint32_t length, const char* piece, uint32_t n, uint32_t at, uint32_t& end)
{
    for (uint32_t k = 0; k < n;) {
        if (piece[k] == '?') {
            if (at >= length)
                return false;
            at += static_cast<uint32_t>(SjisCharLength(text, at, length));
            ++k;
            continue;
        }
        uint32_t run = k;
        while (run < n && piece[run] != '?')
            ++run;
        const uint32_t bytes = run - k;
        if (bytes > length - at || std::memcmp(text + at, piece + k, bytes) != 0)
            return false;
        at += bytes;
        k = run;
    }
    end = at;
    return true;
}

// The earliest character start from `at` on (stepping from `at`) where the
// piece matches; true with the match's end.
bool FindPiece(const char* text, uint32_t length, const char* piece, uint32_t n, uint32_t at, uint32_t& end)
{
    for (;;) {
        if (PieceAt(text, length, piece, n, at, end))
            return true;
        if (at >= length)
            return false;
        at += static_cast<uint32_t>(SjisCharLength(text, at, length));
    }
}

} // namespace

CStr_base<64> FindOptionLetters(uint32_t mode)
{
    CStr_base<64> letters;
    if (mode & kFindOptionSerial)
        letters.Append("s");
    if (mode & kFindOptionIgnoreCase)
        letters.Append("i");
    if (mode & kFindOptionRepeat)
        letters.Append("g");
    return letters;
}

CStr_base<1024> UnescapeFindText(const char* text)
{
    CStr_base<1024> out;
    const uint32_t length = static_cast<uint32_t>(std::strlen(text));
    for (uint32_t at = 0; at < length;) {
        const uint32_t n = static_cast<uint32_t>(SjisCharLength(text, at, length));
        if (n == 2 || text[at] != '\\') {
            out.Append(text + at, static_cast<int32_t>(n));
            at += n;
            continue;
        }
        if (++at == length)
            break;
        switch (text[at]) {
        case '\\': out.Append("\\"); break;
        case 'n': out.Append("\n"); break;
        case 't': out.Append("\t"); break;
        default: break;
        }
        at += static_cast<uint32_t>(SjisCharLength(text, at, length));
    }
    return out;
}

CStr_base<1024> WildcardPattern(const char* wildcard)
{
    CStr_base<1024> pattern;
    for (const char* p = wildcard; *p; ++p) {
        switch (*p) {
        case '%': pattern.Append("%%"); break;
        case '*': pattern.Append("%+0j"); break;
        case '?': pattern.Append("%j"); break;
        default: pattern.Append(p, 1); break;
        }
    }
    return pattern;
}

CStr_base<1024> DoublePercents(const char* text)
{
    CStr_base<1024> out;
    for (const char* p = text; *p; ++p)
        out.Append(*p == '%' ? "%%" : p, *p == '%' ? 2 : 1);
    return out;
}

bool FindWildcard(const char* text, uint32_t length, const char* wildcard, uint32_t from, uint32_t& start,
                  uint32_t& end)
{
    const char* firstStar = std::strchr(wildcard, '*');
    const uint32_t firstLength =
        static_cast<uint32_t>(firstStar ? firstStar - wildcard : std::strlen(wildcard));
    for (uint32_t p = from; p <= length; p += static_cast<uint32_t>(SjisCharLength(text, p, length))) {
        uint32_t at = p;
        if (!PieceAt(text, length, wildcard, firstLength, p, at)) {
            if (p == length)
                return false;
            continue;
        }
        // Each later piece at its earliest place: if one is found nowhere,
        // no later start can do better.
        for (const char* piece = firstStar; piece;) {
            ++piece;
            const char* star = std::strchr(piece, '*');
            const uint32_t n = static_cast<uint32_t>(star ? star - piece : std::strlen(piece));
            if (n > 0 && !FindPiece(text, length, piece, n, at, at))
                return false;
            piece = star;
        }
        start = p;
        end = at;
        return true;
    }
    return false;
}

CFindQuery CFindQuery::FromMode(uint32_t mode, const char* search, const char* replacement)
{
    CFindQuery query;
    query.method = static_cast<int32_t>(mode & kFindMethodMask);
    if (query.method == kFindPattern) {
        query.search = UnescapeFindText(search);
        query.replacement = UnescapeFindText(replacement);
        query.options = FindOptionLetters(mode);
    } else {
        query.search.Assign(search);
        query.replacement.Assign(replacement);
    }
    return query;
}

int32_t CompareFindText(const CFindQuery& query, const char* text, uint32_t length)
{
    const char* search = query.search.GetBuffer();
    const uint32_t n = query.search.GetLength();
    switch (query.method) {
    case kFindExact:
        return length == n && std::memcmp(text, search, n) == 0;
    case kFindPrefix:
        return length >= n && std::memcmp(text, search, n) == 0;
    case kFindContains:
        return SjisFind(text, length, search, 0) >= 0;
    case kFindWildcard: {
        if (length == 0)
            return AllStars(search);
        uint32_t start = 0, end = 0;
        return n == 0 || AllStars(search) || FindWildcard(text, length, search, 0, start, end);
    }
    case kFindPattern: {
        const int32_t found = StrRegex(text, search, query.options.GetBuffer(), nullptr, nullptr, nullptr, {},
                                       query.budget);
        return found == kStrRegexStopped ? found : found > 0;
    }
    default:
        return 0;
    }
}

int32_t ReplaceFindText(const CFindQuery& query, CStr_base<16384>& text)
{
    const char* search = query.search.GetBuffer();
    const uint32_t n = query.search.GetLength();
    const uint32_t length = text.GetLength();
    switch (query.method) {
    case kFindExact:
        if (length != n || std::memcmp(text.GetBuffer(), search, n) != 0)
            return 0;
        text.Assign(query.replacement);
        return 1;
    case kFindPrefix: {
        if (length < n || std::memcmp(text.GetBuffer(), search, n) != 0)
            return 0;
        CStr_base<16384> out(query.replacement);
        out.Append(text.GetBuffer() + n, static_cast<int32_t>(length - n));
        text.Swap(out);
        return 1;
    }
    case kFindContains:
        return text.Replace(search, query.replacement.GetBuffer());
    case kFindWildcard: {
        // Stars alone match only empty texts, between every character:
        // nothing is replaced.
        if (n == 0 || AllStars(search))
            return 0;
        CStr_base<16384> out;
        int32_t count = 0;
        uint32_t done = 0, start = 0, end = 0;
        while (done < length && FindWildcard(text.GetBuffer(), length, search, done, start, end)) {
            out.Append(text.GetBuffer() + done, static_cast<int32_t>(start - done));
            out.Append(query.replacement);
            done = end;
            ++count;
        }
        if (count == 0)
            return 0;
        out.Append(text.GetBuffer() + done, static_cast<int32_t>(length - done));
        text.Swap(out);
        return count;
    }
    case kFindPattern:
        return text.Regex(search, query.options.GetBuffer(), nullptr, query.replacement.GetBuffer(), nullptr, 0,
                          nullptr, {}, query.budget);
    default:
        return 0;
    }
}
