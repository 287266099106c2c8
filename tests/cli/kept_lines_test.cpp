// What tavaro's writing commands change in the sample: only the lines that
// hold what was changed, the project block aside (the kept writer's rules
// are the document's tests).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "foundation/cp932.h"
#include "run_tavaro.h"

namespace {

// The lines behind the project block, UTF-8.
std::vector<std::string> DataLines(const std::string& file)
{
    const std::string end = "###MERX_PROJECT_INFO_END\r\n";
    std::string text = file.substr(file.find(end) + end.size());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(Cp932ToUtf8(text.substr(start, at - start).c_str()));
        start = at + 2;
    }
    return lines;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Every line that changed held `from` and holds `to` in its place; returns
// how many changed.
size_t ExpectOnlyLinesWith(const std::vector<std::string>& before, const std::vector<std::string>& after,
                           const std::string& from, const std::string& to)
{
    EXPECT_EQ(before.size(), after.size());
    size_t changed = 0;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] == after[i])
            continue;
        ++changed;
        EXPECT_NE(before[i].find(from), std::string::npos) << before[i];
        EXPECT_EQ(after[i], ReplaceAll(before[i], from, to)) << before[i];
    }
    return changed;
}

} // namespace

TEST(TavaroKeptLines, RenameChangesTheLinesThatHoldTheName)
{
    TempFolder folder;
    const std::string out = folder.Path("out.cgi");
    const TavaroRun run = RunTavaro({"item", "rename", "-o", out, kSample, "0", "ライ麦"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The item's name line, two use lines and one line of each of two
    // events name it.
    EXPECT_EQ(ExpectOnlyLinesWith(DataLines(ReadFile(kSample)), DataLines(ReadFile(out)), "小麦", "ライ麦"), 6u);
}

TEST(TavaroKeptLines, ReplaceChangesTheLinesThatHoldTheWord)
{
    TempFolder folder;
    const std::string out = folder.Path("out.cgi");
    const TavaroRun run = RunTavaro({"replace", "-o", out, kSample, "小麦粉", "粉"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> before = DataLines(ReadFile(kSample));
    size_t holding = 0;
    for (const std::string& line : before)
        holding += line.find("小麦粉") != std::string::npos;
    EXPECT_EQ(ExpectOnlyLinesWith(before, DataLines(ReadFile(out)), "小麦粉", "粉"), holding);
}

// Format, by contrast, lays every element out anew.
TEST(TavaroKeptLines, FormatStillWritesTheGameLayout)
{
    TempFolder folder;
    const std::string out = folder.Path("out.cgi");
    const TavaroRun run = RunTavaro({"format", "-o", out, kSample});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(DataLines(ReadFile(kSample)), DataLines(ReadFile(out)));
}
