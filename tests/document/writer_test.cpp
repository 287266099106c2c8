// The writer: texts kept with "\n" line ends, the walk over the
// arrangement, the function blocks of the function page's direct edit, and
// reading and writing again (the writer's text read back and written once
// more gives the same bytes, and the reader finds nothing to report in it).
#include <gtest/gtest.h>

#include <string>

#include "document/block_split.h"
#include "document/function_keywords.h"
#include "document/project_info.h"
#include "document/reopen_check.h"
#include "document/rule_table.h"
#include "document_test_helpers.h"

using dtest::Text;
using dtest::ThroughFile;

namespace {

Cotherstruct* AddOther(CMerxDocument& doc, const char* text)
{
    Cotherstruct* other = doc.otherdata.Add();
    other->text.Assign(text);
    *doc.setdata.Add() = other;
    return other;
}

Citemstruct* AddItem(CMerxDocument& doc, const char* no)
{
    Citemstruct* item = doc.itemdata.Add();
    item->fields.GetOrInsert("no")->Assign(no);
    *doc.setdata.Add() = item;
    return item;
}

} // namespace

TEST(WriterDocument, TextsKeptWithLineFeeds)
{
    struct Case {
        char kind; // O other text, D definition, F function block @@FUNCSHOPOUT
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {'O', "free\n\n  text \t\n", "free\r\n\r\n  text \t\r\n"},
        {'O', "last line", "last line\r\n"},
        {'O', "x\n  ", "x\r\n  \r\n"},
        {'O', "a\n\n\n", "a\r\n\r\n\r\n"}, // only one final line feed is dropped
        {'O', "", "\r\n"},
        {'O', "a\x81\nb\n", "a\x81\nb\r\n"}, // a line feed as second byte is no line end
        {'O', "a\x83\n", "a\x83\n\r\n"},
        {'O', "a\x83\x83\n", "a\x83\x83\r\n"}, // after an even run of lead bytes it is one
        {'O', "a\rb\r\n", "a\rb\r\r\n"},
        {'D', "@@DEFINE  # types\n type1 sword\n\njob smith \x92\x62\x96\xe8\nset job_smith_time_rate 2\n",
         "@@DEFINE  # types\r\n type1 sword\r\n\r\njob smith \x92\x62\x96\xe8\r\nset job_smith_time_rate 2\r\n"},
        {'D', "@@DEFINE\n", "@@DEFINE\r\n"},
        {'F', "sub x {\n\treturn 1;\n}\n\n", "@@FUNCSHOPOUT\r\nsub x {\r\n\treturn 1;\r\n}\r\n\r\n"},
        {'F', "a", "@@FUNCSHOPOUT\r\na\r\n"},
        {'F', "", ""}, // an empty function block is not written
    };
    for (const Case& c : cases) {
        CMerxDocument doc;
        if (c.kind == 'O') {
            AddOther(doc, c.text);
        } else if (c.kind == 'D') {
            doc.definedata.text.Assign(c.text);
            *doc.setdata.Add() = &doc.definedata;
        } else {
            doc.FindFunction("@@FUNCSHOPOUT")->text.Assign(c.text);
            *doc.setdata.Add() = doc.FindFunction("@@FUNCSHOPOUT");
        }
        EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), c.written) << c.kind << c.text;
    }
}

// The reader may put a function element into the arrangement twice (an
// empty block followed by one with text); written twice, the two blocks
// would be merged into one doubled text on the next reading. Uses are
// written by their items only, and the arrangement, not the containers,
// gives the order.
TEST(WriterDocument, TheArrangementGivesWhatIsWrittenOnce)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(false, false);
    Csinglestruct* init = doc.FindFunction("@@FUNCINIT");
    init->text.Assign("init\n");
    *doc.setdata.Add() = init;
    AddItem(doc, "1");
    Citemstruct* second = AddItem(doc, "2");
    *doc.setdata.Add() = init;
    Cusestruct* use = second->uses.Add();
    use->fields.GetOrInsert("name")->Assign("u");
    *doc.setdata.Add() = use;
    doc.setdata.Exchange(1, 2);
    EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()),
              "@@FUNCINIT\r\ninit\r\n@@ITEM\r\n\tno\t2\r\n\t@@USE\r\n\t\tname\tu\r\n@@ITEM\r\n\tno\t1\r\n");
}

