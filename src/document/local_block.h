// Multi-line script values: the lines after a "_local_" value up to the
// closing "_local_" line.
#pragma once

#include "document/element_lines.h"

enum class LocalBlockOwner { Item, Use, Event };

// Reads the block that starts at the current line and consumes it with its
// closing line (or up to the end of the text). `value` holds the text the
// value begins with (nothing for items, "_local_" and CRLF for uses, the
// opening value and CRLF for events); the block's lines are appended, each
// but the last followed by CRLF, and the common indentation of the lines
// is removed behind every line feed of the whole value and, for items, at
// its start. Event lines first lose up to two leading white-space
// characters. A block without any line that holds more than blanks and tabs
// keeps its lines empty.
void ReadLocalBlock(CElementLines& lines, LocalBlockOwner owner, CMerxString& value);

// Consumes a block without keeping it.
void SkipLocalBlock(CElementLines& lines);

// Whether an event value opens a block: "_local_", optionally followed by a
// parenthesised text.
bool OpensEventLocalBlock(const CMerxString& value);
