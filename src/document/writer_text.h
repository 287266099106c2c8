// Building blocks of the data-file writer: the output text and the ways
// text enters it.
#pragma once

#include "foundation/str_array.h"
#include "foundation/str_base.h"

// The data text the writer builds; CRLF line ends throughout.
using CWriterText = CStr_base<16384>;

// Appends printf-style formatted text ("%s" copies its argument whole).
void AppendFormat(CWriterText& out, const char* format, ...);

// Appends a text kept with "\n" line ends as file lines: one trailing "\n"
// is dropped, every other "\n" becomes "\r\n" (double-byte characters are
// stepped over whole), and the last line gets its "\r\n".
void AppendLinesText(CWriterText& out, const char* text);

// Puts `text` in front of the first CRLF of `value`, or behind its end when
// it has none.
void InsertBeforeFirstLineEnd(CWriterText& value, const char* text);

// Whether `key` is one of `keys` (byte comparison).
bool ContainsKey(const CStrArray_base<64>& keys, const char* key);
