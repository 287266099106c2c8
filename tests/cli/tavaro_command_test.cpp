// The built tavaro program, run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "cli/regex_args.h"
#include "run_tavaro.h"

namespace {

struct Report {
    std::vector<std::string> args;  // after "regex"
    std::string expected;           // standard output
};

void ExpectReports(const std::vector<Report>& rows)
{
    for (const Report& row : rows) {
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), "regex");
        const TavaroRun run = RunTavaro(args);
        SCOPED_TRACE(testing::PrintToString(row.args));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, row.expected);
        EXPECT_EQ(run.err, "");
    }
}

// The command hands its arguments to the engine and reports what it found;
// the engine's own rules are the pattern tests'.
TEST(TavaroRegex, ReportsSearchesAndReplacements)
{
    ExpectReports({
        {{"--options", "g", "%/d", "a12b345"}, "count 2\nhit 1 2\nhit 4 3\nmatch 0\nmatch 1\n"},
        {{"--options", "g", "%{%j%}", "表\\x80"}, "count 2\nhit 0 2\nhit 2 1\nmatch 0\ncap 0 \"表\"\nmatch 1\ncap 0 \"\\x80\"\n"},
        // A plain search does not try the end of the text.
        {{"--plain", "--options", "g", "%/0w", "ab"}, "count 2\nhit 0 0\nhit 1 0\nmatch 0\nmatch 1\n"},
        {{"--options", "g", "--replace", " ", "\\t", "a\\tb"}, "count 1\nhit 1 1\nmatch 0\nresult \"a b\"\n"},
        // User matcher 0 is registered: "表" (0x95 0x5C) gets its backslash doubled.
        {{"--options", "g", "--replace", "%0v\\\\", "%{%0u%}%!z\\\\%P", "表示"},
         "count 1\nhit 0 3\nmatch 0\ncap 0 \"表\"\nresult \"表\\\\示\"\n"},
    });
}

TEST(TavaroRegex, TakesTheTextFromAFileAsItsBytes)
{
    TempFolder folder;
    folder.Put("text", "\tKey=\x95\x5C\r\nx\\n");
    folder.Put("zero", std::string("ab\0cd", 5));
    ExpectReports({
        {{"--options", "s", "--file", folder.Path("text"), "%/0w%{%+j%e=%}%{%+0j%P\\n%}"},
         "count 1\nhit 0 8\nmatch 0\ncap 0 \"Key\"\ncap 1 \"表\\r\"\n"},
        // No escapes are read in the file: a backslash is a backslash.
        {{"--plain", "--options", "g", "--file", folder.Path("text"), "\\\\"}, "count 1\nhit 10 1\nmatch 0\n"},
    });
    const TavaroRun missing = RunTavaro({"regex", "--file", "/nonexistent/tavaro.cgi", "%d"});
    EXPECT_EQ(missing.status, 66);
    EXPECT_EQ(missing.err, "tavaro regex: cannot read /nonexistent/tavaro.cgi: No such file or directory\n");
    const TavaroRun zero = RunTavaro({"regex", "--file", folder.Path("zero"), "%d"});
    EXPECT_EQ(zero.status, 65);
    EXPECT_NE(zero.err.find("holds a zero byte at offset 2"), std::string::npos) << zero.err;
}

TEST(TavaroRegex, PatternOverItsBudgetIsStopped)
{
    // Every empty match captures the rest of the text, and the match history
    // keeps a copy of each: some 450 MB for 30,000 characters.
    const TavaroRun run = RunTavaro({"regex", "--options", "g", "%{%p%/j%e%}", std::string(30000, 'a')});
    EXPECT_EQ(run.status, 65);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tavaro regex: the pattern went over its budget of 256 MB for captures and results and was "
                       "stopped; there is no result\n");
}

