// How a value text is kept on its line of a settings text.
//
// A backslash is written as two backslashes, a line feed as backslash "n",
// a tab as backslash "t"; every other byte, carriage return included, is
// written as it is, and a double-byte character is copied whole (its second
// byte is never escaped). A lead byte that stands alone before a tab keeps
// that tab unescaped, and one before a line feed is left out: the backslash
// of an escape behind it would become its second byte. (Read back, a value
// never holds a lead byte alone before a line feed.)
//
// Reading back, a backslash before a backslash, "n" or "t" gives the escaped
// byte; before any other character both are dropped, and a backslash that
// ends the text is dropped.
#pragma once

#include <cstdint>

#include "foundation/sjis.h"
#include "foundation/str_base.h"

template <unsigned N>
void AppendEscapedIniValue(CStr_base<N>& out, const char* value)
{
    const char* plain = value;  // start of the bytes not yet appended
    const char* p = value;
    while (*p) {
        if (SjisCharLength(p) == 2) {
            p += 2;
            continue;
        }
        const char* escape = nullptr;
        switch (*p) {
        case '\\': escape = "\\\\"; break;
        case '\n': escape = "\\n"; break;
        case '\t': escape = "\\t"; break;
        default:
            if (!IsSjisLeadByte(static_cast<unsigned char>(*p)) || (p[1] != '\n' && p[1] != '\t')) {
                ++p;
                continue;
            }
            if (p[1] == '\t') {
                p += 2;  // the lead byte and a plain tab
                continue;
            }
            escape = "";  // a lead byte before a line feed: dropped
        }
        out.Append(plain, static_cast<int32_t>(p - plain));
        out.Append(escape);
        plain = ++p;
    }
    out.Append(plain, static_cast<int32_t>(p - plain));
}

// Replaces the content of `out` with the value that `text` holds.
template <unsigned N>
void UnescapeIniValue(const char* text, CStr_base<N>& out)
{
    out.Truncate(0);
    const char* p = text;
    while (*p) {
        const char* plain = p;
        while (*p && *p != '\\')
            p += SjisCharLength(p);
        out.Append(plain, static_cast<int32_t>(p - plain));
        if (!*p)
            break;
        // A backslash is never a lead byte: it stands alone.
        switch (p[1]) {
        case '\\': out.Append('\\'); break;
        case 'n': out.Append('\n'); break;
        case 't': out.Append('\t'); break;
        case '\0': return;
        default: break;
        }
        p += 1 + SjisCharLength(p + 1);
    }
}
