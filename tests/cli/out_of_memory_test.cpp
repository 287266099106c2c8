// tavaro when memory runs out, run with the heap capped at ever larger
// sizes: every command ends with a message and exit status 71 until it has
// the memory it needs, and a file it was saving in place stays as it was,
// without a backup or a temporary file left behind.
#include <gtest/gtest.h>

#include <sysexits.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

TavaroRun RunCapped(const std::vector<std::string>& args, size_t cap)
{
    return RunProgram(TAVARO_EXE, args, {"TAVARO_TEST_ALLOCATION_CAP=" + std::to_string(cap)});
}

std::set<std::string> FolderNames(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

bool SaysOutOfMemory(const std::string& err)
{
    return err.find("out of memory") != std::string::npos || err.find("メモリが不足したため") != std::string::npos;
}

} // namespace

TEST(OutOfMemory, EveryCommandEndsWithStatus71UntilItHasTheMemoryItNeeds)
{
    TempFolder folder;
    const std::string out = folder.Path("out.cgi");
    const std::vector<std::vector<std::string>> commands = {
        {"info", kSample},
        {"check", kSample},
        {"item", "list", "--uses", kSample},
        {"find", "--field", "name", kSample, "小麦"},
        {"format", "-o", out, kSample},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        bool done = false;
        for (size_t cap = 0; cap <= 2000000 && !done; cap += 50000) {
            const TavaroRun run = RunCapped(args, cap);
            done = run.status != EX_OSERR;
            if (!done) {
                EXPECT_TRUE(SaysOutOfMemory(run.err)) << cap << ": " << run.err;
                EXPECT_FALSE(std::filesystem::exists(out)) << cap;
            }
        }
        EXPECT_TRUE(done);
        EXPECT_EQ(RunTavaro(args).status, 0);
    }
    EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"out.cgi"});
}

TEST(OutOfMemory, AFileSavedInPlaceStaysAsItWasWithoutABackup)
{
    TempFolder folder;
    const std::string content = ReadFile(kSample);
    const std::string file = folder.Path("data.cgi");
    const std::vector<std::vector<std::string>> commands = {
        {"format", "-o", file, file},
        {"item", "rename", "-o", file, file, "0", "大麦"},
        {"sort", "--key", "code", "-o", file, file},
        {"replace", "-o", file, file, "小麦", "大麦"},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        const std::set<std::string> backups = BackupFolder(content);
        bool saved = false;
        bool openRefused = false;
        int refusedAfterOpening = 0;
        for (size_t cap = 0; cap <= 2000000 && !saved; cap += 20000) {
            folder.Put("data.cgi", content);
            const TavaroRun run = RunCapped(args, cap);
            saved = run.status == 0;
            if (saved)
                break;
            ASSERT_EQ(run.status, EX_OSERR) << cap << ": " << run.err;
            EXPECT_TRUE(SaysOutOfMemory(run.err)) << cap << ": " << run.err;
            EXPECT_EQ(folder.Get("data.cgi"), content) << cap;
            EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"data.cgi"}) << cap;
            EXPECT_EQ(BackupFolder(content), backups) << cap;
            // Too little to start, then to open the file, then to do the
            // work and save it.
            const bool openMessage = run.err.find("メモリが不足したため") != std::string::npos;
            refusedAfterOpening += openRefused && !openMessage;
            openRefused = openRefused || openMessage;
        }
        EXPECT_TRUE(saved);
        EXPECT_NE(folder.Get("data.cgi"), content);
        EXPECT_GT(refusedAfterOpening, 0);
    }
}
