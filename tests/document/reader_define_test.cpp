// Reading the definition block: types, jobs, time rates and their messages.
#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

using dtest::Document;

namespace {

std::string ReadDefine(Document& doc, const std::string& text, uint32_t& line)
{
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_TRUE(reader.ParseDefine(text.c_str(), line));
    return doc.Messages();
}

std::string ReadDefine(Document& doc, const std::string& text)
{
    uint32_t line = 0;
    return ReadDefine(doc, text, line);
}

} // namespace

TEST(ReaderDefine, TypesAndJobsInOrderOfFirstAppearance)
{
    Document doc;
    const std::string text = SJ("@@DEFINE\n  type3\t武器  \nTYPE01 盾\n\ttype1 薬\njob smith\t鍛冶屋\n"
                                "Job  cook 料理人\nset job_smith_time_rate 2\nother line\n");
    EXPECT_EQ(ReadDefine(doc, text), "");
    const Cdefinestruct& define = doc.definedata;
    EXPECT_EQ(define.text, text.c_str());
    ASSERT_EQ(define.types.GetCount(), 3u);
    EXPECT_EQ(define.types[0].id, "3");
    EXPECT_EQ(define.types[0].name, SJ("武器"));
    // Ids are text: 01 and 1 are two types.
    EXPECT_EQ(define.types[1].id, "01");
    EXPECT_EQ(define.types[2].id, "1");
    ASSERT_EQ(define.jobs.GetCount(), 2u);
    EXPECT_EQ(define.jobs[0].code, "smith");
    EXPECT_EQ(define.jobs[0].name, SJ("鍛冶屋"));
    EXPECT_TRUE(define.jobs[0].timerate);
    EXPECT_EQ(define.jobs[1].code, "cook");
    EXPECT_FALSE(define.jobs[1].timerate);
}

TEST(ReaderDefine, ARepeatedTypeIdTakesTheNewName)
{
    Document doc;
    uint32_t line = 5;
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\ntype1 A\ntype1 B\n", line),
              SJ("[8]：@@DEFINE：\"type\" 種類IDが重複しています。\n"));
    EXPECT_EQ(line, 8u);
    ASSERT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_EQ(doc.definedata.types[0].name, "B");
}

TEST(ReaderDefine, JobCodesOfTenLettersAtMost)
{
    Document doc;
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\njob abcdefghij ten\njob abcdefghijk eleven\n"),
              SJ("[3]：@@DEFINE：\"job\" コード文字数がオーバーしています\n"));
    ASSERT_EQ(doc.definedata.jobs.GetCount(), 1u);
    EXPECT_EQ(doc.definedata.jobs[0].code, "abcdefghij");
}

TEST(ReaderDefine, ARepeatedJobCodeTakesTheNewName)
{
    Document doc;
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\nset job_cook_time_rate 1\njob cook A\njob cook B\n"),
              SJ("[4]：@@DEFINE：\"job\" 職業コードが重複しています。\n"));
    ASSERT_EQ(doc.definedata.jobs.GetCount(), 1u);
    EXPECT_EQ(doc.definedata.jobs[0].name, "B");
    // The time-rate line counts although it stands before the job line.
    EXPECT_TRUE(doc.definedata.jobs[0].timerate);
}

TEST(ReaderDefine, MalformedLinesAreReportedAndKeptInTheText)
{
    Document doc;
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\ntypes of items\ntype 1 x\njob Smith X\njobless\ntype7\n"),
              std::string(SJ("[2]：@@DEFINE：\"type\" 書式を認識できません\n")) +
                  SJ("[3]：@@DEFINE：\"type\" 書式を認識できません\n") +
                  SJ("[4]：@@DEFINE：\"job\" 書式を認識できません\n") +
                  SJ("[5]：@@DEFINE：\"job\" 書式を認識できません\n") +
                  SJ("[6]：@@DEFINE：\"type\" 書式を認識できません\n"));
    EXPECT_EQ(doc.definedata.types.GetCount(), 0u);
    EXPECT_EQ(doc.definedata.jobs.GetCount(), 0u);
    EXPECT_EQ(doc.definedata.text, "@@DEFINE\ntypes of items\ntype 1 x\njob Smith X\njobless\ntype7\n");
}

TEST(ReaderDefine, ATimeRateForAnUnknownJobChangesNothing)
{
    Document doc;
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\njob cook c\nset job_smith_time_rate 1\nset job_cook2_time_rate 1\n"), "");
    EXPECT_FALSE(doc.definedata.jobs[0].timerate);
}

TEST(ReaderDefine, ReadingAgainStartsFromNoTypesAndJobs)
{
    Document doc;
    ReadDefine(doc, "@@DEFINE\ntype1 a\njob cook c\n");
    EXPECT_EQ(ReadDefine(doc, "@@DEFINE\ntype1 a\n"), "");
    EXPECT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_EQ(doc.definedata.jobs.GetCount(), 0u);
}

TEST(ReaderDefine, TextWithoutTheKeywordIsRefused)
{
    Document doc;
    ReadDefine(doc, "@@DEFINE\ntype1 a\n");
    uint32_t line = 2;
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_FALSE(reader.ParseDefine("type2 b\n", line));
    EXPECT_EQ(doc.Messages(), SJ("[3]：@@DEFINEを認識できません。\n"));
    EXPECT_EQ(doc.definedata.types.GetCount(), 1u);
    EXPECT_EQ(line, 2u);
}