// The direct edit cuts the text into blocks and takes each block's text
// behind its keyword line: every text comes back unchanged (a last line
// gets its line feed), however many times the blocks are edited. The blocks
// need not stand in the arrangement; those without text are left out.
TEST(WriterFunctionBlocks, DirectEditGivesTheTextsBack)
{
    const char* texts[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                              "", "", "", "", "no line end", "\n"};
    const char* edited[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                               "", "", "", "", "no line end\n", "\n"};
    CMerxDocument doc;
    EXPECT_EQ(Text(CMerxWriter(doc).WriteFunctionBlocks()), "");
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        doc.FindFunction(g_aszMerxFunctionKeywords[i])->text.Assign(texts[i]);

    const CWriterText written = CMerxWriter(doc).WriteFunctionBlocks();
    EXPECT_EQ(Text(written), "@@FUNCITEM\nsub a {\n}\n@@FUNCUPDATE\nu\n\n\n@@FUNCTURN\n\tturn\n"
                             "@@FUNCSALE\nno line end\n@@FUNCBUY\n\n");
    EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), "");
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

namespace {

// write(read(text)), after checking that one more cycle changes nothing.
std::string ExpectStable(dtest::Document& doc, const std::string& text)
{
    EXPECT_EQ(doc.Parse(text), "");
    const std::string first = Text(CMerxWriter(doc).WriteDocument());
    EXPECT_EQ(doc.Parse(ThroughFile(first)), "");
    EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), first);
    return first;
}

} // namespace

