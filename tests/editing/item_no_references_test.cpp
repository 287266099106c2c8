// The scan for item-number references against the reference pattern run by
// the pattern engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "../document/document_test_helpers.h"
#include "editing/item_no_references.h"
#include "pattern/regex_types.h"

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

// The engine's references in `text` read as if a line feed preceded it;
// false when one of them spans lines or takes the closing quote of an empty
// number as its first character.
bool EngineReferences(const std::string& text, std::vector<std::string>& numbers)
{
    CStrRegexHistory history;
    StrRegex(("\n" + text).c_str(), kItemNoReferencePattern, "gi", nullptr, &history);
    for (const CStrRegexMatchStruct& match : history) {
        if (match.GetCount() == 0)
            continue;  // a comment line
        const std::string number = match.GetAt(0)->GetBuffer();
        if (number.find('\n') != std::string::npos || number[0] == '"')
            return false;
        numbers.push_back(number);
    }
    return true;
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

TEST(ItemNoReferences, SameAsTheReferencePatternWhereNoCaptureSpansLines)
{
    // Generated texts of the pieces that matter, and the sample's scripts.
    const char* const pieces[] = {"@@ITEMNO\"12\"", "@@itemno \"\x82\xA0\"", "@@ITEMNO", "@@itemno", "@@ITEMN", "@",
                                  " ",  "\t", "\"", "12", "\n", "\r\n", "#", "x", "\x81", "\x82\xA0", "\x83\x5C", ";"};
    std::mt19937 random(17);
    std::vector<std::string> texts;
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (uint32_t k = random() % 14; k > 0; --k)
            text += pieces[random() % std::size(pieces)];
        texts.push_back(text);
    }
    dtest::Document doc;
    doc.Parse(dtest::SampleFile("inc-item-data.cgi"));
    for (const CMerxFieldElement* element : {static_cast<const CMerxFieldElement*>(doc.itemdata.GetAt(3)),
                                             static_cast<const CMerxFieldElement*>(doc.eventdata.GetAt(3))})
        for (const auto& [key, value] : element->fields)
            texts.emplace_back(value.GetBuffer());
    for (const auto& [keyword, block] : doc.singledata)
        texts.emplace_back(block.text.GetBuffer());

    uint32_t compared = 0, withReferences = 0;
    for (const std::string& text : texts) {
        std::vector<std::string> expected;
        if (!EngineReferences(text, expected))
            continue;
        const std::vector<std::string> scanned = Scanned(text);
        if (std::find(scanned.begin(), scanned.end(), "") != scanned.end())
            continue;  // an empty number, which the pattern would not leave empty
        ++compared;
        withReferences += !expected.empty();
        ASSERT_EQ(scanned, expected) << text;
    }
    EXPECT_GT(compared, 10000u);
    EXPECT_GT(withReferences, 1000u);
}
