// A damaged project block in a file: "tavaro format" keeps every item and
// the damaged lines, with CR LF and with LF line ends.
#include <gtest/gtest.h>

#include <string>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

const std::string kHead = "###\x82\xb1\x82\xb1\x82\xa9\x82\xe7MERX_PROJECT_INFO_END"  // "###ここから"
                          "\x82\xdc\x82\xc5\x82\xcc\x8ds\x82\xf0\x95\xd2\x8fW\x82\xb5\x82\xc8\x82\xa2"
                          "\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2\n###MERX_PROJECT_INFO_BEGIN\n";
const std::string kWhole = kHead + "###RuleKey=harbor-beta.sir\n###ProjectName=whole\n###MERX_PROJECT_INFO_END\n";

std::string Items(int first, int count)
{
    std::string items;
    for (int no = first; no < first + count; ++no)
        items += "@@ITEM\n\tno\t" + std::to_string(no) + "\n\tname\titem" + std::to_string(no) + "\n";
    return items;
}

std::string WithLineEnds(std::string text, bool crlf)
{
    for (size_t at = 0; crlf && (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    return text;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

TEST(ProjectBlockInFile, ADamagedBlockLosesNoItem)
{
    struct Case {
        const char* name;
        std::string text;
        const char* projectName; // from the whole block, or the default name
    };
    const Case cases[] = {
        {"no closing line", kHead + "###RuleKey=old\n" + Items(1, 5), "\x96\xb3\x91\xe8"}, // "無題"
        {"no closing line, a whole block further down", kHead + "###RuleKey=old\n" + Items(1, 3) + kWhole + Items(4, 2),
         "whole"},
        {"a whole block below the items", Items(1, 5) + kWhole, "whole"},
    };
    for (const Case& c : cases) {
        for (const bool crlf : {true, false}) {
            TempFolder folder;
            folder.Put("data.cgi", WithLineEnds(c.text, crlf));
            const TavaroRun run = RunTavaro({"format", "--rule", "harbor-beta.sir", folder.Path("data.cgi")});
            const std::string what = std::string(c.name) + (crlf ? ", CR LF" : ", LF");
            ASSERT_EQ(run.status, 0) << what << "\n" << run.err;
            EXPECT_EQ(Count(run.out, "@@ITEM\r\n"), 5u) << what;
            EXPECT_EQ(Count(run.out, "\tname\titem"), 5u) << what;
            EXPECT_NE(run.out.find("###ProjectName=" + std::string(c.projectName) + "\r\n"), std::string::npos) << what;
            // The written block, and the damaged lines kept as text.
            const size_t damaged = Count(c.text, "###RuleKey=old\n");
            EXPECT_EQ(Count(run.out, "###MERX_PROJECT_INFO_BEGIN\r\n"), 1 + damaged) << what;
            EXPECT_EQ(Count(run.out, "###RuleKey=old\r\n"), damaged) << what;
        }
    }
}
