// Lines and characters of edit texts. A line ends at each line feed (CR LF
// ends a line with its LF); positions are byte offsets.
#pragma once

#include <cstdint>

// Number of lines: one more than the number of line feeds.
uint32_t UiLineCount(const char* text);
// Offset of the first character of line `line` (from 0); -1 when the text
// has fewer lines.
int32_t UiLineStart(const char* text, uint32_t line);
// The last character start at or before `pos` among the first `length`
// bytes of `text` (`pos` is taken as `length` when beyond it).
uint32_t UiCharStart(const char* text, uint32_t length, uint32_t pos);
// How many of the first `length` bytes of `text` fit into `room` bytes
// without cutting a double-byte character.
uint32_t UiFitText(const char* text, uint32_t length, uint32_t room);
