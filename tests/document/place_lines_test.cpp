// The lines behind an item or event that belong to its place in the file:
// where they begin, what the reader makes of them, and that a file read,
// written and read again gives the same elements with them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/place_lines.h"
#include "document_test_helpers.h"

using dtest::Document;

namespace {

// One letter per arrangement entry, as in the reader's tests, the function
// blocks and the definition left out: I item, E event, O other text.
std::string Elements(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata)
        if (element->GetKind() != CMERX_TYPE_SINGLE && element->GetKind() != CMERX_TYPE_DEFINE)
            out += "?IUEFOD"[element->GetKind()];
    return out;
}

// The other texts in arrangement order, joined by "|".
std::string Others(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata)
        if (element->GetKind() == CMERX_TYPE_OTHER)
            out += std::string(static_cast<const Cotherstruct*>(element)->text.GetBuffer()) + "|";
    return out;
}

struct PlaceCase {
    const char* name;
    std::string text;
    std::string elements;
    std::string others;
    std::string firstComments; // the comment-only lines of the first item or event
    std::string messages = "";
};

std::vector<PlaceCase> PlaceCases()
{
    return {
        {"ASectionHeaderBehindABlankLine", "@@ITEM\n\tno\t1\n\n# ==== head ====\n\n@@ITEM\n\tno\t2\n", "IOI",
         "\n# ==== head ====\n\n|", ""},
        {"CommentsDirectlyBehindTheLastLineStayTheItems",
         "@@ITEM\n\tno\t1\n\t# own\n# also own\n\n# head\n@@ITEM\n\tno\t2\n", "IOI", "\n# head\n|",
         "\t# own\r\n\t# also own\r\n"},
        {"TheLastUseKeepsItsCommentsToo", "@@ITEM\n\t@@USE\n\t\tname\tu\n\t\t# use's\n \t\n\t# head\n", "IO",
         " \t\n\t# head\n|", ""},
        {"AnEventsPlaceLines", "@@EVENT\n\tcode\te\n\t\tparam\tp 1\n\n# events\n@@EVENT\n\tcode\tf\n", "EOE",
         "\n# events\n|", ""},
        {"AClosedScriptEndsWithItsClosingLine", "@@ITEM\n\tfunct\t_local_\n\t\tx\n\n\t\t# c\n\t_local_\n\n# h\n",
         "IO", "\n# h\n|", ""},
        {"AnOpenScriptEndsBeforeThePlaceLines", "@@ITEM\n\tfunct\t_local_\n\t\tx\n\n\t\t# c\n", "IO",
         "\n\t\t# c\n|", ""},
        {"PlaceLinesJoinTheOtherTextBehindThem", "@@ITEM\n\tno\t1\n\n# h\n@@IF x\n@@ITEM\n", "IOI", "\n# h\n@@IF x\n|",
         ""},
        {"TheEndOfTheDataStaysApart", "@@ITEM\n\tno\t1\n\n# h\n@@END\n@@ITEM\n", "IOO",
         "\n# h\n|@@END\n@@ITEM\n|", ""},
        // The blanks of an indented keyword line start no place lines, and
        // join those that began before them.
        {"BlanksBeforeAKeywordStartNothing", "@@ITEM\n\tno\t1\n\t# c\n  @@ITEM\n", "II", "", "\t# c\r\n"},
        {"BlanksBeforeAKeywordJoinThePlaceLines", "@@ITEM\n\tno\t1\n\n# h\n  @@ITEM\n", "IOI", "\n# h\n  |", ""},
        {"TheLastLineWithoutLineEnd", "@@ITEM\n\tno\t1\n\n# tail", "IO", "\n# tail|", ""},
        {"ALineWithTextEndsThePlaceLinesThatBeganBefore", "@@ITEM\n\tno\t1\n\n# h\n\tname\tx\n# own\n", "I", "",
         "\t# h\r\n\t# own\r\n"},
        // A reported line is the item's: it stays in front of the place lines.
        {"AReportedLineIsTheItems", "@@ITEM\n\tno\t1\n\n\tbogus\n\n# h\n@@EVENT\n\tbad\t1\n", "IOE", "\n# h\n|", "",
         std::string(SJ("[4]：@@ITEM：要素名\"bogus\"は定義されていません。\n")) +
             SJ("[8]：@@EVENT：要素名\"bad\"は定義されていません。\n")},
    };
}

} // namespace

TEST(PlaceLines, WhereTheyBegin)
{
    const std::pair<std::string, size_t> cases[] = {
        {"@@ITEM\n\tno\t1\n\n# h\n", 13},
        {"@@ITEM\n\n", 8},                  // blank lines alone stay the item's
        {"@@ITEM\n\n# h\n", 7},
        {"@@ITEM\n \t\r\n# h\n", 7},          // a line of white space is blank
        {"@@ITEM\n \t\r\n", 11},
        {"@@ITEM # c\n", 11},
        {"@@ITEM\n", 7},
        {"@@ITEM", 6},
        {"@@ITEM\n\tno\t1\n\n\tx\x81\n", 18}, // a stray lead byte is text
        {"@@ITEM\n\n\t#\n\n#\n\t@@USE\n", 21},
        {"@@ITEM\n\t\x81#\n\n#\n", 11},         // "#" behind a lead byte is no comment
    };
    for (const auto& [block, place] : cases)
        EXPECT_EQ(FindPlaceLines(block.c_str(), static_cast<uint32_t>(block.size())), place) << block;
}

// What each text is read as (that its written text reads back as the same
// elements is the reader fuzz target's check, over a seed of each row).
TEST(PlaceLines, ReadAsOtherText)
{
    for (const PlaceCase& row : PlaceCases()) {
        SCOPED_TRACE(row.name);
        Document doc;
        EXPECT_EQ(doc.Parse(row.text), row.messages);
        EXPECT_EQ(Elements(doc), row.elements);
        EXPECT_EQ(Others(doc), row.others);
        const CMerxFieldElement* first = doc.itemdata.GetCount()
                                             ? static_cast<const CMerxFieldElement*>(doc.itemdata.GetAt(0))
                                             : doc.eventdata.GetAt(0);
        EXPECT_EQ(first->GetComment(""), row.firstComments);
    }
}
