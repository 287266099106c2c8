// The whole-text reader: blocks, function blocks, skipped parts, the end
// of the data, and what the arrangement holds afterwards.
#include <gtest/gtest.h>

#include <string>

#include "document/function_keywords.h"
#include "document_test_helpers.h"

using dtest::Arrangement;
using dtest::Document;
using dtest::OtherText;

namespace {

const char* FunctionText(CMerxDocument& doc, const char* keyword)
{
    return doc.FindFunction(keyword)->text.GetBuffer();
}

// The invariants every parse leaves: one definition, each function block
// once, no two other texts side by side except before the end element.
void ExpectInvariants(const CMerxDocument& doc)
{
    uint32_t defines = 0;
    uint32_t functions = 0;
    for (uint32_t i = 0; i < doc.setdata.GetCount(); ++i) {
        const CMERX_base* element = doc.setdata[i];
        defines += element->GetKind() == CMERX_TYPE_DEFINE;
        if (element->GetKind() == CMERX_TYPE_SINGLE) {
            ++functions;
            EXPECT_EQ(doc.FindInArrangement(element), static_cast<int32_t>(i)) << "function block twice";
        }
        if (i + 1 < doc.setdata.GetCount() && element->GetKind() == CMERX_TYPE_OTHER &&
            doc.setdata[i + 1]->GetKind() == CMERX_TYPE_OTHER) {
            EXPECT_EQ(doc.FindEndPosition(), i + 1) << "other texts side by side at " << i;
        }
    }
    EXPECT_EQ(defines, 1u);
    EXPECT_EQ(functions, MERX_FUNCTION_COUNT);
}

} // namespace

TEST(ReaderBlocks, FreeTextOnlyGetsTheDefaultDefinitionAndTheFunctionBlocks)
{
    Document doc;
    EXPECT_EQ(doc.Parse("just text\nmore text\n"), "");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "just text\nmore text\n");
    EXPECT_STREQ(doc.definedata.text, "@@DEFINE\n");
    EXPECT_EQ(doc.otherdata.GetCount(), 1u);
    for (uint32_t i = 2; i < 14; ++i)
        EXPECT_TRUE(static_cast<Csinglestruct*>(doc.setdata[i])->text.IsEmpty());
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, AnEmptyTextStillHasDefinitionAndFunctionBlocks)
{
    Document doc;
    EXPECT_EQ(doc.Parse(""), "");
    EXPECT_EQ(Arrangement(doc), "D" + std::string(12, 'F'));
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, MissingFunctionBlocksFollowTheMapOrder)
{
    Document doc;
    doc.Parse("@@FUNCSALE\nsub s {}\n");
    ASSERT_EQ(doc.setdata.GetCount(), 13u);
    EXPECT_EQ(doc.setdata[0], doc.FindFunction("@@FUNCSALE"));
    EXPECT_EQ(doc.setdata[1], &doc.definedata);
    uint32_t position = 2;
    for (auto [keyword, function] : doc.singledata) {
        if (std::string(keyword) == "@@FUNCSALE")
            continue;
        EXPECT_EQ(doc.setdata[position++], &function) << keyword;
    }
}

TEST(ReaderBlocks, KindsInFileOrder)
{
    Document doc;
    EXPECT_EQ(doc.Parse("head\n@@ITEM\n\tno\t1\n@@EVENT\n\tcode\tev\n@@DEFINE\ntype1 a\n"
                        "@@FUNCITEM\nsub a {}\n@@IF x\n@@ITEM\n\tno\t2\n"),
              "");
    EXPECT_EQ(Arrangement(doc), "OIEDFOI" + std::string(11, 'F'));
    EXPECT_EQ(doc.itemdata.GetCount(), 2u);
    EXPECT_EQ(doc.eventdata.GetCount(), 1u);
    EXPECT_EQ(OtherText(doc, 5), "@@IF x\n");
    EXPECT_STREQ(FunctionText(doc, "@@FUNCITEM"), "sub a {}\n");
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, KeywordsAreFoundInAnyCaseAndAfterBlanks)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@item\n\tno\t1\n  @@Event\n\tcode\tx\n\t@@define\n"), "");
    EXPECT_EQ(Arrangement(doc), "IED" + std::string(12, 'F'));
    // The blanks in front of a keyword end the block before it.
    EXPECT_STREQ(doc.definedata.text, "@@define\n");
}

