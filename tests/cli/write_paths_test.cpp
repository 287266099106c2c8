// The open and write paths that every writing command shares, run as a user
// runs them: a save in place with a new backup of what was there, nothing
// written over lines the reader reported, an output that cannot be written,
// a file that is not there, a rule that is not known and an empty output
// name.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

// Out of order, and naming "剣", so that every command changes it.
std::string Project(const std::string& test)
{
    return DataFile({"@@ITEM", "\tno\t2", "\tname\t盾", "@@ITEM", "\tno\t1", "\tname\t剣", "# " + test});
}

struct Command {
    const char* name;               // as it names itself in its messages
    std::vector<std::string> args;  // "OUT" and "FILE" stand for the files
    int missing, unknownRule;       // the statuses of a missing FILE and an unknown rule
};

const Command kCommands[] = {
    {"format", {"format", "-o", "OUT", "FILE"}, 1, 64},
    {"sort", {"sort", "-o", "OUT", "FILE"}, 66, 66},
    {"replace", {"replace", "-o", "OUT", "FILE", "剣", "刀"}, 66, 66},
    {"item", {"item", "rename", "-o", "OUT", "FILE", "1", "刀"}, 66, 66},
};

TavaroRun RunCommand(const Command& command, const std::string& out, const std::string& file, bool unknownRule = false)
{
    std::vector<std::string> args;
    for (const std::string& arg : command.args)
        args.push_back(arg == "OUT" ? out : arg == "FILE" ? file : arg);
    if (unknownRule)
        args.insert(args.begin() + (args[0] == "item" ? 2 : 1), {"--rule", "none.sir"});
    return RunTavaro(args);
}

TEST(WritePaths, EveryWritingCommandSharesThem)
{
    for (const Command& command : kCommands) {
        SCOPED_TRACE(command.name);
        const std::string prefix = std::string("tavaro ") + command.name + ": ";
        TempFolder folder;
        const std::string data = Project(command.name), file = folder.Path("data.cgi");

        // In place: the file changes, and one new backup holds what it was.
        folder.Put("data.cgi", data);
        const std::set<std::string> before = BackupFolder(data);
        const TavaroRun inPlace = RunCommand(command, file, file);
        EXPECT_EQ(inPlace.status, 0) << inPlace.err;
        EXPECT_NE(folder.Get("data.cgi"), data);
        EXPECT_EQ(NewBackups(data, before).size(), 1u);

        // Lines the reader reported would be lost: status 2, nothing
        // written, no backup; the reader's messages come first.
        const std::string unread = data + DataFile({"@@EVENT", "\tstray line"});
        folder.Put("data.cgi", unread);
        for (const std::string& out : {folder.Path("out.cgi"), file}) {
            const TavaroRun run = RunCommand(command, out, file);
            EXPECT_EQ(run.status, 2) << out;
            EXPECT_EQ(run.err.substr(0, 1), "[") << run.err;
            EXPECT_TRUE(run.err.ends_with(prefix + out + " not written, since the reader reported lines\n"))
                << run.err;
        }
        EXPECT_EQ(folder.Get("data.cgi"), unread);
        EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
        EXPECT_TRUE(BackupFolder(unread).empty());

        folder.Put("data.cgi", data);
        const std::string unwritable = folder.Path("none/out.cgi");
        const TavaroRun cannotWrite = RunCommand(command, unwritable, file);
        EXPECT_EQ(cannotWrite.status, 73);
        EXPECT_TRUE(cannotWrite.err.ends_with(prefix + "cannot write " + unwritable + ": No such file or directory\n"))
            << cannotWrite.err;

        const TavaroRun missing = RunCommand(command, folder.Path("out.cgi"), folder.Path("none.cgi"));
        EXPECT_EQ(missing.status, command.missing) << missing.err;
        const TavaroRun rule = RunCommand(command, folder.Path("out.cgi"), file, true);
        EXPECT_EQ(rule.status, command.unknownRule) << rule.err;
        EXPECT_NE(rule.err.find(prefix + "unknown rule \"none.sir\""), std::string::npos) << rule.err;
        EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
        const TavaroRun empty = RunCommand(command, "", file);
        EXPECT_EQ(empty.status, 64);
        EXPECT_NE(empty.err.find(prefix + "-o needs the name of a file, not an empty one\n"), std::string::npos)
            << empty.err;
        EXPECT_EQ(folder.Get("data.cgi"), data);
    }
}

}  // namespace
