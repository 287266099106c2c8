// Reading the definition block: types, jobs, time rates and their messages.
#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

namespace {

struct DefineCase {
    const char* name;
    std::string text;
    std::string messages;
    std::string types; // "id=name|" each, in list order
    std::string jobs;  // "code=name|" each, "*" behind the name when its time rate is set
    uint32_t firstLine = 0;
};

void PrintTo(const DefineCase& row, std::ostream* out) { *out << row.name; }

class ReaderDefine : public ::testing::TestWithParam<DefineCase> {};

} // namespace

// Each text is read over a definition that held a type, a job and a time
// rate: nothing of them may stay. The text itself is kept verbatim.
TEST_P(ReaderDefine, TypesJobsAndMessages)
{
    const DefineCase& row = GetParam();
    dtest::Document doc;
    CMerxReader reader(doc);
    uint32_t line = 0;
    ASSERT_TRUE(reader.ParseDefine(doc.definedata, "@@DEFINE\ntype9 old\njob old o\nset job_old_time_rate 1\n", line));
    doc.m_strApplyError.Release();
    line = row.firstLine;
    ASSERT_TRUE(reader.ParseDefine(doc.definedata, row.text.c_str(), line));
    EXPECT_EQ(doc.Messages(), row.messages);
    EXPECT_EQ(line, row.firstLine + std::count(row.text.begin(), row.text.end(), '\n'));
    EXPECT_EQ(doc.definedata.text, row.text.c_str());
    std::string types;
    for (const TypeData& type : doc.definedata.types)
        types += std::string(type.id.GetBuffer()) + "=" + type.name.GetBuffer() + "|";
    EXPECT_EQ(types, row.types);
    std::string jobs;
    for (const JobData& job : doc.definedata.jobs)
        jobs += std::string(job.code.GetBuffer()) + "=" + job.name.GetBuffer() + (job.timerate ? "*|" : "|");
    EXPECT_EQ(jobs, row.jobs);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReaderDefine,
    ::testing::Values(
        // Ids are text: 01 and 1 are two types.
        DefineCase{"TypesAndJobsInOrderOfFirstAppearance",
                   SJ("@@DEFINE\n  type3\t武器  \nTYPE01 盾\n\ttype1 薬\njob smith\t鍛冶屋\nJob  cook 料理人\n"
                      "set job_smith_time_rate 2\nother line\n"),
                   "", SJ("3=武器|01=盾|1=薬|"), SJ("smith=鍛冶屋*|cook=料理人|")},
        DefineCase{"ARepeatedTypeIdTakesTheNewName", "@@DEFINE\ntype1 A\ntype1 B\n",
                   SJ("[8]：@@DEFINE：\"type\" 種類IDが重複しています。\n"), "1=B|", "", 5},
        DefineCase{"JobCodesOfTenLettersAtMost", "@@DEFINE\njob abcdefghij ten\njob abcdefghijk eleven\n",
                   SJ("[3]：@@DEFINE：\"job\" コード文字数がオーバーしています\n"), "", "abcdefghij=ten|"},
        // The time-rate line counts although it stands before the job line.
        DefineCase{"ARepeatedJobCodeTakesTheNewName", "@@DEFINE\nset job_cook_time_rate 1\njob cook A\njob cook B\n",
                   SJ("[4]：@@DEFINE：\"job\" 職業コードが重複しています。\n"), "", "cook=B*|"},
        DefineCase{"MalformedLinesAreReportedAndKeptInTheText",
                   "@@DEFINE\ntypes of items\ntype 1 x\njob Smith X\njobless\ntype7\n",
                   std::string(SJ("[2]：@@DEFINE：\"type\" 書式を認識できません\n")) +
                       SJ("[3]：@@DEFINE：\"type\" 書式を認識できません\n") +
                       SJ("[4]：@@DEFINE：\"job\" 書式を認識できません\n") +
                       SJ("[5]：@@DEFINE：\"job\" 書式を認識できません\n") +
                       SJ("[6]：@@DEFINE：\"type\" 書式を認識できません\n"),
                   "", ""},
        DefineCase{"ATimeRateForAnUnknownJobChangesNothing",
                   "@@DEFINE\njob cook c\nset job_smith_time_rate 1\nset job_cook2_time_rate 1\n", "", "", "cook=c|"}),
    [](const ::testing::TestParamInfo<DefineCase>& info) { return std::string(info.param.name); });

// The definition page reads an edited text into a fresh element and takes
// it only when the reader had nothing to say.
TEST(ReaderDefineFresh, ARefusedTextLeavesTheDefinitionAsItWas)
{
    dtest::Document doc;
    doc.Parse("@@DEFINE\ntype1 a\n");
    CStr_base<1024> messages;
    CElementReader reader(doc, messages);
    Cdefinestruct fresh;
    uint32_t line = 0;
    ASSERT_TRUE(reader.ParseDefine(fresh, "@@DEFINE\ntype2 b\ntype2 c\n", line));
    EXPECT_STREQ(messages, SJ("[3]：@@DEFINE：\"type\" 種類IDが重複しています。\n"));
    EXPECT_EQ(doc.Messages(), "");
    EXPECT_STREQ(doc.definedata.text, "@@DEFINE\ntype1 a\n");
    ASSERT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_STREQ(doc.definedata.types[0].name, "a");

    messages.Release();
    ASSERT_TRUE(reader.ParseDefine(fresh, "@@DEFINE\ntype2 b\njob smith s\n", line));
    ASSERT_STREQ(messages, "");
    doc.definedata = fresh;
    EXPECT_STREQ(doc.definedata.text, "@@DEFINE\ntype2 b\njob smith s\n");
    ASSERT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_STREQ(doc.definedata.types[0].id, "2");
    ASSERT_EQ(doc.definedata.jobs.GetCount(), 1u);
    EXPECT_STREQ(doc.definedata.jobs[0].code, "smith");
}