TEST(ReaderBlocks, AKeywordOnTheSecondLineBehindAnEmptyFirstLine)
{
    Document doc;
    EXPECT_EQ(doc.Parse("\n@@ITEM\n\tno\t1\n"), "");
    EXPECT_EQ(Arrangement(doc), "OID" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "\n");
    EXPECT_EQ(doc.Parse("\n \t@@DEFINE\ntype1 a\n"), "");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "\n \t");
    EXPECT_EQ(doc.definedata.types.GetCount(), 1u);
    // Other first lines are left as they were.
    EXPECT_EQ(doc.Parse("\n\n@@ITEM\n"), "");
    EXPECT_EQ(Arrangement(doc), "OID" + std::string(12, 'F'));
    EXPECT_EQ(doc.Parse("\nfree\n@@ITEM\n"), "");
    EXPECT_EQ(Arrangement(doc), "OID" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "\nfree\n");
    // Line numbers count the empty first line.
    EXPECT_EQ(doc.Parse("\n@@EVENT\n\tbogus\t1\n"), SJ("[3]：@@EVENT：要素名\"bogus\"は定義されていません。\n"));
}

TEST(ReaderBlocks, ItemNoStartsNoBlock)
{
    Document doc;
    // The line stays inside the item, where it is no field.
    EXPECT_EQ(doc.Parse("@@ITEM\n\tno\t1\n\tinfo\tx\n@@ITEMNO\"1\"\n"),
              SJ("[4]：@@ITEM：要素名\"@@itemno\"1\"\"は定義されていません。\n"));
    EXPECT_EQ(doc.itemdata.GetCount(), 1u);
    // Nor does it make an item at the very start of the text.
    EXPECT_EQ(doc.Parse("@@ITEMNO\"1\"\nfree\n"), "");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "@@ITEMNO\"1\"\nfree\n");
}

TEST(ReaderBlocks, SkippedPartsAreOneOtherTextAndNotRead)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\n\tbogus\t1\n@@ENDSKIP\n@@ITEM\n\tno\t2\n"), "");
    EXPECT_EQ(Arrangement(doc), "OI" + std::string("D") + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\n\tbogus\t1\n@@ENDSKIP\n");
    ASSERT_EQ(doc.itemdata.GetCount(), 1u);
    EXPECT_EQ(dtest::Field(doc.itemdata[0], "no"), "2");
}

TEST(ReaderBlocks, AnUnclosedSkipTakesTheRestAndEndsTheData)
{
    Document doc;
    EXPECT_EQ(doc.Parse("free\n@@SKIP\n@@SKIP\n@@ENDSKIP\n@@EVENT\n\tbad line\n@@END\n"), "");
    // It stays apart from the other text before it, and the default
    // definition and the function blocks go before it, where they are seen.
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F') + "O");
    EXPECT_EQ(OtherText(doc, 0), "free\n");
    EXPECT_EQ(OtherText(doc, 14), "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@EVENT\n\tbad line\n@@END\n");
    EXPECT_EQ(doc.FindEndPosition(), 14u);
    EXPECT_TRUE(CMerxDocument::IsEndText("@@skip\n@@ITEM\n"));
    EXPECT_FALSE(CMerxDocument::IsEndText("@@SKIP\n@@ITEM\n@@endskip\nx\n"));
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, TheEndTakesEverythingBehindItAndStaysLast)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@ITEM\n\tno\t1\n@@END\n@@ITEM\n\tbogus\t2\n@@FUNCITEM\nsub x {}\n"), "");
    EXPECT_EQ(Arrangement(doc), "ID" + std::string(12, 'F') + "O");
    EXPECT_EQ(OtherText(doc, 14), "@@END\n@@ITEM\n\tbogus\t2\n@@FUNCITEM\nsub x {}\n");
    EXPECT_EQ(doc.itemdata.GetCount(), 1u);
    EXPECT_TRUE(doc.FindFunction("@@FUNCITEM")->text.IsEmpty());
    EXPECT_EQ(doc.FindEndPosition(), 14u);
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, TheEndIsNeverMergedIntoTheOtherTextBeforeIt)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@ITEM\n\tno\t1\n@@IF $x\nfree\n@@END\ntail\n"), "");
    EXPECT_EQ(Arrangement(doc), "IOD" + std::string(12, 'F') + "O");
    EXPECT_EQ(OtherText(doc, 1), "@@IF $x\nfree\n");
    EXPECT_EQ(OtherText(doc, 15), "@@END\ntail\n");
    EXPECT_EQ(doc.FindEndPosition(), 15u);
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, TheEndInAnyCaseKeepsTheInsertedElementsBeforeIt)
{
    Document doc;
    doc.Parse("free\n@@End\n");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F') + "O");
    // @@ENDSKIP is no end of the data.
    doc.Parse("@@ENDSKIP\nfree\n");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
}

