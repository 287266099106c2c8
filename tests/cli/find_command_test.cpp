// "tavaro find" and "tavaro replace", run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "foundation/cp932.h"
#include "run_tavaro.h"

namespace {

// A project with every kind of element from UTF-8 lines (CP932, CR LF);
// `sword` is the first item's name, also in its use line, `info` the
// second item's info.
std::string Project(const std::string& sword = "剣", const std::string& info = "USE me")
{
    const std::vector<std::string> lines = {
        "@@DEFINE", "type1\t武器",
        "@@ITEM", "\tno\t1", "\ttype\t武器", "\tcode\tsword", "\tname\t" + sword,
        "\tfunct\t_local_", "\t\tswing();", "\t_local_",
        "\t@@USE", "\t\tname\t振る", "\t\tfunc\tswing()", "\t\t\tuse\t1\t" + sword,
        "@@ITEM", "\tno\t2", "\tcode\tshield", "\tname\t盾", "\tinfo\t" + info,
        "@@EVENT", "\tcode\tev_storm", "\tstartfunc\tstorm()",
        "@@IF\tx",
        "@@FUNCITEM", "sub swing { return 1; }"};
    return DataFile(lines);
}

const std::string kRefused = "：置換後のデータを解析できませんでした。直前の項目は置換されませんでした。\n";

// Runs "tavaro COMMAND" with each case's arguments, `file` in place of "=".
void Expect(const std::string& command, const std::string& file, std::vector<TavaroCase> cases)
{
    for (TavaroCase& c : cases) {
        c.args.insert(c.args.begin(), command);
        for (std::string& arg : c.args)
            if (arg == "=")
                arg = file;
    }
    ExpectRuns(cases);
}

} // namespace

TEST(FindCommand, EachMethodTargetAndField)
{
    TempFolder folder;
    folder.Put("data.cgi", Project());
    const std::string none = "検索結果 (該当なし)\n該当する要素は見つかりませんでした\n";
    // One row for each word of the options; the engine's own rules are the
    // find tests'.
    Expect("find", folder.Path("data.cgi"), {
        {{"=", "剣"}, 0, "ITEM[0]：剣\n", "検索結果 (1要素が該当)\n"},
        {{"--field", "name", "--method", "exact", "=", "剣"}, 0, "ITEM[0]：剣\n", "検索結果 (1要素が該当)\n"},
        {{"--field", "code", "--method", "prefix", "=", "s"}, 0, "ITEM[0]：剣\nITEM[1]：盾\n",
         "検索結果 (2要素が該当)\n"},
        {{"--field", "code", "--method", "wildcard", "=", "s?o"}, 0, "ITEM[0]：剣\nEVENT[0]：ev_storm\n",
         "検索結果 (2要素が該当)\n"},
        {{"--field", "code", "--method", "pattern", "--options", "i", "=", "SHIELD"}, 0, "ITEM[1]：盾\n",
         "検索結果 (1要素が該当)\n"},
        // Only the pattern method reads escapes: "\t" is a tab there.
        {{"--method", "pattern", "=", "\\t盾"}, 0, "ITEM[1]：盾\n", "検索結果 (1要素が該当)\n"},
        {{"=", "\\t盾"}, 1, "", none},
        {{"--field", "script", "=", "swing"}, 0, "ITEM[0]：剣\nFUNC[0]：@@FUNCITEM\n", "検索結果 (2要素が該当)\n"},
        {{"--field", "no", "--method", "exact", "=", "2"}, 0, "ITEM[1]：盾\n", "検索結果 (1要素が該当)\n"},
        {{"--field", "text", "--target", "items", "=", "盾\r\n"}, 0, "ITEM[1]：盾\n", "検索結果 (1要素が該当)\n"},
        {{"--target", "events", "=", "storm"}, 0, "EVENT[0]：ev_storm\n", "検索結果 (1要素が該当)\n"},
        {{"--target", "functions", "=", "swing"}, 0, "FUNC[0]：@@FUNCITEM\n", "検索結果 (1要素が該当)\n"},
        {{"--target", "others", "=", "@@"}, 0, "DEFINE[0]：プロジェクト定義\nOTHER[4]：@@IF\tx\n",
         "検索結果 (2要素が該当)\n"},
        {{"--target", "items-events", "=", "s"}, 0, "ITEM[0]：剣\nITEM[1]：盾\nEVENT[0]：ev_storm\n",
         "検索結果 (3要素が該当)\n"},
        {{"--target", "not-items-events", "=", "swing"}, 0, "FUNC[0]：@@FUNCITEM\n", "検索結果 (1要素が該当)\n"},
        {{"--target", "all", "=", "swing"}, 0, "ITEM[0]：剣\nFUNC[0]：@@FUNCITEM\n", "検索結果 (2要素が該当)\n"},
        // A search text that begins with "-" comes after "--".
        {{"--", "=", "-x"}, 1, "", none},
    });
}

