#include "ui/edit_text.h"

#include "foundation/sjis.h"

uint32_t UiLineCount(const char* text)
{
    uint32_t lines = 1;
    for (const char* p = text; *p; ++p)
        lines += *p == '\n';
    return lines;
}

int32_t UiLineStart(const char* text, uint32_t line)
{
    const char* p = text;
    for (uint32_t n = 0; n < line; ++n) {
        while (*p && *p != '\n')
            ++p;
        if (!*p)
            return -1;
        ++p;
    }
    return static_cast<int32_t>(p - text);
}

uint32_t UiCharStart(const char* text, uint32_t length, uint32_t pos)
{
    if (pos >= length)
        return length;
    uint32_t at = 0;
    while (at < pos) {
        const uint32_t next = at + static_cast<uint32_t>(SjisCharLength(text + at));
        if (next > pos)
            break;
        at = next;
    }
    return at;
}

uint32_t UiFitText(const char* text, uint32_t length, uint32_t room)
{
    return room >= length ? length : UiCharStart(text, length, room);
}
