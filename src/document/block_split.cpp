#include "document/block_split.h"

#include <cstring>

#include "document/keyword_match.h"

namespace {

const char* const kBlocksWithIncludeBlocks =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "INCLUDE%)%(IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";
const char* const kBlocksWithIncludeElements =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";

} // namespace

void SplitDataBlocks(const char* text, bool includeAsElement, CStrRegexHitList& blocks)
{
    const char* pattern = includeAsElement ? kBlocksWithIncludeElements : kBlocksWithIncludeBlocks;
    CStrRegexHitList hits;
    // A block ends at the line feed before a keyword line only when at least
    // one character precedes that line feed, so a keyword on the second line
    // of a text that begins with a line feed would stay hidden in the first
    // block. Such a text is searched behind one blank, which counts to the
    // first block.
    uint32_t shift = 0;
    if (text[0] == '\n') {
        CStr_base<16384> padded(" ");
        padded += text;
        StrRegex(padded, pattern, "gi", nullptr, nullptr, &hits);
        shift = 1;
    } else {
        StrRegex(text, pattern, "gi", nullptr, nullptr, &hits);
    }

    // Each block runs from its start to the next block's start, so that no
    // byte of the text is lost even where the matches left a gap.
    blocks.RemoveAll();
    const uint32_t length = static_cast<uint32_t>(std::strlen(text));
    for (uint32_t i = 0; i < hits.GetCount(); ++i) {
        const uint32_t start = blocks.GetCount() ? hits[i].offset - shift : 0;
        if (blocks.GetCount() && start <= blocks.GetLast()->offset)
            continue;
        if (CStrRegexHitBufStruct* last = blocks.GetLast())
            last->length = start - last->offset;
        CStrRegexHitBufStruct* block = blocks.Add();
        block->offset = start;
        block->length = length - start;
    }
}

uint32_t FindSkipEnd(const char* text, const CStrRegexHitList& blocks, uint32_t first, bool& closed)
{
    uint32_t depth = 1;
    uint32_t last = first;
    while (depth > 0 && last + 1 < blocks.GetCount()) {
        const char* block = text + blocks[++last].offset;
        if (StartsWithNoCase(block, "@@SKIP"))
            ++depth;
        else if (StartsWithNoCase(block, "@@ENDSKIP"))
            --depth;
    }
    closed = depth == 0;
    return last;
}

bool IsUnclosedSkip(const char* text)
{
    if (!StartsWithNoCase(text, "@@SKIP"))
        return false;
    CStrRegexHitList blocks;
    SplitDataBlocks(text, true, blocks);
    bool closed = false;
    FindSkipEnd(text, blocks, 0, closed);
    return !closed;
}
