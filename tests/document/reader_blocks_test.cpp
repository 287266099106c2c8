// The whole-text reader: blocks, function blocks, skipped parts, the end
// of the data, and what the arrangement holds afterwards.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document_test_helpers.h"

using dtest::Document;

namespace {

// One letter per arrangement entry: I item, E event, F function, O other
// text, D definition.
std::string Arrangement(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata)
        out += "?IUEFOD"[element->GetKind()];
    return out;
}

// A view of the parsed document: "@N" the arrangement entry N (an other
// text's text, a function block's keyword), a function keyword that
// block's text, "I0:key" a field of item 0, "define" the definition text,
// "types" its type count, "end" the end position, "others" the number of
// other texts.
std::string Look(CMerxDocument& doc, const std::string& key)
{
    if (key[0] == '@' && key[1] != '@') {
        const CMERX_base* element = doc.setdata[std::stoul(key.substr(1))];
        if (element->GetKind() == CMERX_TYPE_SINGLE)
            return static_cast<const Csinglestruct*>(element)->keyword.GetBuffer();
        return static_cast<const Cotherstruct*>(element)->text.GetBuffer();
    }
    if (key.starts_with("@@"))
        return doc.FindFunction(key.c_str())->text.GetBuffer();
    if (key.starts_with("I0:"))
        return dtest::Field(doc.itemdata[0], key.substr(3).c_str());
    if (key == "define")
        return doc.definedata.text.GetBuffer();
    const uint32_t count = key == "types" ? doc.definedata.types.GetCount()
                           : key == "end" ? doc.FindEndPosition()
                                          : doc.otherdata.GetCount();
    return std::to_string(count);
}

struct BlocksCase {
    const char* name;
    std::string text;
    std::string messages;
    std::string arrangement;
    std::vector<std::pair<std::string, std::string>> holds;
    dtest::Rule rule = {};
};

std::string F(int n) { return std::string(n, 'F'); }