TEST(ReaderBlocks, OtherTextsThatMeetAreJoined)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@IF a\n@@SETMACRO m\n@@USEMACRO m\n@@include x.cgi\n@@FUNCBAD\n"), "");
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 0), "@@IF a\n@@SETMACRO m\n@@USEMACRO m\n@@include x.cgi\n@@FUNCBAD\n");
    EXPECT_EQ(doc.otherdata.GetCount(), 1u);

    // Across a dropped function block, too.
    EXPECT_EQ(doc.Parse("a\n@@funcitem\nsub {}\n@@IF b\n"), SJ("[2]：\"@@funcitem\"を認識できません。\n"));
    EXPECT_EQ(OtherText(doc, 0), "a\n@@IF b\n");
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, IncludeLinesAreBlocksOnlyWhenIncludesAreNoElements)
{
    Document off;
    off.Parse("@@ITEM\n\tno\t1\n@@include a.cgi\n");
    EXPECT_EQ(Arrangement(off), "IOD" + std::string(12, 'F'));

    Document on({false, true});
    EXPECT_EQ(on.Parse("@@ITEM\n\tno\t1\n@@include a.cgi\n"), "");
    EXPECT_EQ(Arrangement(on), "ID" + std::string(12, 'F'));
    EXPECT_EQ(dtest::Field(on.itemdata[0], "@@include"), "a.cgi");
}

TEST(ReaderBlocks, ASecondDefinitionIsOtherText)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@DEFINE\ntype1 a\n@@DEFINE\ntype1 b\n"), "");
    EXPECT_EQ(Arrangement(doc), "DO" + std::string(12, 'F'));
    EXPECT_EQ(OtherText(doc, 1), "@@DEFINE\ntype1 b\n");
    ASSERT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_EQ(doc.definedata.types[0].name, "a");
}

TEST(ReaderBlocks, FunctionBlocksWithTheSameKeywordAreOne)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@FUNCITEM # first\nsub a {}\n@@ITEM\n\tno\t1\n@@FUNCITEM\nsub b {}\n"), "");
    EXPECT_EQ(Arrangement(doc), "FID" + std::string(11, 'F'));
    EXPECT_STREQ(FunctionText(doc, "@@FUNCITEM"), "sub a {}\nsub b {}\n");
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, AnEmptyFunctionBlockKeepsItsPlaceAndStandsOnce)
{
    Document doc;
    EXPECT_EQ(doc.Parse("@@FUNCTURN\n@@ITEM\n\tno\t1\n@@FUNCTURN\nsub t {}\n"), "");
    EXPECT_EQ(Arrangement(doc), "FID" + std::string(11, 'F'));
    EXPECT_EQ(doc.setdata[0], doc.FindFunction("@@FUNCTURN"));
    EXPECT_STREQ(FunctionText(doc, "@@FUNCTURN"), "sub t {}\n");
    ExpectInvariants(doc);
}

TEST(ReaderBlocks, UnknownAndUnfinishedFunctionBlocksAreDropped)
{
    Document doc;
    // Lower case: recognised as a block, but no keyword of the table.
    EXPECT_EQ(doc.Parse("x\n@@FuncItem\nsub a {}\n"), SJ("[2]：\"@@FuncItem\"を認識できません。\n"));
    EXPECT_TRUE(doc.FindFunction("@@FUNCITEM")->text.IsEmpty());
    EXPECT_EQ(Arrangement(doc), "OD" + std::string(12, 'F'));
    // A keyword line without a line feed holds no text.
    EXPECT_EQ(doc.Parse("@@FUNCITEM"), "");
    EXPECT_EQ(Arrangement(doc), "D" + std::string(12, 'F'));
}

TEST(ReaderBlocks, MessagesCountLinesAcrossBlocks)
{
    Document doc;
    const std::string messages = doc.Parse("free\n\n@@FUNCINIT\na\nb\n@@SKIP\nx\n@@ENDSKIP\n@@DEFINE\njob X\n"
                                           "@@IF a\n  \n@@ITEM\n\tbogus\t1\n@@EVENT\n\tbogus\t1\n");
    EXPECT_EQ(messages, std::string(SJ("[10]：@@DEFINE：\"job\" 書式を認識できません\n")) +
                            SJ("[14]：@@ITEM：要素名\"bogus\"は定義されていません。\n") +
                            SJ("[16]：@@EVENT：要素名\"bogus\"は定義されていません。\n"));
}
