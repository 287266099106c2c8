// The built tavaro program, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/regex_args.h"
#include "run_tavaro.h"

namespace {

// Runs "tavaro regex ARGS" and expects success with exactly `expected` on
// standard output.
void ExpectReport(std::vector<std::string> args, const std::string& expected)
{
    args.insert(args.begin(), "regex");
    const TavaroRun run = RunTavaro(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
}

// Runs tavaro and expects the usage status 64, nothing on standard output
// and a message that begins with `message` on standard error.
void ExpectUsageError(const std::vector<std::string>& args, const std::string& message)
{
    const TavaroRun run = RunTavaro(args);
    EXPECT_EQ(run.status, 64);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, message.size()), message) << run.err;
}

// A file in the temporary folder that is removed again.
class TextFile {
public:
    explicit TextFile(const std::string& bytes)
    {
        const char* dir = std::getenv("TMPDIR");
        m_path = std::string(dir && *dir ? dir : "/tmp") + "/tavaro-text-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~TextFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// --- Searching strings ------------------------------------------------------

TEST(TavaroRegex, AllMatches)
{
    ExpectReport({"--options", "g", "%/d", "a12b345"}, "count 2\nhit 1 2\nhit 4 3\nmatch 0\nmatch 1\n");
}

TEST(TavaroRegex, FirstMatchOnly)
{
    ExpectReport({"%/d", "a12b345"}, "count 1\nhit 1 2\nmatch 0\n");
}

TEST(TavaroRegex, NoMatch)
{
    ExpectReport({"--options", "g", "%/d", "abc"}, "count 0\n");
}

TEST(TavaroRegex, CapturesOfASettingsLine)
{
    ExpectReport({"--options", "s", "%/0w%{%+j%e=%}%{%+0j%P\\n%}", "\\tSaveAutoBackup=ON"},
                 "count 1\nhit 0 18\nmatch 0\ncap 0 \"SaveAutoBackup\"\ncap 1 \"ON\"\n");
}

TEST(TavaroRegex, InnerCaptureComesFirst)
{
    ExpectReport({"--options", "s", "%{%/k%e%*0W%{%/0j%}%$%}", "name 剣"},
                 "count 1\nhit 0 7\nmatch 0\ncap 0 \"剣\"\ncap 1 \"name\"\n");
}

TEST(TavaroRegex, EveryMatchKeepsItsCaptures)
{
    ExpectReport({"--options", "g", "%{%j%}", "表\\x80"},
                 "count 2\nhit 0 2\nhit 2 1\nmatch 0\ncap 0 \"表\"\nmatch 1\ncap 0 \"\\x80\"\n");
}

TEST(TavaroRegex, DoubleByteCharactersAreWhole)
{
    ExpectReport({"--options", "g", "%J", "aあｱ表"}, "count 2\nhit 1 2\nhit 4 2\nmatch 0\nmatch 1\n");
}

TEST(TavaroRegex, IgnoreCase)
{
    ExpectReport({"--options", "gi", "ab", "xABab"}, "count 2\nhit 1 2\nhit 3 2\nmatch 0\nmatch 1\n");
}

TEST(TavaroRegex, EmptyMatchesIncludeTheEnd)
{
    ExpectReport({"--options", "g", "%/0w", "ab"},
                 "count 3\nhit 0 0\nhit 1 0\nhit 2 0\nmatch 0\nmatch 1\nmatch 2\n");
}

// --- Replacing --------------------------------------------------------------

TEST(TavaroRegex, ReplaceTabsByBlanks)
{
    ExpectReport({"--options", "g", "--replace", " ", "\\t", "a\\tb"},
                 "count 1\nhit 1 1\nmatch 0\nresult \"a b\"\n");
}

TEST(TavaroRegex, TrimByReplacingWithACapture)
{
    ExpectReport({"--options", "s", "--replace", "%0v", "%/0W%{%+0j%e%/0W%$%}", "  abc  "},
                 "count 1\nhit 0 3\nmatch 0\ncap 0 \"abc\"\nresult \"abc\"\n");
}

TEST(TavaroRegex, UserMatcherZeroFindsTheBackslashByte)
{
    // "表" is 0x95 0x5C: its second byte is a backslash, which gets doubled.
    ExpectReport({"--options", "g", "--replace", "%0v\\\\", "%{%0u%}%!z\\\\%P", "表示"},
                 "count 1\nhit 0 3\nmatch 0\ncap 0 \"表\"\nresult \"表\\\\示\"\n");
    ExpectReport({"--options", "g", "--replace", "%0v\\\\", "%{%0u%}%!z\\\\%P", "表\\\\示"},
                 "count 0\nresult \"表\\\\示\"\n");
}

TEST(TavaroRegex, ReplaceWithoutMatchKeepsTheText)
{
    ExpectReport({"--replace", "x", "%d", "abc"}, "count 0\nresult \"abc\"\n");
}

// --- Plain texts ------------------------------------------------------------

TEST(TavaroRegex, PlainSearchDoesNotTryTheEnd)
{
    ExpectReport({"--plain", "--options", "g", "%/0w", "ab"}, "count 2\nhit 0 0\nhit 1 0\nmatch 0\nmatch 1\n");
}

TEST(TavaroRegex, PlainNegation)
{
    ExpectReport({"--plain", "%!d", "123"}, "count 0\n");
    ExpectReport({"--plain", "%!d", "12a"}, "count 1\nhit 2 0\nmatch 0\n");
}

// --- Texts from files -------------------------------------------------------

TEST(TavaroRegex, FileBytesAreTheText)
{
    const TextFile file("\tKey=\x95\x5C\r\nx\\n");
    ExpectReport({"--options", "s", "--file", file.Path(), "%/0w%{%+j%e=%}%{%+0j%P\\n%}"},
                 "count 1\nhit 0 8\nmatch 0\ncap 0 \"Key\"\ncap 1 \"表\\r\"\n");
    // No escapes are read in the file: a backslash is a backslash.
    ExpectReport({"--plain", "--options", "g", "--file", file.Path(), "\\\\"}, "count 1\nhit 10 1\nmatch 0\n");
}

TEST(TavaroRegex, UnreadableFile)
{
    const TavaroRun run = RunTavaro({"regex", "--file", "/nonexistent/tavaro.cgi", "%d"});
    EXPECT_EQ(run.status, 66);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tavaro regex: cannot read /nonexistent/tavaro.cgi: No such file or directory\n");
}

TEST(TavaroRegex, FileWithAZeroByteIsRefused)
{
    const TextFile file(std::string("ab\0cd", 5));
    const TavaroRun run = RunTavaro({"regex", "--file", file.Path(), "%d"});
    EXPECT_EQ(run.status, 65);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("holds a zero byte at offset 2"), std::string::npos) << run.err;
}

TEST(TavaroRegex, PatternOverItsBudgetIsStopped)
{
    // Every empty match captures the rest of the text, and the match history
    // keeps a copy of each: some 450 MB for 30,000 characters.
    const std::string text(30000, 'a');
    const TavaroRun run = RunTavaro({"regex", "--options", "g", "%{%p%/j%e%}", text});
    EXPECT_EQ(run.status, 65);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tavaro regex: the pattern went over its budget of 256 MB for captures and results and was "
                       "stopped; there is no result\n");
}

