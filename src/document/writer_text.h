// Building blocks of the data-file writer: the output text and the ways
// text enters it.
#pragma once

#include <initializer_list>

#include "foundation/str_array.h"
#include "foundation/str_base.h"

// The data text the writer builds; CRLF line ends throughout.
using CWriterText = CStr_base<16384>;

// Appends the texts one after the other.
void AppendPieces(CWriterText& out, std::initializer_list<const char*> pieces);

// Removes every run of tabs that a CR or the end of the text follows: what
// replacing kTabsBeforeLineEndPattern (options "g") by nothing gives, without
// running it.
inline constexpr const char* kTabsBeforeLineEndPattern = "%/z\t%P\r";
void RemoveTabsBeforeLineEnds(CWriterText& text);

// Appends a text kept with "\n" line ends as file lines: one trailing "\n"
// is dropped, every other "\n" becomes "\r\n" (double-byte characters are
// stepped over whole), and the last line gets its "\r\n".
void AppendLinesText(CWriterText& out, const char* text);

// Puts `text` in front of the first CRLF of `value`, or behind its end when
// it has none.
void InsertBeforeFirstLineEnd(CWriterText& value, const char* text);

// Whether `key` is one of `keys` (byte comparison).
bool ContainsKey(const CStrArray_base<64>& keys, const char* key);
