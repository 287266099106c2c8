// Cutting a data text into its blocks.
#pragma once

#include "pattern/regex_types.h"

// The block pattern (options "gi"), with "@@include" lines as blocks of
// their own, and with includes as elements. Every position of a text
// starts a match, so the matches follow one another without gaps; the
// blocks are these matches, found by a scan written out by hand that gives
// the same matches (the tests run both).
extern const char* const kBlockPatternIncludeBlocks;
extern const char* const kBlockPatternIncludeElements;

// Offset and length of every block of `text`, in order; together they cover
// the whole text. A block begins at the start of the text and at every "@@"
// and block keyword that begins a line after optional blanks ("@@include"
// only when includes are no elements), also on the first line behind
// blanks and on the second line of a text that begins with a line feed; an
// "@@IF" line is a block of its own.
void SplitDataBlocks(const char* text, bool includeAsElement, CStrRegexHitList& blocks);

// What the reader makes of a block, by the keyword it begins with (any
// case; a function block by any of the twelve keywords, "@@ITEMNO" and
// "@@ENDSKIP" excepted). A definition is read only while none was seen;
// another one is other text.
enum class CBlockKind { Item, Event, Function, End, Define, Skip, Other };
CBlockKind BlockKindOf(const char* block);

// The block that ends the @@SKIP block `first`: the @@ENDSKIP that brings
// the nesting of @@SKIP and @@ENDSKIP blocks back to zero, or, when there is
// none, the last block (`closed` tells which).
uint32_t FindSkipEnd(const char* text, const CStrRegexHitList& blocks, uint32_t first, bool& closed);

// Whether `text` begins with a @@SKIP that is never closed: everything
// behind such a line is skipped to the end of the data.
bool IsUnclosedSkip(const char* text);
