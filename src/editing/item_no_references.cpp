#include "editing/item_no_references.h"

#include <cstring>

#include "foundation/sjis.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether "@@ITEMNO" in any letter case starts at `p`.
bool IsKeyword(const char* p)
{
    static const char kKeyword[] = "@@ITEMNO";
    for (uint32_t i = 0; kKeyword[i]; ++i) {
        char c = p[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != kKeyword[i])
            return false;
    }
    return true;
}

// The end of the comment line whose text starts at `line`, or null when
// the line is no comment line.
const char* CommentEnd(const char* line)
{
    while (IsBlank(*line))
        ++line;
    if (*line != '#')
        return nullptr;
    const char* end = std::strchr(line, '\n');
    return end ? end : line + std::strlen(line);
}

} // namespace

bool NextItemNoReference(const char* text, uint32_t& at, std::string_view& number)
{
    const char* p = text + at;
    if (p == text) {
        if (const char* end = CommentEnd(p))
            p = end;
    }
    while (*p) {
        if (*p == '\n') {
            if (const char* end = CommentEnd(p + 1)) {
                p = end;
                continue;
            }
        } else if (*p == '@' && IsKeyword(p)) {
            const char* q = p + 8;
            while (IsBlank(*q))
                ++q;
            if (*q == '"') {
                const char* first = ++q;
                while (*q && *q != '"' && *q != '\n')
                    q += SjisCharLength(q);
                if (*q == '"') {
                    number = std::string_view(first, static_cast<size_t>(q - first));
                    at = static_cast<uint32_t>(q + 1 - text);
                    return true;
                }
            }
        }
        p += SjisCharLength(p);
    }
    at = static_cast<uint32_t>(p - text);
    return false;
}