std::vector<BlocksCase> BlocksCases()
{
    return {
        {"FreeTextOnlyGetsTheDefaultDefinitionAndTheFunctionBlocks", "just text\nmore text\n", "", "OD" + F(12),
         {{"@0", "just text\nmore text\n"}, {"define", "@@DEFINE\n"}, {"others", "1"}}},
        {"AnEmptyTextStillHasDefinitionAndFunctionBlocks", "", "", "D" + F(12), {}},
        {"KindsInFileOrder",
         "head\n@@ITEM\n\tno\t1\n@@EVENT\n\tcode\tev\n@@DEFINE\ntype1 a\n@@FUNCITEM\nsub a {}\n@@IF x\n@@ITEM\n\tno\t2\n", "",
         "OIEDFOI" + F(11), {{"@5", "@@IF x\n"}, {"@@FUNCITEM", "sub a {}\n"}}},
        // The blanks in front of a keyword end the block before it.
        {"KeywordsAreFoundInAnyCaseAndAfterBlanks", "@@item\n\tno\t1\n  @@Event\n\tcode\tx\n\t@@define\n", "",
         "IED" + F(12), {{"define", "@@define\n"}}},
        {"AKeywordBehindAnEmptyFirstLine", "\n@@ITEM\n\tno\t1\n", "", "OID" + F(12), {{"@0", "\n"}}},
        // Blanks before a keyword on the first line are text of their own, as
        // on any later line: the @@END there is the end of the data.
        {"AnIndentedKeywordOnTheFirstLine", " \t@@END x\n@@ITEM\n", "", "OD" + F(12) + "O",
         {{"@0", " \t"}, {"@14", "@@END x\n@@ITEM\n"}}},
        // A lead byte never takes the line feed before a keyword line with it.
        {"AStrayLeadByteKeepsItsLineFeed", "@@ITEM\n\tinfo\tsharp\x81\n@@ITEM\n\tno\t2\xe0\n@@IF x\xfc\nfree\x9f", "",
         "IIOD" + F(12), {{"I0:info", "sharp\x81"}, {"I0:no", ""}, {"@2", "@@IF x\xfc\nfree\x9f"}}},
        {"AnIndentedKeywordBehindAnEmptyFirstLine", "\n \t@@DEFINE\ntype1 a\n", "", "OD" + F(12),
         {{"@0", "\n \t"}, {"types", "1"}}},
        {"AKeywordBehindTwoEmptyLines", "\n\n@@ITEM\n", "", "OID" + F(12), {}},
        {"AKeywordBehindAnEmptyLineAndText", "\nfree\n@@ITEM\n", "", "OID" + F(12), {{"@0", "\nfree\n"}}},
        {"LineNumbersCountAnEmptyFirstLine", "\n@@EVENT\n\tbogus\t1\n",
         SJ("[3]：@@EVENT：要素名\"bogus\"は定義されていません。\n"), "OED" + F(12), {}},
        // The line stays inside the item, where it is no field.
        {"ItemNoStartsNoBlock", "@@ITEM\n\tno\t1\n\tinfo\tx\n@@ITEMNO\"1\"\n",
         SJ("[4]：@@ITEM：要素名\"@@itemno\"1\"\"は定義されていません。\n"), "ID" + F(12), {}},
        {"ItemNoAtTheStartIsOtherText", "@@ITEMNO\"1\"\nfree\n", "", "OD" + F(12), {{"@0", "@@ITEMNO\"1\"\nfree\n"}}},
        {"SkippedPartsAreOneOtherTextAndNotRead",
         "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\n\tbogus\t1\n@@ENDSKIP\n@@ITEM\n\tno\t2\n", "", "OID" + F(12),
         {{"@0", "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\n\tbogus\t1\n@@ENDSKIP\n"}, {"I0:no", "2"}}},
        // It stays apart from the other text before it, and the default
        // definition and the function blocks go before it, where they are seen.
        {"AnUnclosedSkipTakesTheRestAndEndsTheData", "free\n@@SKIP\n@@SKIP\n@@ENDSKIP\n@@EVENT\n\tbad line\n@@END\n", "",
         "OD" + F(12) + "O",
         {{"@0", "free\n"}, {"@14", "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@EVENT\n\tbad line\n@@END\n"}, {"end", "14"}}},
        {"TheEndTakesEverythingBehindItAndStaysLast",
         "@@ITEM\n\tno\t1\n@@END\n@@ITEM\n\tbogus\t2\n@@FUNCITEM\nsub x {}\n", "", "ID" + F(12) + "O",
         {{"@14", "@@END\n@@ITEM\n\tbogus\t2\n@@FUNCITEM\nsub x {}\n"}, {"@@FUNCITEM", ""}, {"end", "14"}}},
        {"TheEndIsNeverMergedIntoTheOtherTextBeforeIt", "@@ITEM\n\tno\t1\n@@IF $x\nfree\n@@END\ntail\n", "",
         "IOD" + F(12) + "O", {{"@1", "@@IF $x\nfree\n"}, {"@15", "@@END\ntail\n"}, {"end", "15"}}},
        {"TheEndInAnyCase", "free\n@@End\n", "", "OD" + F(12) + "O", {}},
        {"EndSkipIsNoEnd", "@@ENDSKIP\nfree\n", "", "OD" + F(12), {}},
        {"OtherTextsThatMeetAreJoined", "@@IF a\n@@SETMACRO m\n@@USEMACRO m\n@@include x.cgi\n@@FUNCBAD\n", "",
         "OD" + F(12), {{"@0", "@@IF a\n@@SETMACRO m\n@@USEMACRO m\n@@include x.cgi\n@@FUNCBAD\n"}, {"others", "1"}}},
        {"AnUnknownFunctionBlockIsOtherText", "a\n@@funcitem\nsub {}\n@@IF b\n",
         SJ("[2]：\"@@funcitem\"を認識できません。\n"), "OD" + F(12),
         {{"@0", "a\n@@funcitem\nsub {}\n@@IF b\n"}, {"@@FUNCITEM", ""}}},
        {"IncludeLinesAreBlocksWhenIncludesAreNoElements", "@@ITEM\n\tno\t1\n@@include a.cgi\n", "", "IOD" + F(12), {}},
        {"IncludeLinesBelongToTheirItemWhenIncludesAreElements", "@@ITEM\n\tno\t1\n@@include a.cgi\n", "",
         "ID" + F(12), {{"I0:@@include", "a.cgi"}}, {false, true}},
        {"ASecondDefinitionIsOtherText", "@@DEFINE\ntype1 a\n@@DEFINE\ntype1 b\n", "", "DO" + F(12),
         {{"@1", "@@DEFINE\ntype1 b\n"}, {"define", "@@DEFINE\ntype1 a\n"}, {"types", "1"}}},
        {"FunctionBlocksWithTheSameKeywordAreOne",
         "@@FUNCITEM # first\nsub a {}\n@@ITEM\n\tno\t1\n@@FUNCITEM\nsub b {}\n", "", "FID" + F(11),
         {{"@@FUNCITEM", "sub a {}\nsub b {}\n"}}},
        {"AnEmptyFunctionBlockKeepsItsPlaceAndStandsOnce", "@@FUNCTURN\n@@ITEM\n\tno\t1\n@@FUNCTURN\nsub t {}\n", "",
         "FID" + F(11), {{"@0", "@@FUNCTURN"}, {"@@FUNCTURN", "sub t {}\n"}}},
        // Lower case: recognised as a block, but no keyword of the table.
        {"AnUnknownFunctionBlockStaysInItsPlace", "x\n@@FuncItem\nsub a {}\n@@ITEM\n",
         SJ("[2]：\"@@FuncItem\"を認識できません。\n"), "OID" + F(12),
         {{"@0", "x\n@@FuncItem\nsub a {}\n"}, {"@@FUNCITEM", ""}}},
        {"AKeywordLineWithoutLineFeedHoldsNoTextWhereItStands", "x\n@@FUNCITEM", "", "OFD" + F(11),
         {{"@@FUNCITEM", ""}}},
        {"MessagesCountLinesAcrossBlocks",
         "free\n\n@@FUNCINIT\na\nb\n@@SKIP\nx\n@@ENDSKIP\n@@DEFINE\njob X\n@@IF a\n  \n@@ITEM\n\tbogus\t1\n@@EVENT\n"
         "\tbogus\t1\n",
         std::string(SJ("[10]：@@DEFINE：\"job\" 書式を認識できません\n")) +
             SJ("[14]：@@ITEM：要素名\"bogus\"は定義されていません。\n") +
             SJ("[16]：@@EVENT：要素名\"bogus\"は定義されていません。\n"),
         "OFODOIE" + F(11), {}},
    };
}

} // namespace

// Each text is parsed into a document that already holds one. (That every
// function block stands in the arrangement once, and the document reads
// back from its written text, is the reader fuzz target's check, over a
// seed of each row.)
TEST(ReaderBlocks, Arrangement)
{
    for (const BlocksCase& row : BlocksCases()) {
        SCOPED_TRACE(row.name);
        Document doc(row.rule);
        doc.Parse("head\n@@ITEM\n\tno\t9\n@@FUNCTURN\nt\n@@DEFINE\ntype1 a\n@@END\n");
        EXPECT_EQ(doc.Parse(row.text), row.messages);
        EXPECT_EQ(Arrangement(doc), row.arrangement);
        for (const auto& [key, value] : row.holds)
            EXPECT_EQ(Look(doc, key), value) << key;
    }
}

// The function blocks the text lacks follow in the order of their map.
TEST(ReaderBlocks, MissingFunctionBlocksFollowTheMapOrder)
{
    Document doc;
    doc.Parse("@@FUNCSALE\nsub s {}\n");
    uint32_t position = 2;
    for (auto [keyword, function] : doc.singledata)
        EXPECT_EQ(doc.setdata[std::string(keyword) == "@@FUNCSALE" ? 0 : position++], &function) << keyword;
}
