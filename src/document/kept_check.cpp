#include "document/kept_check.h"

#include "document/block_split.h"
#include "document/place_lines.h"

std::vector<size_t> FindMisreadPieces(const char* text, bool includeAsElement, const std::vector<CWrittenPiece>& pieces)
{
    std::vector<size_t> misread;
    CStrRegexHitList blocks;
    SplitDataBlocks(text, includeAsElement, blocks);
    size_t next = 0;
    for (uint32_t i = 0; i < blocks.GetCount() && next < pieces.size(); ++i) {
        const char* start = text + blocks[i].offset;
        const CBlockKind kind = BlockKindOf(start);
        if (kind == CBlockKind::End)
            break; // what follows is no element
        if (kind == CBlockKind::Skip) {
            bool closed = false;
            i = FindSkipEnd(text, blocks, i, closed); // the pieces inside are hidden
            continue;
        }
        if (kind != CBlockKind::Item && kind != CBlockKind::Event && kind != CBlockKind::Function)
            continue;
        // A piece that no block began is part of another block.
        while (next < pieces.size() && pieces[next].offset < blocks[i].offset)
            misread.push_back(next++);
        if (next == pieces.size() || pieces[next].offset != blocks[i].offset)
            continue; // a keyword inside another element's text, which the save wrote as it holds it
        const CWrittenPiece& piece = pieces[next];
        bool read = false;
        switch (piece.element->GetKind()) {
        case CMERX_TYPE_ITEM:
            read = kind == CBlockKind::Item && FindPlaceLines(start, blocks[i].length) == piece.length;
            break;
        case CMERX_TYPE_EVENT:
            read = kind == CBlockKind::Event && FindPlaceLines(start, blocks[i].length) == piece.length;
            break;
        default: // a function block takes every line up to the next keyword
            read = kind == CBlockKind::Function && blocks[i].length == piece.length;
            break;
        }
        if (!read)
            misread.push_back(next);
        ++next;
    }
    while (next < pieces.size())
        misread.push_back(next++);
    return misread;
}
