// Reading and writing again: the writer's text read back and written once
// more gives the same bytes, and the reader finds nothing to report in it.
// The rows show how the first writing differs from the text that was read
// (the places where a file could otherwise change again at every save).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/project_info.h"
#include "document/reopen_check.h"
#include "document/rule_table.h"
#include "document_test_helpers.h"

using dtest::ThroughFile;

namespace {

// write(read(text)), with the reader's messages.
std::string WriteRead(dtest::Document& doc, const std::string& text, std::string* messages = nullptr)
{
    const std::string found = doc.Parse(text);
    if (messages)
        *messages = found;
    return dtest::Text(CMerxWriter(doc).WriteDocument());
}

// write(read(text)), after checking that one more cycle changes nothing.
std::string ExpectStable(dtest::Document& doc, const std::string& text)
{
    const std::string first = WriteRead(doc, text);
    std::string messages;
    EXPECT_EQ(WriteRead(doc, ThroughFile(first), &messages), first);
    EXPECT_EQ(messages, "");
    return first;
}

struct CycleCase {
    const char* name;
    std::string text;
    std::string written;
    dtest::Rule rule = {};
};

void PrintTo(const CycleCase& row, std::ostream* out) { *out << row.name; }

class WriterRoundTrip : public ::testing::TestWithParam<CycleCase> {};

} // namespace

TEST_P(WriterRoundTrip, SecondCycleChangesNothing)
{
    dtest::Document doc(GetParam().rule);
    EXPECT_EQ(ExpectStable(doc, GetParam().text), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WriterRoundTrip,
    ::testing::Values(
        // The definition the reader adds to a text without one; the function
        // elements it adds have no text and are not written.
        CycleCase{"Empty", "", "@@DEFINE\r\n"},
        CycleCase{"FreeTextGetsItsLastLineEnd", "# shop\n\nfree \x8c\x95 text", "# shop\r\n\r\nfree \x8c\x95 text\r\n@@DEFINE\r\n"},
        CycleCase{"AnEmptyFirstLineHidesNothing", "\n", "\r\n@@DEFINE\r\n"},
        CycleCase{"AnEmptyFirstLineBeforeAnItem", "\n@@ITEM\n\tname\tx\n\tno\t1\n",
                  "\r\n@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n@@DEFINE\r\n"},
        CycleCase{"FunctionBlocksOfOneKeywordAreMergedEmptyOnesDropped", "@@FUNCTURN # t\na\n@@FUNCNEW\n@@FUNCTURN\nb\n",
                  "@@FUNCTURN\r\na\r\nb\r\n@@DEFINE\r\n"},
        CycleCase{"IfAndMacrosStayOtherText", "@@IF a\n@@ITEM\n\tno 1\n@@SETMACRO m\nx\n@@USEMACRO m\n@@IF b\n",
                  "@@IF a\r\n@@ITEM\r\n\tno\t1\r\n@@SETMACRO m\r\nx\r\n@@USEMACRO m\r\n@@IF b\r\n@@DEFINE\r\n"},
        CycleCase{"Skip", "@@SKIP\n@@SKIP\n@@ENDSKIP\n@@ITEM\nno 1\n@@ENDSKIP\nrest\n",
                  "@@SKIP\r\n@@SKIP\r\n@@ENDSKIP\r\n@@ITEM\r\nno 1\r\n@@ENDSKIP\r\nrest\r\n@@DEFINE\r\n"},
        CycleCase{"TheDefinitionStaysBeforeTheEnd", "@@ITEM\n\tno\t1\n@@IF x\nfree\n@@END\n@@ITEM\nno 2\n@@FUNCITEM\nx",
                  "@@ITEM\r\n\tno\t1\r\n@@IF x\r\nfree\r\n@@DEFINE\r\n@@END\r\n@@ITEM\r\nno 2\r\n@@FUNCITEM\r\nx\r\n"},
        CycleCase{"TheDefinitionStaysBeforeALowerCaseEnd", "free\n@@end\n", "free\r\n@@DEFINE\r\n@@end\r\n"},
        CycleCase{"TheDefinitionStaysBeforeAnUnclosedSkip", "free\n@@SKIP\n@@ITEM\nno 2\n",
                  "free\r\n@@DEFINE\r\n@@SKIP\r\n@@ITEM\r\nno 2\r\n"},
        CycleCase{"LastLineGetsItsLineEnd", "@@DEFINE\nlast", "@@DEFINE\r\nlast\r\n"},
        CycleCase{"BlanksBeforeAnIndentedKeywordBecomeALineOfTheirOwn", "@@DEFINE\n  @@ITEM\n\tno 1\n",
                  "@@DEFINE\r\n  \r\n@@ITEM\r\n\tno\t1\r\n"},
        CycleCase{"IndentedKeywords", "text\n  @@ITEM\n\tno 1\n   @@EVENT\n\tcode e\n",
                  "text\r\n  \r\n@@ITEM\r\n\tno\t1\r\n@@EVENT\r\n\tcode\te\r\n@@DEFINE\r\n"},
        CycleCase{"IncludesAsElements",
                  "@@ITEM\n\tno 1\n\t@@include a.cgi # a\n\t@@include b.cgi\n\t@@USE\n\t\t@@include u.cgi\n"
                  "@@EVENT\n\t@@include e.cgi\n",
                  "@@ITEM\r\n\tno\t1\r\n\t@@include\ta.cgi\t# a\r\n\t@@include\tb.cgi\r\n\t@@USE\r\n"
                  "\t\t@@include\tu.cgi\r\n@@EVENT\r\n\t@@include\te.cgi\r\n@@DEFINE\r\n",
                  {false, true}},
        CycleCase{"IncludesAsText", "@@include a.cgi\n@@ITEM\n\tno 1\n", "@@include a.cgi\r\n@@ITEM\r\n\tno\t1\r\n@@DEFINE\r\n"},
        CycleCase{"ShopFileOfEveryKind",
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
                  "no 5\r\n@@ENDSKIP\r\nfree text\r\n@@END\r\ntail @@ITEM\r\n"}),
    [](const ::testing::TestParamInfo<CycleCase>& info) { return std::string(info.param.name); });

// The sample files, opened under the rules they name, read without a
// message, are stable from the first save on, and every element of them
// passes the reopen check untouched.
TEST(WriterRoundTripSample, SampleFilesAreStable)
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
        std::string messages;
        const std::string first = WriteRead(doc, text.GetBuffer(), &messages);
        EXPECT_EQ(messages, "");
        EXPECT_GT(doc.itemdata.GetCount(), 3u);
        EXPECT_EQ(ExpectStable(doc, ThroughFile(first)), first);
        for (CMERX_base* const& element : doc.setdata) {
            CStr_base<1024> reason;
            EXPECT_TRUE(SurvivesReopen(doc, *element, &reason)) << reason.GetBuffer();
        }
    }
}