// Every command's mistakes of usage: status 64, nothing printed, and the
// mistake named (the parsers' own rules are their unit tests').
TEST(TavaroUsage, MistakesGiveStatus64AndSayWhat)
{
    TempFolder folder;
    folder.Put("data.cgi", DataFile({"@@ITEM", "\tno\t1", "\tname\t剣"}));
    const std::string file = folder.Path("data.cgi");
    ExpectRuns({
        {{}, 64, "", "Usage: tavaro COMMAND"},
        {{"bogus"}, 64, "", "tavaro: unknown command \"bogus\"\nUsage: tavaro COMMAND"},
        {{"regex"}, 64, "", "tavaro regex: missing PATTERN\nUsage: tavaro regex "},
        {{"regex", "--options", "zq", "a"}, 64, "", "tavaro regex: --options zq: the letters are i, g and s\nUsage: tavaro "},
        {{"check"}, 64, "", "tavaro check: FILE is missing\nUsage: tavaro "},
        {{"check", "--uses", file}, 64, "", "tavaro check: unknown option --uses\nUsage: tavaro "},
        {{"check", file, "x"}, 64, "", "tavaro check: only one FILE may be given\nUsage: tavaro "},
        {{"find", file}, 64, "", "tavaro find: SEARCH is missing\nUsage: tavaro find "},
        {{"replace", file, "a"}, 64, "", "tavaro replace: REPLACEMENT is missing\nUsage: tavaro replace "},
        {{"find", file, "a", "b"}, 64, "", "tavaro find: unexpected argument \"b\"\nUsage: tavaro "},
        {{"find", "-o", folder.Path("out.cgi"), file, "a"}, 64, "", "tavaro find: unknown option -o\nUsage: tavaro "},
        {{"find", file, "剣😀"}, 64, "", "tavaro find: SEARCH holds characters that CP932 cannot hold: 😀 (U+1F600)\nUsage: tavaro "},
        {{"replace", file, "剣", "¥5"}, 64, "",
         "tavaro replace: REPLACEMENT holds characters that CP932 cannot hold: ¥ (U+00A5)\nUsage: tavaro "},
        {{"item"}, 64, "", "tavaro item: "},
        {{"item", "sort", file}, 64, "", "tavaro item: "},
        {{"item", "list", "-o", folder.Path("out.cgi"), file}, 64, "", "tavaro item: "},
        {{"item", "list", "--no-track", file}, 64, "", "tavaro item: "},
        {{"item", "rename", "--uses", file, "0", "x"}, 64, "", "tavaro item: "},
        {{"item", "rename", file, "x1", "a"}, 64, "", "tavaro item: INDEX must be digits, not \"x1\"\nUsage: tavaro item list"},
        {{"item", "rename", file, "0", "剣😀한"}, 64, "",
         "tavaro item: NEWNAME holds characters that CP932 cannot hold: 😀 (U+1F600), 한 (U+D55C)\nUsage: tavaro item list"},
        {{"item", "rename", file, "0"}, 64, "", "tavaro item: NEWNAME is missing\nUsage: tavaro item list"},
        {{"sort", "--key", "weight", file}, 64, "", "tavaro sort: "},
        {{"sort", "--key"}, 64, "", "tavaro sort: "},
        {{"format", "--rule"}, 64, "", "tavaro format: "},
        {{"format", "--name", "港한", file}, 64, "",
         "tavaro format: --name holds characters that CP932 cannot hold: 한 (U+D55C)\nUsage: tavaro "},
    });
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
}

// Every command's help (a subcommand's is its command's), the list of
// commands, and the version.
TEST(TavaroUsage, HelpAndVersion)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--version"}, "tavaro " TAVARO_VERSION "\n"}, {{"--help"}, "Usage: tavaro COMMAND "},
        {{"check", "--help"}, "Usage: tavaro check "},  {{"find", "--help"}, "Usage: tavaro find "},
        {{"format", "--help"}, "Usage: tavaro format "}, {{"info", "--help"}, "Usage: tavaro info "},
        {{"item", "--help"}, "Usage: tavaro item list "}, {{"regex", "--help"}, std::string(RegexHelp())},
        {{"sort", "--help"}, "Usage: tavaro sort "},
    };
    for (const auto& [args, out] : rows) {
        const TavaroRun run = RunTavaro(args);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_EQ(run.out.substr(0, out.size()), out) << args[0];
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(RunTavaro({"replace", "--help"}).out, RunTavaro({"find", "--help"}).out);
    for (const char* sub : {"list", "rename"})
        EXPECT_EQ(RunTavaro({"item", sub, "--help"}).out, RunTavaro({"item", "--help"}).out) << sub;
    const std::string commands = RunTavaro({"--help"}).out;
    for (const char* command : {"check", "find", "format", "info", "item", "regex", "replace", "sort"})
        EXPECT_NE(commands.find(std::string("\n  ") + command + " "), std::string::npos) << command;
}

}  // namespace
