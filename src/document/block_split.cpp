#include "document/block_split.h"

#include <cstring>

#include "document/function_keywords.h"
#include "document/line_scan.h"
#include "foundation/ascii_case.h"

const char* const kBlockPatternIncludeBlocks =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "INCLUDE%)%(IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";
const char* const kBlockPatternIncludeElements =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";

namespace {

// Whether a block keyword begins `text` (the text behind "@@"), case
// ignored: the alternatives of the block pattern after "@@".
bool BeginsWithBlockKeyword(const char* text, bool includeAsElement)
{
    static constexpr const char* kKeywords[] = {"DEFINE", "EVENT", "IF", "SETMACRO", "USEMACRO", "SKIP", "END"};
    static constexpr const char* kFunctions[] = {"ITEM", "EVENT", "UPDATE", "INIT",   "BUY",     "BASE",
                                                 "TURN", "CUSTOM", "NEW", "SHOPIN", "SHOPOUT", "SALE"};
    if (StartsWithNoCase(text, "ITEM") && !StartsWithNoCase(text + 4, "NO"))
        return true;
    if (!includeAsElement && StartsWithNoCase(text, "INCLUDE"))
        return true;
    for (const char* keyword : kKeywords) {
        if (StartsWithNoCase(text, keyword))
            return true;
    }
    if (StartsWithNoCase(text, "FUNC")) {
        for (const char* function : kFunctions) {
            if (StartsWithNoCase(text + 4, function))
                return true;
        }
    }
    return false;
}

// End of the block pattern's match at `p`, a character start before the end
// of the text. An "@@IF" line ends behind its line feed and the white space
// after it, or at the end of the text. Any other block takes at least the
// characters before `from` and ends behind the first line feed from `from`
// on that blanks and a block keyword (or the end of the text) follow, or at
// the end of the text.
uint32_t BlockEnd(const char* text, uint32_t length, uint32_t p, uint32_t from, bool includeAsElement)
{
    if (StartsWithNoCase(text + p, "@@IF")) {
        uint32_t end = FindCharByte(text, p + 4, length, '\n');
        if (end == length)
            return length;
        ++end;
        while (end < length && IsPatternWhiteSpace(text[end]))
            ++end;
        return end;
    }
    for (uint32_t lineFeed = FindCharByte(text, from, length, '\n'); lineFeed < length;
         lineFeed = FindCharByte(text, lineFeed + 1, length, '\n')) {
        uint32_t end = lineFeed + 1;
        while (end < length && (text[end] == '\t' || text[end] == ' '))
            ++end;
        if (end == length || (text[end] == '@' && text[end + 1] == '@' &&
                              BeginsWithBlockKeyword(text + end + 2, includeAsElement)))
            return end;
    }
    return length;
}

} // namespace

void SplitDataBlocks(const char* text, bool includeAsElement, CStrRegexHitList& blocks)
{
    blocks.RemoveAll();
    const uint32_t length = static_cast<uint32_t>(std::strlen(text));
    uint32_t p = 0;
    // The first line is searched as if a line feed stood before it: blanks
    // before a keyword on it are a block of their own, so that the keyword
    // starts its block here as it would on any later line.
    uint32_t keyword = 0;
    while (keyword < length && (text[keyword] == '\t' || text[keyword] == ' '))
        ++keyword;
    if (keyword > 0 && text[keyword] == '@' && text[keyword + 1] == '@' &&
        BeginsWithBlockKeyword(text + keyword + 2, includeAsElement)) {
        CStrRegexHitBufStruct* block = blocks.Add();
        block->offset = 0;
        block->length = keyword;
        p = keyword;
    }
    while (p < length) {
        // A block ends at the line feed before a keyword line only when at
        // least one character precedes that line feed, so a keyword on the
        // second line of a text that begins with a line feed would stay
        // hidden in the first block. Such a text is split as if one blank
        // stood in front, which counts to the first block.
        const uint32_t from = (p == 0 && text[0] == '\n') ? 0 : p + CharLengthIn(text, p, length);
        const uint32_t end = BlockEnd(text, length, p, from, includeAsElement);
        CStrRegexHitBufStruct* block = blocks.Add();
        block->offset = p;
        block->length = end - p;
        p = end;
    }
}

CBlockKind BlockKindOf(const char* block)
{
    if (StartsWithNoCase(block, "@@ITEM") && !StartsWithNoCase(block, "@@ITEMNO"))
        return CBlockKind::Item;
    if (StartsWithNoCase(block, "@@EVENT"))
        return CBlockKind::Event;
    for (const char* keyword : g_aszMerxFunctionKeywords) {
        if (StartsWithNoCase(block, keyword))
            return CBlockKind::Function;
    }
    if (StartsWithNoCase(block, "@@END") && !StartsWithNoCase(block, "@@ENDSKIP"))
        return CBlockKind::End;
    if (StartsWithNoCase(block, "@@DEFINE"))
        return CBlockKind::Define;
    if (StartsWithNoCase(block, "@@SKIP"))
        return CBlockKind::Skip;
    return CBlockKind::Other;
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