// --- Usage ------------------------------------------------------------------

TEST(TavaroUsage, BadArguments)
{
    ExpectUsageError({"regex"}, "tavaro regex: missing PATTERN\nUsage: tavaro regex ");
    ExpectUsageError({"regex", "--bogus", "%d"}, "tavaro regex: unknown option --bogus\n");
    ExpectUsageError({"regex", "%d", "--options"}, "tavaro regex: --options needs an argument\n");
    ExpectUsageError({"regex", "--file", "x.cgi", "%d", "text"},
                     "tavaro regex: TEXT cannot be given together with --file\n");
    ExpectUsageError({"regex", "%d", "a", "b"}, "tavaro regex: too many arguments");
    ExpectUsageError({"regex", "%d", "\\x4"}, "tavaro regex: TEXT: \\x needs two hex digits\n");
    ExpectUsageError({"regex", "--plain", "--replace", "x", "%d", "1"}, "tavaro regex: --replace cannot be used");
}

TEST(TavaroUsage, BadCommands)
{
    ExpectUsageError({}, "Usage: tavaro COMMAND");
    ExpectUsageError({"bogus"}, "tavaro: unknown command \"bogus\"\nUsage: tavaro COMMAND");
}

TEST(TavaroUsage, HelpAndVersion)
{
    const TavaroRun help = RunTavaro({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("\n  regex "), std::string::npos) << help.out;

    const TavaroRun version = RunTavaro({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tavaro " TAVARO_VERSION "\n");

    const TavaroRun regexHelp = RunTavaro({"regex", "--help"});
    EXPECT_EQ(regexHelp.status, 0);
    EXPECT_EQ(regexHelp.out, RegexHelp());
}

}  // namespace
