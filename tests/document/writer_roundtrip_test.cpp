// Reading and writing again: the writer's text read back and written once
// more gives the same bytes, and the reader finds nothing to report in it.
// Where the first writing differs from the text that was read, the
// differences are the reader's and writer's normalisations, shown one by one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/block_split.h"
#include "document/data_writer.h"
#include "document/function_keywords.h"
#include "document_test_helpers.h"

namespace {

// What saving and reading back in text mode does to the writer's text:
// every CR LF becomes LF; a lone CR stays.
std::string ThroughFile(const std::string& written)
{
    std::string text;
    for (size_t i = 0; i < written.size(); ++i) {
        if (!(written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n'))
            text += written[i];
    }
    return text;
}

// write(read(text)), with the reader's messages.
std::string WriteRead(const std::string& text, dtest::Rule rule, std::string* messages = nullptr)
{
    dtest::Document doc(rule);
    const std::string found = doc.Parse(text);
    if (messages)
        *messages = found;
    const CWriterText written = CMerxWriter(doc).WriteDocument();
    return std::string(written.GetBuffer(), written.GetLength());
}

// write(read(text)), after checking that one more cycle changes nothing.
std::string ExpectStable(const std::string& text, dtest::Rule rule = {})
{
    const std::string first = WriteRead(text, rule);
    std::string messages;
    EXPECT_EQ(WriteRead(ThroughFile(first), rule, &messages), first);
    EXPECT_EQ(messages, "");
    return first;
}

// The definition the reader adds to a text without one; the function
// elements it adds have no text and are not written.
const std::string kDefaultTail = "@@DEFINE\r\n";

struct Sample {
    const char* name;
    const char* text;
    dtest::Rule rule;
};

class WriterRoundTrip : public ::testing::TestWithParam<Sample> {};

} // namespace

TEST_P(WriterRoundTrip, SecondCycleChangesNothing)
{
    const std::string first = ExpectStable(GetParam().text, GetParam().rule);
    EXPECT_NE(first, "");
}

INSTANTIATE_TEST_SUITE_P(
    ElementKinds, WriterRoundTrip,
    ::testing::Values(
        Sample{"Empty", "", {}},
        Sample{"FreeText", "# data of the shop\n\nfree \x8c\x95 text", {}},
        Sample{"Item", "@@ITEM\n\tno\t1\n\tname\t\x8c\x95 # the name\n\t# note\n\ttype\t\x95\x90\x8a\xed\n"
                       "\tinfo\t100% \x95\x5c\n", {}},
        Sample{"ItemScript", "@@ITEM\n\tno 1\n\tfunct _local_ # s\n\t\t\tif a\n\n\t\t\t\tb\n\t\t \n\t\t_local_\n", {}},
        Sample{"BetaItemScripts", "@@ITEM\n\tno 1\n\tflag 1\n\tfuncs _local_\n\t\ta\n\t_local_\n\tfuncb _local_\n"
                                  "\t\t\tb\n\t\t_local_\n", {true, false}},
        Sample{"BlankOnlyScript", "@@ITEM\n\tno 1\n\tfunct _local_\n\t\t\n  \n\t_local_\n", {}},
        Sample{"Use", "@@ITEM\n\tno 1\n\t@@USE # first\n\t\tname drink\n\t\t# how\n\t\tprice 5 # p\n"
                      "\t\tuse item 1 100\n\t\tneed money 5 # pay\t\n\t\tget item 2\n\t\tjob smith 10 # j\n"
                      "\t@@use\n\t\tname second\n\t\tfunc stock\n", {}},
        Sample{"UseScripts", "@@ITEM\n\tno 1\n\t@@USE\n\t\tfunc _local_ # c\n\t\t\tx\n\t\t\t\ty\n\t\t_local_\n"
                             "\t\tfuncb _local_\n\t\t_local_\n", {}},
        Sample{"BetaUse", "@@ITEM\n\tno 1\n\t@@USE\n\t\targselect Pick;r;Red;b;Blue # a\n\t\tfunci _local_\n"
                          "\t\t\tz\n\t\t_local_\n\t\tinfo i\n", {true, false}},
        Sample{"Event", "@@EVENT\n\tcode ev1 # c\n\t# about\n\tstart 10\n\tparam p\n\tparam a b # q\n"
                        "\tfunc stock_ge  # s\n", {}},
        Sample{"EventScripts", "@@EVENT\n\tcode e\n\tstartfunc _local_(a, b) # c\n\t\tdo a\n\t\t\tdo b\n\t_local_\n"
                               "\tendfunc _local_\n\t_local_\n\tfunc a\rb\n", {}},
        Sample{"FunctionBlocks", "@@FUNCITEM # items\nsub a {\n}\n\n@@FUNCBUY\nbuy\n@@FUNCITEM\nsub b {}\n", {}},
        Sample{"Definition", "@@DEFINE # d\ntype1 \x8c\x95\njob smith \x92\x62\x96\xe8\x89\xae\n"
                             "set job_smith_time_rate 2\n", {}},
        Sample{"IfAndMacros", "@@IF a\n@@ITEM\n\tno 1\n@@SETMACRO m\nx\n@@USEMACRO m\n@@IF b\n", {}},
        Sample{"Skip", "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\nno 1\n@@ENDSKIP\nrest\n", {}},
        Sample{"EndTail", "@@ITEM\n\tno 1\n@@END\n@@ITEM\nno 2\n@@FUNCITEM\nx", {}},
        Sample{"IndentedKeywords", "text\n  @@ITEM\n\tno 1\n   @@EVENT\n\tcode e\n", {}},
        Sample{"IncludesAsElements", "@@ITEM\n\tno 1\n\t@@include a.cgi # a\n\t@@include b.cgi\n\t@@USE\n"
                                     "\t\t@@include u.cgi\n@@EVENT\n\t@@include e.cgi\n", {false, true}},
        Sample{"IncludesAsText", "@@include a.cgi\n@@ITEM\n\tno 1\n", {}}),
    [](const ::testing::TestParamInfo<Sample>& info) { return std::string(info.param.name); });

TEST(WriterRoundTripSample, ShopFileOfEveryKind)
{
    const std::string text = "# sample shop\n"
                             "@@IF $debug\n"
                             "@@item  rest of line\n"
                             "\tname\t\x8c\x95   # the name\n"
                             "\tno\t1\n"
                             "\t# between fields\n"
                             "\tprice 100\n"
                             "\tfunct\t_local_ # script\n"
                             "\t\t\tif a\n"
                             "\t\t\t\tb\n"
                             "\t\t_local_\n"
                             "\t@@use\n"
                             "\t\tname\tdrink\n"
                             "\t\tuse item 1 100\n"
                             "\t\tneed money 5 # pay\n"
                             "\t\tjob smith 10\n"
                             "\t\tfunc _local_\n"
                             "\t\t\tx\n"
                             "\t\t_local_\n"
                             "@@EVENT\n"
                             "\tcode\tev1\t# code\n"
                             "\tparam\tp\n"
                             "\tstartfunc _local_(a) # c\n"
                             "\t\tdo\n"
                             "\t_local_\n"
                             "@@FUNCITEM # comment\n"
                             "sub a {}\n"
                             "@@DEFINE\n"
                             "type1 \x8c\x95\n"
                             "job smith \x92\x62\x96\xe8\x89\xae\n"
                             "@@SKIP\n"
                             "@@ITEM\n"
                             "no 5\n"
                             "@@ENDSKIP\n"
                             "free text\n"
                             "@@FUNCITEM\n"
                             "sub b {}\n"
                             "@@END\n"
                             "tail @@ITEM\n";
    EXPECT_EQ(ExpectStable(text), "# sample shop\r\n"
                                  "@@IF $debug\r\n"
                                  "@@ITEM\r\n"
                                  "\t# between fields\r\n"
                                  "\tno\t1\r\n"
                                  "\tname\t\x8c\x95\t# the name\r\n"
                                  "\tprice\t100\r\n"
                                  "\tfunct\t_local_\t# script\r\n"
                                  "\t\tif a\r\n"
                                  "\t\t\tb\r\n"
                                  "\t_local_\r\n"
                                  "\t@@USE\r\n"
                                  "\t\tname\tdrink\r\n"
                                  "\t\tfunc\t_local_\r\n"
                                  "\t\t\tx\r\n"
                                  "\t\t_local_\r\n"
                                  "\t\tjob\tsmith 10\r\n"
                                  "\t\t\tuse\titem\t1\t100\r\n"
                                  "\t\t\tneed\tmoney\t5\t# pay\r\n"
                                  "@@EVENT\r\n"
                                  "\tcode\tev1\t# code\r\n"
                                  "\tstartfunc\t_local_(a)\t# c\r\n"
                                  "\t\tdo\r\n"
                                  "\t_local_\r\n"
                                  "\t\tparam\tp\t\r\n"
                                  "@@FUNCITEM\r\n"
                                  "sub a {}\r\n"
                                  "sub b {}\r\n"
                                  "@@DEFINE\r\n"
                                  "type1 \x8c\x95\r\n"
                                  "job smith \x92\x62\x96\xe8\x89\xae\r\n"
                                  "@@SKIP\r\n"
                                  "@@ITEM\r\n"
                                  "no 5\r\n"
                                  "@@ENDSKIP\r\n"
                                  "free text\r\n"
                                  "@@END\r\n"
                                  "tail @@ITEM\r\n");
}

// --- What the first cycle changes, and why ----------------------------------

TEST(WriterNormalisation, FieldsInKeyListOrderWithLowerCaseKeysAndSingleTabs)
{
    EXPECT_EQ(ExpectStable("@@ITEM\n   NAME    sword\n\tno 1\n"),
              "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, CommentOnlyLinesMoveToTheTopOfTheirElement)
{
    EXPECT_EQ(ExpectStable("@@ITEM\n\tno 1\n# late\n\t@@USE\n\t\tname u\n\t\t# in use\n"),
              "@@ITEM\r\n\t# late\r\n\tno\t1\r\n\t@@USE\r\n\t\t# in use\r\n\t\tname\tu\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, RestOfKeywordLinesIsDropped)
{
    EXPECT_EQ(ExpectStable("@@ITEM 7 # x\n\tno 1\n\t@@USE more\n@@EVENT ev\n\tcode e\n"),
              "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n@@EVENT\r\n\tcode\te\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, EmptyAndUndefinedFieldsAreDropped)
{
    std::string messages;
    EXPECT_EQ(WriteRead("@@ITEM\n\tno 1\n\tname\n\tweight 3\n", {}, &messages),
              "@@ITEM\r\n\tno\t1\r\n" + kDefaultTail);
    EXPECT_NE(messages, "");
}

TEST(WriterNormalisation, ScriptsAreReindented)
{
    EXPECT_EQ(ExpectStable("@@ITEM\n\tfunct _local_\n        a\n          b\n_local_\n"
                           "  @@USE\n    func _local_\n a\n  b\n    _local_\n"),
              "@@ITEM\r\n\tfunct\t_local_\r\n\t\ta\r\n\t\t  b\r\n\t_local_\r\n"
              "\t@@USE\r\n\t\tfunc\t_local_\r\n\t\t\ta\r\n\t\t\t b\r\n\t\t_local_\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, UseNeedGetLinesAreRebuiltFromFiveWords)
{
    EXPECT_EQ(ExpectStable("@@ITEM\n\t@@USE\n\t\tuse item 1 100\n\t\tget  a  b  c  d  e  f\n\t\tneed x\n"),
              "@@ITEM\r\n\t@@USE\r\n\t\t\tuse\titem\t1\t100\r\n\t\t\tget\ta\tb\tc\td\r\n\t\t\tneed\tx\r\n" +
                  kDefaultTail);
}

// Only the line being built loses its empty columns, so the tabs that end
// a comment stay with every line, not only with the last.
TEST(WriterNormalisation, UseNeedGetCommentsKeepTheirTrailingTabs)
{
    EXPECT_EQ(ExpectStable("@@ITEM\n\t@@USE\n\t\tuse a # one\t\n\t\tget b # two\t\n"),
              "@@ITEM\r\n\t@@USE\r\n\t\t\tuse\ta\t# one\t\r\n\t\t\tget\tb\t# two\t\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, ParameterWithoutBlankGetsATrailingTab)
{
    EXPECT_EQ(ExpectStable("@@EVENT\n\tparam p\n\tparam a b\n"),
              "@@EVENT\r\n\t\tparam\tp\t\r\n\t\tparam\ta b\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, FunctionBlocksOfOneKeywordAreMergedEmptyOnesDropped)
{
    EXPECT_EQ(ExpectStable("@@FUNCTURN # t\na\n@@FUNCNEW\n@@FUNCTURN\nb\n"), "@@FUNCTURN\r\na\r\nb\r\n" + kDefaultTail);
}

TEST(WriterNormalisation, DefinitionIsAddedBeforeTheEnd)
{
    EXPECT_EQ(ExpectStable("a\n@@END\nb\n"), "a\r\n@@DEFINE\r\n@@END\r\nb\r\n");
}

TEST(WriterNormalisation, LastLineGetsItsLineEnd)
{
    EXPECT_EQ(ExpectStable("@@DEFINE\nlast"), "@@DEFINE\r\nlast\r\n");
}

TEST(WriterNormalisation, BlanksBeforeAnIndentedKeywordBecomeALineOfTheirOwn)
{
    EXPECT_EQ(ExpectStable("@@DEFINE\n  @@ITEM\n\tno 1\n"), "@@DEFINE\r\n  \r\n@@ITEM\r\n\tno\t1\r\n");
}

// The function page's direct edit cuts the text into blocks and takes each
// block's text behind its keyword line: every text comes back unchanged,
// however many times the blocks are edited.
TEST(WriterFunctionBlocks, DirectEditGivesTheTextsBack)
{
    const char* texts[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                              "", "", "", "", "no line end", "\n"};
    const char* edited[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                               "", "", "", "", "no line end\n", "\n"};
    CMerxDocument doc;
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        doc.FindFunction(g_aszMerxFunctionKeywords[i])->text.Assign(texts[i]);

    const CWriterText written = CMerxWriter(doc).WriteFunctionBlocks();
    CStrRegexHitList blocks;
    SplitDataBlocks(written, false, blocks);
    std::string read[MERX_FUNCTION_COUNT];
    for (const CStrRegexHitBufStruct& block : blocks) {
        const std::string text(written.GetBuffer() + block.offset, block.length);
        const size_t lineEnd = text.find('\n');
        for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i) {
            if (lineEnd != std::string::npos && text.compare(0, lineEnd, g_aszMerxFunctionKeywords[i]) == 0)
                read[i] = text.substr(lineEnd + 1);
        }
    }
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        EXPECT_EQ(read[i], edited[i]) << g_aszMerxFunctionKeywords[i];
}

// A document built through the model reads back from the writer's text into
// the same values, and writing it again gives the same bytes.
TEST(WriterRoundTripBuilt, DocumentOfEveryKindReadsBackUnchanged)
{
    dtest::Document doc({true, false});
    Cotherstruct* head = doc.otherdata.Add();
    head->text.Assign("# head\n");
    *doc.setdata.Add() = head;

    Citemstruct* item = doc.itemdata.Add();
    for (const CMerxString& key : doc.itemkeys)
        item->fields.GetOrInsert(key);
    item->comments.GetOrInsert("")->Assign("\t# free\r\n");
    item->SetField("no", "7");
    item->SetField("name", "\x89\xf1\x95\x9c\x96\xf2");
    item->SetComment("name", "# potion");
    item->SetField("funcs", "if a\r\n\tb");
    Cusestruct* use = item->uses.Add();
    for (const CMerxString& key : doc.usekeys)
        use->fields.GetOrInsert(key);
    for (const char* key : {"job", "ung", "argselect"}) {
        use->lists.GetOrInsert(key);
        use->listcomments.GetOrInsert(key);
    }
    use->SetField("name", "drink");
    use->SetField("funci", "_local_\r\nx\r\n\ty");
    use->SetField("argselect", "Pick");
    use->GetList("argselect")->Add()->Assign("r;Red");
    use->GetListComments("argselect")->Add();
    use->GetList("ung")->Add()->Assign("use\titem\t1\t100\t");
    use->GetListComments("ung")->Add()->Assign("\t# pay");
    use->GetList("job")->Add()->Assign("smith\t10");
    use->GetListComments("job")->Add();
    *doc.setdata.Add() = item;

    Ceventstruct* event = doc.eventdata.Add();
    for (const CMerxString& key : doc.eventkeys)
        event->fields.GetOrInsert(key);
    event->comments.GetOrInsert("");
    event->SetField("code", "ev");
    event->SetField("func", "_local_(a)\r\ndo");
    event->SetComment("func", "\t# f");
    event->params.Add()->Assign("p\t");
    event->paramcomments.Add();
    *doc.setdata.Add() = event;

    doc.FindFunction("@@FUNCEVENT")->text.Assign("sub e {}\n");
    *doc.setdata.Add() = doc.FindFunction("@@FUNCEVENT");
    doc.definedata.text.Assign("@@DEFINE\ntype1 a\n");
    *doc.setdata.Add() = &doc.definedata;

    const std::string first = CMerxWriter(doc).WriteDocument().GetBuffer();
    dtest::Document read({true, false});
    EXPECT_EQ(read.Parse(ThroughFile(first)), "");
    EXPECT_EQ(CMerxWriter(read).WriteDocument().GetBuffer(), first);

    ASSERT_EQ(read.itemdata.GetCount(), 1u);
    const Citemstruct& readItem = read.itemdata[0];
    EXPECT_EQ(dtest::Field(readItem, "name"), "\x89\xf1\x95\x9c\x96\xf2");
    EXPECT_STREQ(readItem.GetComment("name"), "# potion");
    EXPECT_EQ(dtest::Field(readItem, "funcs"), "if a\r\n\tb");
    EXPECT_STREQ(readItem.GetComment(""), "\t# free\r\n");
    ASSERT_EQ(readItem.uses.GetCount(), 1u);
    const Cusestruct& readUse = readItem.uses[0];
    EXPECT_EQ(dtest::Field(readUse, "funci"), "_local_\r\nx\r\n\ty");
    EXPECT_EQ(dtest::Field(readUse, "argselect"), "Pick");
    EXPECT_EQ(dtest::List(readUse.GetList("argselect")), std::vector<std::string>{"r;Red"});
    EXPECT_EQ(dtest::List(readUse.GetList("ung")), std::vector<std::string>{"use\titem\t1\t100\t"});
    EXPECT_EQ(dtest::List(readUse.GetListComments("ung")), std::vector<std::string>{"\t# pay"});
    ASSERT_EQ(read.eventdata.GetCount(), 1u);
    EXPECT_EQ(dtest::Field(read.eventdata[0], "func"), "_local_(a)\r\ndo");
    EXPECT_STREQ(read.eventdata[0].GetComment("func"), "\t# f");
    EXPECT_EQ(dtest::List(&read.eventdata[0].params), std::vector<std::string>{"p\t"});
    EXPECT_EQ(std::string(read.FindFunction("@@FUNCEVENT")->text.GetBuffer()), "sub e {}\n");
}