TEST(ReplaceCommand, ReportsWithoutWritingAndRefusesWhatWouldNotReadBack)
{
    TempFolder folder;
    folder.Put("data.cgi", Project());
    const std::string nothing = "置換結果 (該当なし)\n置換は行われませんでした\n";
    const std::string oneRefused = "1 要素は置換後のデータを解析できないため置換されませんでした。\n";
    Expect("replace", folder.Path("data.cgi"), {
        {{"=", "剣", "刀"}, 0, "ITEM[0]：刀\n", "置換結果 (1要素が該当)\n2 箇所を置換えました\n"},
        {{"=", "槍", "x"}, 1, "", nothing},
        // Nothing replaced: -o writes nothing.
        {{"-o", folder.Path("out.cgi"), "=", "槍", "x"}, 1, "", nothing},
        // "@@USE" would become an undefined key: that item keeps its content.
        {{"=", "USE", "USER"}, 3, "ITEM[0]：剣\nITEM[0]" + kRefused + "ITEM[1]：盾\n",
         "置換結果 (1要素が該当)\n1 箇所を置換えました\n" + oneRefused},
        {{"--field", "code", "--method", "pattern", "--options", "g", "=", "o", "0"}, 0,
         "ITEM[0]：剣\nEVENT[0]：ev_st0rm\n", "置換結果 (2要素が該当)\n2 箇所を置換えました\n"},
    });
    EXPECT_EQ(folder.Get("data.cgi"), Project());
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
}

// Refused for the lines the reader reported (the table of the write
// paths), replace still reports what it replaced, before why nothing was
// written.
TEST(ReplaceCommand, NeverWritesOverLinesTheReaderReported)
{
    TempFolder folder;
    std::string unread = Project();
    unread.insert(unread.find("\tinfo"), "\tstray\r\n");
    folder.Put("bad.cgi", unread);
    const std::string file = folder.Path("bad.cgi");
    const TavaroRun run = RunTavaro({"replace", "-o", file, file, "剣", "刀"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "ITEM[0]：刀\n");
    EXPECT_NE(run.err.find("\n置換結果 (1要素が該当)\n2 箇所を置換えました\ntavaro replace: " + file +
                           " not written, since the reader reported lines\n"),
              std::string::npos)
        << run.err;
}

TEST(FindCommand, PatternOverItsBudgetPrintsAndWritesNothing)
{
    TempFolder folder;
    folder.Put("data.cgi", Project());
    // Each empty match captures the rest of a long text and the replacement
    // inserts it: far more than the budget's memory.
    folder.Put("long.cgi", "@@FUNCITEM\r\n" + std::string(30000, 'a') + "\r\n");
    const std::string budget = "the pattern went over its budget of 256 MB for captures and results and was "
                               "stopped; there is no result\n";
    Expect("find", folder.Path("data.cgi"),
           {{{"--method", "pattern", "=", "%99999999T"}, 65, "",
             "tavaro find: " + budget + "正規表現の処理が上限を超えたため、検索を中止しました。\n"}});
    Expect("replace", folder.Path("long.cgi"),
           {{{"-o", folder.Path("out.cgi"), "--method", "pattern", "--options", "g", "=", "%{%p%/j%e%}", "%0v"}, 65, "",
             "tavaro replace: " + budget +
                 "正規表現の処理が上限を超えたため、置換を中止しました。データは変更されていません。\n"}});
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
}

TEST(ReplaceCommand, WhatItWritesReadsBackAsItIs)
{
    // Blanks put in front of each "@@" line: the "@@END" text of the
    // sample would lose them to the text before it on reopen.
    TempFolder folder;
    const std::string out = folder.Path("out.cgi");
    const TavaroRun run = RunTavaro({"replace", "--method", "pattern", "--options", "g", "--field", "text", "-o", out,
                                     kSample, "%g@@", "  @@"});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.out.find("OTHER[86]：@@END\nOTHER[86]" + kRefused), std::string::npos) << run.out;
    // What was written reads back as it is: formatted, it stays as it is
    // formatted once more.
    EXPECT_EQ(RunTavaro({"format", "-o", folder.Path("again.cgi"), out}).status, 0);
    EXPECT_EQ(RunTavaro({"format", "-o", folder.Path("twice.cgi"), folder.Path("again.cgi")}).status, 0);
    EXPECT_EQ(folder.Get("twice.cgi"), folder.Get("again.cgi"));
}
