// The "@@IF" lines that cut the arrangement into sections: which lines
// count, and which one a move between two positions passes first.
#include "document/condition_lines.h"

#include <gtest/gtest.h>

#include <string>

#include "../cp932_text.h"
#include "document_test_helpers.h"

namespace {

TEST(ConditionLines, ALineCountsWhenItBeginsWithIfAfterBlanksAndTabs)
{
    struct Case {
        std::string text;
        std::string first, last;
    };
    const Case cases[] = {
        {"@@IF\t$SEASON eq 'winter'\n", "@@IF\t$SEASON eq 'winter'", "@@IF\t$SEASON eq 'winter'"},
        {"# winter\n \t@@if x\n# more\n", "@@if x", "@@if x"},       // any case, behind blanks and tabs
        {"\n\n@@If\tend", "@@If\tend", "@@If\tend"},                  // after line feeds, no line feed at the end
        {"@@IF\tend\n# all year\n  @@IF\t$X\n", "@@IF\tend", "@@IF\t$X"},
        {"@@IFDEF\n", "@@IFDEF", "@@IFDEF"},
        {"# @@IF x\n", "", ""},                                       // behind a comment mark
        {"x @@IF\n", "", ""},
        {S("　@@IF x\n"), "", ""},                                    // a full-width blank is no blank
        {"@@I\nF x\n", "", ""},
        {"@@SETMACRO\tA\t@@IF\n", "", ""},
        {"@@END\n", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindConditionLine(c.text, false), c.first) << c.text;
        EXPECT_EQ(FindConditionLine(c.text, true), c.last) << c.text;
    }
    EXPECT_TRUE(IsConditionLine("\t\t@@iF"));
    EXPECT_FALSE(IsConditionLine("\t\t@@i"));
    EXPECT_FALSE(IsConditionLine(" \t "));
}

TEST(ConditionLines, AMoveNamesTheFirstLineItPasses)
{
    dtest::Document doc;
    ASSERT_EQ(doc.Parse("@@ITEM\n\tname\ta\n"
                        "@@IF\tw\n"
                        "@@ITEM\n\tname\tb\n"
                        "@@EVENT\n\tcode\te\n"
                        "@@IF\tend\n# all year\n@@IF\tx\n"
                        "@@ITEM\n\tname\tc\n"),
              "");
    auto At = [&](const CMERX_base* element) { return static_cast<uint32_t>(doc.FindInArrangement(element)); };
    const uint32_t a = At(doc.itemdata.GetAt(0)), b = At(doc.itemdata.GetAt(1)), c = At(doc.itemdata.GetAt(2));
    const uint32_t e = At(doc.eventdata.GetAt(0));
    ASSERT_LT(a, b);
    ASSERT_LT(b, e);
    ASSERT_LT(e, c);
    struct Case {
        uint32_t from, to;
        std::string line;
    };
    const Case cases[] = {
        {a, b, "@@IF\tw"},
        {b, a, "@@IF\tw"},
        {b, e, ""},          // the same section
        {e, b, ""},
        {a, a, ""},
        {e, c, "@@IF\tend"}, // going down, the text's first line
        {c, e, "@@IF\tx"},   // going up, its last line
        {a, c, "@@IF\tw"},   // the nearest text
        {c, a, "@@IF\tx"},
        {c, 1000, ""},       // beyond the end: nothing stands there
        {1000, a, "@@IF\tx"},
    };
    for (const Case& x : cases)
        EXPECT_EQ(ConditionLineBetween(doc, x.from, x.to), x.line) << x.from << "->" << x.to;
}

} // namespace
