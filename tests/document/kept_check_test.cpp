// Whether a saved text reads back with each item and event where the save
// put it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/event_struct.h"
#include "document/item_struct.h"
#include "document/kept_check.h"
#include "document/single_struct.h"

namespace {

Citemstruct g_item;
Ceventstruct g_event;
Csinglestruct g_function;

// A piece of `element` at the first occurrence of `piece` in `text`.
CWrittenPiece At(const std::string& text, const std::string& piece, const CMERX_base& element = g_item)
{
    return {&element, static_cast<uint32_t>(text.find(piece)), static_cast<uint32_t>(piece.size())};
}

} // namespace

TEST(KeptCheck, PiecesTheReaderDoesNotCutWhereTheyStandAreMisread)
{
    const std::string two = "# top\n@@ITEM\nname a\n\n  @@EVENT\ncode e\n";
    const std::string placed = "@@ITEM\nname a\n\n# head\n@@ITEM\nname b\n";
    const std::string joined = "@@ITEM\nname a\nx @@ITEM\nname b\n";
    const std::string skipped = "@@SKIP\n@@ITEM\nname a\n@@ENDSKIP\n@@ITEM\nname b\n";
    const std::string ended = "@@ITEM\nname a\n@@END\n@@ITEM\nname b\n";
    const std::string part = "@@FUNCITEM\na\n@@ITEM\nname a\n\n# c\n@@FUNCITEM\nb\n\n# d\n";
    const struct {
        const char* name;
        std::string text;
        std::vector<CWrittenPiece> pieces;
        std::vector<size_t> misread;
    } cases[] = {
        {"as read", two, {At(two, "@@ITEM\nname a\n\n  "), At(two, "@@EVENT\ncode e\n", g_event)}, {}},
        {"an event read as an item", two, {At(two, "@@ITEM\nname a\n\n  "), At(two, "@@EVENT\ncode e\n")}, {1}},
        {"blanks before the keyword left to the next", two,
         {At(two, "@@ITEM\nname a\n\n"), At(two, "@@EVENT\ncode e\n", g_event)}, {0}},
        {"place lines in the piece", placed, {At(placed, "@@ITEM\nname a\n\n# head\n"), At(placed, "@@ITEM\nname b\n")}, {0}},
        {"place lines behind it", placed, {At(placed, "@@ITEM\nname a\n"), At(placed, "@@ITEM\nname b\n")}, {}},
        {"a keyword behind text on its line", joined,
         {At(joined, "@@ITEM\nname a\nx "), At(joined, "@@ITEM\nname b\n")}, {0, 1}},
        {"inside a skip", skipped, {At(skipped, "@@ITEM\nname a\n"), At(skipped, "@@ITEM\nname b\n")}, {0}},
        {"behind the end", ended, {At(ended, "@@ITEM\nname a\n"), At(ended, "@@ITEM\nname b\n")}, {1}},
        {"function blocks up to the next keyword", part,
         {At(part, "@@FUNCITEM\na\n", g_function), At(part, "@@ITEM\nname a\n"), At(part, "@@FUNCITEM\nb\n\n# d\n", g_function)},
         {}},
        {"a function block that takes the lines behind it", part,
         {At(part, "@@FUNCITEM\na\n", g_function), At(part, "@@ITEM\nname a\n"), At(part, "@@FUNCITEM\nb\n", g_function)},
         {2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindMisreadPieces(c.text.c_str(), false, c.pieces), c.misread) << c.name;
}
