// File names as tavaro takes them: a "\" is a character of the name, an
// empty OUT is no name, and a FILE that cannot be opened says why.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

std::string Item(const std::string& no, const std::string& name)
{
    return "@@ITEM\r\n\tno\t" + no + "\r\n\tcode\tc" + no + "\r\n\tname\t" + name + "\r\n";
}

const std::string kCannotOpen =
    "目標のファイルにアクセスできません。\n操作をキャンセルします。\n";

} // namespace

// "d\x.cgi" is one file in the current folder, never "x.cgi" in the folder
// "d": it is read, rewritten and backed up under its own name, and the
// same spelling names the same file for FILE and for -o.
TEST(FileNames, ABackslashIsACharacterOfTheName)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Path("d"));
    // The backups of every run lie in one folder: the data of this one is its own.
    const std::string run = std::filesystem::path(folder.Path()).filename().string();
    const std::string other = Item("1", "other " + run);
    const std::string own = Item("2", "own " + run);
    folder.Put("d/x.cgi", other);
    folder.Put("d\\x.cgi", own);
    const std::string file = folder.Path("d\\x.cgi");

    const TavaroRun renamed = RunTavaro({"item", "rename", "-o", file, file, "0", "ZZ"});
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_TRUE(renamed.out.starts_with("renamed ITEM[0] \"own " + run + "\"")) << renamed.out;
    EXPECT_NE(folder.Get("d\\x.cgi").find("\tname\tZZ\r\n"), std::string::npos);
    EXPECT_EQ(folder.Get("d/x.cgi"), other);
    EXPECT_EQ(NewBackups(own, {}).size(), 1u);
    EXPECT_TRUE(BackupFolder(other).empty());

    // Written elsewhere, and from there back over FILE: one name, one file.
    const TavaroRun copied = RunTavaro({"format", "-o", folder.Path("e\\y.cgi"), file});
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_EQ(folder.Get("e\\y.cgi"), folder.Get("d\\x.cgi"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("e")));
    EXPECT_NE(RunTavaro({"info", folder.Path("e\\y.cgi")}).out.find("編集中ファイル名：" + folder.Path("e\\y.cgi") + "\n"),
              std::string::npos);
}

// The reason follows the message of the editor; a name with characters
// that CP932 lacks is never opened under a name with "?" in their place.
TEST(FileNames, AFileThatCannotBeOpenedSaysWhy)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Path("folder.cgi"));
    folder.Put("caf?.cgi", Item("1", "decoy"));
    folder.Put("caf\xc3\xa9.cgi", Item("1", "cafe"));
    folder.Put("locked.cgi", Item("1", "locked"));
    std::filesystem::permissions(folder.Path("locked.cgi"), std::filesystem::perms::none);
    struct Case {
        std::string name;
        std::string reason;
    };
    std::vector<Case> cases = {
        {"none.cgi", kCannotOpen + folder.Path("none.cgi") + ": No such file or directory\n"},
        {"folder.cgi", kCannotOpen + folder.Path("folder.cgi") + ": Is a directory\n"},
        {"caf\xc3\xa9.cgi", "cannot open " + folder.Path("caf\xc3\xa9.cgi") +
                                ": its name holds characters that CP932 cannot hold: \xc3\xa9 (U+00E9) "
                                "(the program keeps file names as CP932 texts)\n"},
    };
    if (geteuid() != 0)  // permissions do not stop root
        cases.push_back({"locked.cgi", kCannotOpen + folder.Path("locked.cgi") + ": Permission denied\n"});
    // Every reading command, its status (the writing commands' are in the
    // table of the write paths).
    const std::pair<std::vector<std::string>, std::vector<std::string>> commands[] = {
        {{"info"}, {}}, {{"check"}, {}}, {{"find"}, {"x"}}, {{"item", "list"}, {}}, {{"format"}, {}}};
    for (const Case& c : cases) {
        for (const auto& [command, operands] : commands) {
            std::vector<std::string> args = command;
            args.push_back(folder.Path(c.name));
            args.insert(args.end(), operands.begin(), operands.end());
            const TavaroRun run = RunTavaro(args);
            SCOPED_TRACE(testing::PrintToString(args));
            EXPECT_EQ(run.status, command[0] == "format" ? 1 : 66);
            EXPECT_EQ(run.err, "tavaro " + command[0] + ": " + c.reason);
            EXPECT_EQ(run.out, "");
        }
    }
    // A file with a zero byte, and an unknown rule.
    folder.Put("nul.cgi", std::string("@@ITEM\r\n\0\r\n", 11));
    ExpectRuns({
        {{"info", folder.Path("nul.cgi")}, 66, "", "tavaro info: "},
        {{"item", "list", folder.Path("nul.cgi")}, 66, "", "tavaro item: "},
        {{"format", folder.Path("nul.cgi")}, 1, "", "tavaro format: "},
        {{"check", "--rule", "none.sir", folder.Path("caf?.cgi")}, 66, "", "tavaro check: unknown rule \"none.sir\""},
        {{"item", "list", "--rule", "none.sir", folder.Path("caf?.cgi")}, 66, "", "tavaro item: unknown rule"},
    });
}
