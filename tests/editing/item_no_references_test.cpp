// The scan for item-number references.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/item_no_references.h"

namespace {

std::vector<std::string> Scanned(const std::string& text)
{
    std::vector<std::string> numbers;
    uint32_t at = 0;
    std::string_view number;
    while (NextItemNoReference(text.c_str(), at, number))
        numbers.emplace_back(number);
    EXPECT_EQ(at, text.size());
    return numbers;
}

} // namespace

TEST(ItemNoReferences, NumbersOutsideCommentLinesOnOneLine)
{
    struct Case {
        const char* text;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {"$a=@@ITEMNO\"12\";", {"12"}},
        {"@@itemNo \t\"7\"+@@ITEMNO\"8\"", {"7", "8"}},
        {"# @@ITEMNO\"1\"", {}},                        // a comment on the first line
        {" \t#@@ITEMNO\"1\"\n@@ITEMNO\"2\"", {"2"}},
        {"a\r\n  # @@ITEMNO\"1\"\r\n#\n b(@@ITEMNO\"3\")", {"3"}},
        {"x; # @@ITEMNO\"4\"", {"4"}},                  // a "#" behind code hides nothing
        {"x(@@ITEMNO\"\");\ny(@@ITEMNO\"5\");", {"", "5"}},
        {"x(@@ITEMNO\"12);\ny(@@ITEMNO\"6\");", {"6"}},  // no closing quote on its line
        {"@@ITEMNO\"12", {}},
        {"@@ITEMNO 12\"", {}},
        {"@@ITEMNO\"\x8C\x95\"", {"\x8C\x95"}},         // 剣
        {"@@ITEMNO\"\x81\"", {"\x81"}},                 // a lead byte takes no quote with it
        {"@@@ITEMNO\"9\"@@ITEM\"1\"", {"9"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Scanned(c.text), c.numbers) << c.text;
}
