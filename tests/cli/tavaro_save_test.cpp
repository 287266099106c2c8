// What tavaro writes with -o, run as a user runs it: nothing that could not
// be opened again, and nothing when its results did not arrive (a file of a
// group not the user's is the project file's test).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
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
// never a death by SIGPIPE, whatever the size of the output. Output that
// does not arrive is no success either for a command that writes no file.
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
        {{"info", kSample}, false, "tavaro info: " + full},
        {{"regex", "a", "a"}, false, "tavaro regex: " + full},
        {{"regex", "--help"}, false, "tavaro regex: " + full},
        {{"--version"}, false, "tavaro: " + full},
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
