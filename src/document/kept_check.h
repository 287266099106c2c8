// Whether a saved text reads back with each item and event where the save
// put it.
//
// The save writes every item and event as a piece of text that, read on its
// own, is that element: its kept text, lines merged into it and read back,
// or the writer's layout; and a function element read from several blocks
// as those blocks. In the whole text the reader reads a piece as what it
// was only where it cuts the text at the piece: the piece begins a block,
// and the block's own lines (an item's or event's place lines follow them;
// a function block has none) end where the piece ends. What stands around a piece can move those cuts: the
// blanks of an unfinished line in front of a new neighbour, blank lines
// that join a section header, a skip or an end in front of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/merx_base.h"

// Where the save put an item, an event or a function block as it was read
// (`element` is then its function element) in its text.
struct CWrittenPiece {
    const CMERX_base* element;
    uint32_t offset;
    uint32_t length;
};

// The indexes into `pieces` (in text order, none overlapping) of the pieces
// that `text` (zero-terminated, "\n" line ends) does not read back there,
// in order.
std::vector<size_t> FindMisreadPieces(const char* text, bool includeAsElement, const std::vector<CWrittenPiece>& pieces);
