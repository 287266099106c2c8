// What tavaro writes with -o, run as a user runs it: nothing that could not
// be opened again, nothing when its results did not arrive, and a file of a
// group not the user's written over in place after a backup copy.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

// A small data file of a test's own: tests run side by side share the
// backup folder, and each looks only at the backups of its own data.
std::string Data(const std::string& test)
{
    return "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n# " + test + "\r\n";
}

// A start of tavaro whose read limit is `bytes`.
ProgramStart WithLimit(size_t bytes)
{
    ProgramStart start;
    start.environment = {"TAVARO_LARGEST_FILE_BYTES=" + std::to_string(bytes)};
    return start;
}

} // namespace

// A save that could not be opened again is refused with its size, in place
// before the backup, elsewhere before the output exists. The read limit,
// lowered here through the environment, holds for reading too.
TEST(TavaroSave, AnOutputTooLargeToOpenAgainIsRefusedWithItsSize)
{
    TempFolder folder;
    const std::string content = Data("too large");
    folder.Put("data.cgi", content);
    const std::string data = folder.Path("data.cgi");
    const size_t size = RunTavaro({"format", data}).out.size();
    const std::string limit = std::to_string(size - 1);
    const auto reason = [&limit](size_t bytes) {
        return "the new file would be too large to be opened again: " + std::to_string(bytes) +
               " bytes, more than the " + limit + " bytes a file may have\n";
    };
    const std::set<std::string> before = BackupFolder(content);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"format", "-o", data, data}, "tavaro format: ファイルの作成に失敗しました。\n" + data + ": " + reason(size)},
        {{"format", "-o", folder.Path("out.cgi"), data},
         "tavaro format: cannot write " + folder.Path("out.cgi") + ": " + reason(size)},
    };
    for (const auto& [args, message] : rows) {
        const TavaroRun run = RunTavaroWith(args, WithLimit(size - 1));
        EXPECT_EQ(run.status, 73) << message;
        EXPECT_TRUE(run.err.ends_with(message)) << run.err;
    }
    EXPECT_EQ(folder.Get("data.cgi"), content);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
    EXPECT_TRUE(NewBackups(content, before).empty());

    const TavaroRun fits = RunTavaroWith({"format", "-o", folder.Path("out.cgi"), data}, WithLimit(size));
    EXPECT_EQ(fits.status, 0) << fits.err;
    const TavaroRun read = RunTavaroWith({"info", folder.Path("out.cgi")}, WithLimit(size - 1));
    EXPECT_EQ(read.status, 66);
    EXPECT_EQ(read.err, "tavaro info: ファイルが大きすぎるため開けません（" + std::to_string(size) + "バイト、上限は" + limit +
                            "バイト）。\n操作をキャンセルします。\n");
}

// Results and file go together: when standard output is full or its reader
// went away, nothing is written (no backup either) and the status is 74 --
// never a death by SIGPIPE, whatever the size of the output.
TEST(TavaroSave, ResultsThatDoNotArriveLeaveTheFileAlone)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    TempFolder folder;
    const std::string content = Data("results lost");
    const std::string data = folder.Path("data.cgi");
    const std::string out = folder.Path("out.cgi");
    const std::set<std::string> before = BackupFolder(content);
    struct Case {
        std::vector<std::string> args;
        bool closed;  // a closed pipe, else a full device
        std::string err;
    };
    const std::string full = "cannot write standard output: No space left on device\n";
    const std::string closed = "cannot write standard output: Broken pipe\n";
    const Case cases[] = {
        {{"item", "rename", "-o", data, data, "0", "shield"}, false,
         "tavaro item: " + data + " not written, since standard output failed\ntavaro item: " + full},
        {{"item", "rename", "-o", data, data, "0", "shield"}, true,
         "tavaro item: " + data + " not written, since standard output failed\ntavaro item: " + closed},
        {{"replace", "-o", out, data, "sword", "shield"}, true,
         "tavaro replace: " + out + " not written, since standard output failed\ntavaro replace: " + closed},
        {{"format", kSample}, true, "tavaro format: " + closed},  // more than one buffer of output
        {{"item", "list", kSample}, true, "tavaro item: " + closed},
    };
    for (const Case& c : cases) {
        folder.Put("data.cgi", content);
        ProgramStart start;
        start.output = c.closed ? "" : "/dev/full";
        start.closedOutput = c.closed;
        const TavaroRun run = RunTavaroWith(c.args, start);
        EXPECT_EQ(run.status, 74) << c.err;
        EXPECT_TRUE(run.err.ends_with(c.err)) << run.err;
        EXPECT_EQ(folder.Get("data.cgi"), content);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_TRUE(NewBackups(content, before).empty());
}

// A file of the user's whose group is not one of the user's (a game's data
// file in the web server's group) cannot be replaced by a file of that
// group: it is written over where it stands, after a copy of it went to the
// backup folder, and keeps its owner, group, permissions and other names.
TEST(TavaroSave, AFileOfAGroupNotTheUsersIsSavedInPlace)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can set up a file of another owner";
    TempFolder folder;
    const std::string content = Data("in place");
    const std::string data = folder.Path("data.cgi");
    folder.Put("data.cgi", content);
    ASSERT_EQ(chown(data.c_str(), 4321, 4322), 0);
    ASSERT_EQ(chmod(data.c_str(), 0664), 0);
    ASSERT_EQ(link(data.c_str(), folder.Path("other name.cgi").c_str()), 0);
    struct stat before;
    stat(data.c_str(), &before);
    const std::set<std::string> backupsBefore = BackupFolder(content);

    ProgramStart withoutChown;
    withoutChown.withoutChownRight = true;
    const TavaroRun run = RunTavaroWith({"item", "rename", "-o", data, data, "0", "shield"}, withoutChown);
    EXPECT_EQ(run.status, 0) << run.err;
    struct stat after;
    stat(data.c_str(), &after);
    EXPECT_EQ(std::tuple(after.st_ino, after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
              std::tuple(before.st_ino, before.st_uid, before.st_gid, before.st_mode, before.st_nlink));
    EXPECT_NE(folder.Get("data.cgi").find("\tname\tshield\r\n"), std::string::npos);
    EXPECT_EQ(folder.Get("other name.cgi"), folder.Get("data.cgi"));
    EXPECT_EQ(NewBackups(content, backupsBefore).size(), 1u);  // a copy: a link would hold the new content
}