// How the first writing differs from the text that was read: the places
// where a file could otherwise change again at every save.
TEST(WriterRoundTrip, SecondCycleChangesNothing)
{
    struct Case {
        const char* name;
        std::string text;
        std::string written;
        dtest::Rule rule = {};
    };
    const Case cases[] = {
        // The definition the reader adds to a text without one; the function
        // elements it adds have no text and are not written.
        {"Empty", "", "@@DEFINE\r\n"},
        {"FreeTextGetsItsLastLineEnd", "# shop\n\nfree \x8c\x95 text", "# shop\r\n\r\nfree \x8c\x95 text\r\n@@DEFINE\r\n"},
        {"AnEmptyFirstLineHidesNothing", "\n", "\r\n@@DEFINE\r\n"},
        {"AnEmptyFirstLineBeforeAnItem", "\n@@ITEM\n\tname\tx\n\tno\t1\n",
                  "\r\n@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n@@DEFINE\r\n"},
        {"FunctionBlocksOfOneKeywordAreMergedEmptyOnesDropped", "@@FUNCTURN # t\na\n@@FUNCNEW\n@@FUNCTURN\nb\n",
                  "@@FUNCTURN\r\na\r\nb\r\n@@DEFINE\r\n"},
        {"IfAndMacrosStayOtherText", "@@IF a\n@@ITEM\n\tno 1\n@@SETMACRO m\nx\n@@USEMACRO m\n@@IF b\n",
                  "@@IF a\r\n@@ITEM\r\n\tno\t1\r\n@@SETMACRO m\r\nx\r\n@@USEMACRO m\r\n@@IF b\r\n@@DEFINE\r\n"},
        {"Skip", "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\nno 1\n@@ENDSKIP\nrest\n",
                  "@@SKIP\r\n@@SKIP\r\n@@ENDSKIP\r\n@@ITEM\r\nno 1\r\n@@ENDSKIP\r\nrest\r\n@@DEFINE\r\n"},
        {"TheDefinitionStaysBeforeTheEnd", "@@ITEM\n\tno\t1\n@@IF x\nfree\n@@END\n@@ITEM\nno 2\n@@FUNCITEM\nx",
                  "@@ITEM\r\n\tno\t1\r\n@@IF x\r\nfree\r\n@@DEFINE\r\n@@END\r\n@@ITEM\r\nno 2\r\n@@FUNCITEM\r\nx\r\n"},
        {"TheDefinitionStaysBeforeALowerCaseEnd", "free\n@@end\n", "free\r\n@@DEFINE\r\n@@end\r\n"},
        {"TheDefinitionStaysBeforeAnUnclosedSkip", "free\n@@SKIP\n@@ITEM\nno 2\n",
                  "free\r\n@@DEFINE\r\n@@SKIP\r\n@@ITEM\r\nno 2\r\n"},
        {"LastLineGetsItsLineEnd", "@@DEFINE\nlast", "@@DEFINE\r\nlast\r\n"},
        {"BlanksBeforeAnIndentedKeywordBecomeALineOfTheirOwn", "@@DEFINE\n  @@ITEM\n\tno 1\n",
                  "@@DEFINE\r\n  \r\n@@ITEM\r\n\tno\t1\r\n"},
        {"IndentedKeywords", "text\n  @@ITEM\n\tno 1\n   @@EVENT\n\tcode e\n",
                  "text\r\n  \r\n@@ITEM\r\n\tno\t1\r\n@@EVENT\r\n\tcode\te\r\n@@DEFINE\r\n"},
        {"IncludesAsElements",
                  "@@ITEM\n\tno 1\n\t@@include a.cgi # a\n\t@@include b.cgi\n\t@@USE\n\t\t@@include u.cgi\n"
                  "@@EVENT\n\t@@include e.cgi\n",
                  "@@ITEM\r\n\tno\t1\r\n\t@@include\ta.cgi\t# a\r\n\t@@include\tb.cgi\r\n\t@@USE\r\n"
                  "\t\t@@include\tu.cgi\r\n@@EVENT\r\n\t@@include\te.cgi\r\n@@DEFINE\r\n",
                  {false, true}},
        {"IncludesAsText", "@@include a.cgi\n@@ITEM\n\tno 1\n", "@@include a.cgi\r\n@@ITEM\r\n\tno\t1\r\n@@DEFINE\r\n"},
        {"ShopFileOfEveryKind",
                  "# sample shop\n@@IF $debug\n@@item  rest of line\n\tname\t\x8c\x95   # the name\n\tno\t1\n"
                  "\t# between fields\n\tprice 100\n\tfunct\t_local_ # script\n\t\t\tif a\n\t\t\t\tb\n\t\t_local_\n"
                  "\t@@use\n\t\tname\tdrink\n\t\tuse item 1 100\n\t\tneed money 5 # pay\n\t\tjob smith 10\n"
                  "\t\tfunc _local_\n\t\t\tx\n\t\t_local_\n@@EVENT\n\tcode\tev1\t# code\n\tparam\tp\n"
                  "\tstartfunc _local_(a) # c\n\t\tdo\n\t_local_\n@@FUNCITEM # comment\nsub a {}\n@@DEFINE\n"
                  "type1 \x8c\x95\njob smith \x92\x62\x96\xe8\x89\xae\n@@SKIP\n@@ITEM\nno 5\n@@ENDSKIP\nfree text\n"
                  "@@FUNCITEM\nsub b {}\n@@END\ntail @@ITEM\n",
                  "# sample shop\r\n@@IF $debug\r\n@@ITEM\r\n\t# between fields\r\n\tno\t1\r\n\tname\t\x8c\x95\t# the name\r\n"
                  "\tprice\t100\r\n\tfunct\t_local_\t# script\r\n\t\tif a\r\n\t\t\tb\r\n\t_local_\r\n\t@@USE\r\n"
                  "\t\tname\tdrink\r\n\t\tfunc\t_local_\r\n\t\t\tx\r\n\t\t_local_\r\n\t\tjob\tsmith 10\r\n"
                  "\t\t\tuse\titem\t1\t100\r\n\t\t\tneed\tmoney\t5\t# pay\r\n@@EVENT\r\n\tcode\tev1\t# code\r\n"
                  "\tstartfunc\t_local_(a)\t# c\r\n\t\tdo\r\n\t_local_\r\n\t\tparam\tp\t\r\n@@FUNCITEM\r\nsub a {}\r\n"
                  "sub b {}\r\n@@DEFINE\r\ntype1 \x8c\x95\r\njob smith \x92\x62\x96\xe8\x89\xae\r\n@@SKIP\r\n@@ITEM\r\n"
                  "no 5\r\n@@ENDSKIP\r\nfree text\r\n@@END\r\ntail @@ITEM\r\n"}
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dtest::Document doc(c.rule);
        EXPECT_EQ(ExpectStable(doc, c.text), c.written);
    }
}

// The sample files, opened under the rules they name, read without a
// message, are stable from the first save on, and every element of them
// passes the reopen check untouched.
TEST(WriterRoundTrip, SampleFilesAreStable)
{
    CRuleTable rules;
    LoadRuleTable(rules, TAVARO_SOURCE_DIR "/examples/makeitem_rules");
    for (const char* name : {"inc-item-data.cgi", "inc-item-data-ext.cgi"}) {
        SCOPED_TRACE(name);
        CStr_base<16384> text(dtest::SampleFile(name).c_str());
        CStr_base<1024> body;
        ASSERT_TRUE(CutProjectInfoBlock(text, body));
        dtest::Document doc;
        CAppliedRule applied;
        CStr_base<64> message;
        ASSERT_TRUE(ApplyRule(rules, ReadProjectInfoBody(body).ruleKey, false, applied, doc, message));
        ExpectStable(doc, text.GetBuffer());
        EXPECT_GT(doc.itemdata.GetCount(), 3u);
        for (CMERX_base* const& element : doc.setdata) {
            CStr_base<1024> reason;
            EXPECT_TRUE(SurvivesReopen(doc, *element, &reason)) << reason.GetBuffer();
        }
    }
}
