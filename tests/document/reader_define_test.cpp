// Reading the definition block: types, jobs, time rates and their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "document_test_helpers.h"

namespace {

// "id=name|" for each type, then "code=name|" for each job, "*" behind the
// name when its time rate is set.
std::string TypesAndJobs(const Cdefinestruct& define)
{
    std::string out;
    for (const TypeData& type : define.types)
        out += std::string(type.id.GetBuffer()) + "=" + type.name.GetBuffer() + "|";
    for (const JobData& job : define.jobs)
        out += std::string(job.code.GetBuffer()) + "=" + job.name.GetBuffer() + (job.timerate ? "*|" : "|");
    return out;
}

} // namespace

// Each text is read over a definition that held a type, a job and a time
// rate: nothing of them may stay. The text itself is kept verbatim.
TEST(ReaderDefine, TypesJobsAndMessages)
{
    struct Case {
        std::string text;
        std::string messages;
        std::string read;
        uint32_t firstLine = 0;
    };
    const Case cases[] = {
        // Ids are text: 01 and 1 are two types.
        {SJ("@@DEFINE\n  type3\t武器  \nTYPE01 盾\n\ttype1 薬\njob smith\t鍛冶屋\nJob  cook 料理人\n"
            "set job_smith_time_rate 2\nother line\n"),
         "", SJ("3=武器|01=盾|1=薬|smith=鍛冶屋*|cook=料理人|")},
        {"@@DEFINE\ntype1 A\ntype1 B\n", SJ("[8]：@@DEFINE：\"type\" 種類IDが重複しています。\n"), "1=B|", 5},
        {"@@DEFINE\njob abcdefghij ten\njob abcdefghijk eleven\n",
         SJ("[3]：@@DEFINE：\"job\" コード文字数がオーバーしています\n"), "abcdefghij=ten|"},
        // The time-rate line counts although it stands before the job line.
        {"@@DEFINE\nset job_cook_time_rate 1\njob cook A\njob cook B\n",
         SJ("[4]：@@DEFINE：\"job\" 職業コードが重複しています。\n"), "cook=B*|"},
        {"@@DEFINE\ntypes of items\ntype 1 x\njob Smith X\njobless\ntype7\n",
         std::string(SJ("[2]：@@DEFINE：\"type\" 書式を認識できません\n")) + SJ("[3]：@@DEFINE：\"type\" 書式を認識できません\n") +
             SJ("[4]：@@DEFINE：\"job\" 書式を認識できません\n") + SJ("[5]：@@DEFINE：\"job\" 書式を認識できません\n") +
             SJ("[6]：@@DEFINE：\"type\" 書式を認識できません\n"),
         ""},
        {"@@DEFINE\njob cook c\nset job_smith_time_rate 1\nset job_cook2_time_rate 1\n", "", "cook=c|"},
    };
    for (const Case& c : cases) {
        dtest::Document doc;
        CMerxReader reader(doc);
        uint32_t line = 0;
        ASSERT_TRUE(reader.ParseDefine(doc.definedata, "@@DEFINE\ntype9 old\njob old o\nset job_old_time_rate 1\n", line));
        reader.ClearMessages();
        line = c.firstLine;
        ASSERT_TRUE(reader.ParseDefine(doc.definedata, c.text.c_str(), line));
        EXPECT_EQ(std::string(reader.Messages().GetBuffer()), c.messages) << c.text;
        EXPECT_EQ(line, c.firstLine + std::count(c.text.begin(), c.text.end(), '\n')) << c.text;
        EXPECT_STREQ(doc.definedata.text, c.text.c_str());
        EXPECT_EQ(TypesAndJobs(doc.definedata), c.read) << c.text;
    }
}
