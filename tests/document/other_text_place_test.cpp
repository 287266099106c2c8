// An other text is judged with its neighbours in the file, as the reopen
// reads them, and on stand-in copies: the document is never changed.
#include "document/other_text_place.h"

#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

namespace {

// 0 "# head", 1 the item, 2 the @@IF x line with the skipped part and the
// comment behind it, 3 the definition, 4 @@FUNCITEM, 5 the @@IF y line, the
// function blocks the reader puts before the end, and last the @@END text.
const char kData[] = "# head\n"
                     "@@ITEM\n\tno\t1\n"
                     "@@IF x\n@@SKIP\nskipped\n@@ENDSKIP\n# after the skip\n\n"
                     "@@DEFINE\n"
                     "@@FUNCITEM\nsub a {}\n"
                     "@@IF y\n"
                     "@@END\ntail\n";

struct PlaceCase {
    const char* name;
    uint32_t other; // index in otherdata
    const char* text;
    bool standsApart;
};

} // namespace

TEST(OtherTextPlace, ATextIsReadWithItsNeighboursAsTheReopenReadsThem)
{
    const PlaceCase cases[] = {
        // Blanks before a keyword belong to the block before it on reopen,
        // also when that block is another text.
        {"BlanksBeforeTheEndJoinTheTextBefore", 3, "  @@END\ntail\n", false},
        {"BlanksBeforeALineAfterAFunctionJoinIt", 2, "  @@IF y\n", false},
        {"ALineFeedBeforeAKeywordJoinsTheBlockBefore", 2, "\n@@IF y\n", false},
        {"ACommentInFrontJoinsTheItem", 1, "# note\n@@IF x\n", false},
        // Behind an item, a blank line begins the lines of the place.
        {"ABlankLineAndCommentsBehindAnItemStandApart", 1, "\n# note\n\n@@IF x\n", true},
        {"ASectionHeaderAloneBehindAnItem", 1, "\n# ==== section ====\n", true},
        {"TextAfterTheBlankLineJoinsTheItem", 1, "\n# note\nno 2\n", false},
        {"ANewTail", 3, "@@END\nnew tail\n", true},
        {"TheEndAlone", 3, "@@END\n", true},
        {"ANewLine", 2, "@@IF z\n# note\n", true},
        {"TrailingBlanksStayWithTheText", 1, "@@IF x\n\n  ", true},
        {"ASecondDefinitionBehindTheFirstIsText", 2, "@@DEFINE\nx\n", true},
        {"TheFirstTextHasNothingBeforeIt", 0, "  # head\n\n", true},
    };
    for (const PlaceCase& c : cases) {
        dtest::Document doc;
        ASSERT_EQ(doc.Parse(kData), "");
        const std::string before = dtest::Text(CMerxWriter(doc).WriteDocument());
        Cotherstruct copy;
        copy.text.Assign(c.text);
        const CMERX_base* original = &doc.otherdata[c.other];
        const int32_t position = doc.FindInArrangement(original);
        ASSERT_GE(position, 0);
        const auto standIn = [&](const CMERX_base& element) -> const CMERX_base* {
            return &element == original ? &copy : nullptr;
        };
        EXPECT_EQ(StandsApart(doc, static_cast<uint32_t>(position), standIn), c.standsApart) << c.name;
        EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), before) << c.name;
        // The same text in the document itself gives the same answer.
        doc.otherdata[c.other].text.Assign(c.text);
        EXPECT_EQ(StandsApart(doc, static_cast<uint32_t>(position)), c.standsApart) << c.name;
    }
    // Other elements and places beyond the end stand apart.
    dtest::Document doc;
    ASSERT_EQ(doc.Parse(kData), "");
    EXPECT_TRUE(StandsApart(doc, 1));
    EXPECT_TRUE(StandsApart(doc, doc.setdata.GetCount()));
}

TEST(OtherTextPlace, NeighboursAreReadAsTheirStandInsLeaveThem)
{
    // Once the function block between them is emptied it writes nothing,
    // and a line feed in front of "@@IF b" only lengthens the text before.
    dtest::Document doc;
    ASSERT_EQ(doc.Parse("@@IF a\n@@FUNCITEM\nsub a {}\n@@IF b\n"), "");
    const uint32_t position = static_cast<uint32_t>(doc.FindInArrangement(&doc.otherdata[1]));
    Cotherstruct text;
    text.text.Assign("\n@@IF b\n");
    Csinglestruct emptied;
    emptied.keyword.Assign("@@FUNCITEM");
    const CMERX_base* function = doc.FindFunction("@@FUNCITEM");
    for (bool empty : {false, true}) {
        const auto standIn = [&](const CMERX_base& element) -> const CMERX_base* {
            if (&element == &doc.otherdata[1])
                return &text;
            return empty && &element == function ? &emptied : nullptr;
        };
        EXPECT_EQ(StandsApart(doc, position, standIn), empty);
    }
    EXPECT_STREQ(doc.FindFunction("@@FUNCITEM")->text.GetBuffer(), "sub a {}\n");
}
