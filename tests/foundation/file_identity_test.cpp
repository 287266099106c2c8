// File identities, the writer's commit that refuses a file changed since it
// was read, and the temporary files that killed writers leave.
#include "foundation/file_identity.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../gone_pid.h"
#include "../temp_folder.h"
#include "foundation/leftover_files.h"
#include "foundation/text_file.h"

namespace fs = std::filesystem;

TEST(FileIdentity, TellsAnotherFileOrAnotherVersion)
{
    TempFolder folder;
    const std::string path = folder.Path("f.cgi");
    folder.Put("f.cgi", "first");
    const CFileIdentity read = FileIdentityOf(path.c_str());
    ASSERT_TRUE(read.exists);
    EXPECT_EQ(read.size, 5u);
    EXPECT_FALSE(FileChangedSince(path.c_str(), read));

    struct Row {
        const char* change;
        std::function<void()> make;
        bool changed;
    };
    const Row rows[] = {
        {"written in place", [&] { folder.Put("f.cgi", "second!"); }, true},
        {"replaced by a file of the same size and time",
         [&] {
             folder.Put("g.cgi", "first");
             const fs::file_time_type time = fs::last_write_time(path);
             fs::last_write_time(folder.Path("g.cgi"), time);
             fs::rename(folder.Path("g.cgi"), path);
         },
         true},
        {"touched", [&] { fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(3)); }, true},
        {"removed", [&] { fs::remove(path); }, false},
    };
    for (const Row& row : rows) {
        folder.Put("f.cgi", "first");
        const CFileIdentity before = FileIdentityOf(path.c_str());
        row.make();
        EXPECT_EQ(FileChangedSince(path.c_str(), before), row.changed) << row.change;
    }
    // A file where none was: changed; none where none was: unchanged.
    EXPECT_FALSE(FileIdentityOf(path.c_str()).exists);
    EXPECT_FALSE(FileChangedSince(path.c_str(), CFileIdentity{}));
    folder.Put("f.cgi", "new");
    EXPECT_TRUE(FileChangedSince(path.c_str(), CFileIdentity{}));
}

TEST(FileIdentity, ACommitRefusesAFileChangedSinceItWasRead)
{
    TempFolder folder;
    const std::string path = folder.Path("f.cgi");
    folder.Put("f.cgi", "read");
    const CFileIdentity read = FileIdentityOf(path.c_str());
    using Result = CTextFileWriter::CommitResult;

    // Unchanged: replaced; the writer knows what it put in place.
    {
        CTextFileWriter writer;
        ASSERT_TRUE(writer.Begin(path.c_str()));
        ASSERT_TRUE(writer.Write("mine\n", 5));
        EXPECT_EQ(writer.CommitUnlessChanged(read), Result::kDone);
        EXPECT_EQ(folder.Get("f.cgi"), "mine\r\n");
        EXPECT_EQ(writer.Written(), FileIdentityOf(path.c_str()));
    }

    // Two writers that read the same file: only the first replaces it. The
    // second is left as it was: it gives up, or replaces the file anyway.
    const CFileIdentity both = FileIdentityOf(path.c_str());
    CTextFileWriter first, second;
    ASSERT_TRUE(first.Begin(path.c_str()) && first.Write("first\n", 6));
    ASSERT_TRUE(second.Begin(path.c_str()) && second.Write("second\n", 7));
    EXPECT_EQ(first.CommitUnlessChanged(both), Result::kDone);
    EXPECT_EQ(second.CommitUnlessChanged(both), Result::kChanged);
    EXPECT_EQ(folder.Get("f.cgi"), "first\r\n");
    EXPECT_EQ(folder.Names().size(), 2u);  // the file and the second's temporary file
    EXPECT_EQ(second.Error(), 0);
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(folder.Get("f.cgi"), "second\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f.cgi"});

    CTextFileWriter third;
    ASSERT_TRUE(third.Begin(path.c_str()) && third.Write("third\n", 6));
    EXPECT_EQ(third.CommitUnlessChanged(both), Result::kChanged);
    third.Abandon();
    EXPECT_EQ(folder.Get("f.cgi"), "second\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f.cgi"});

    // A file that went meanwhile is written.
    CTextFileWriter fourth;
    ASSERT_TRUE(fourth.Begin(path.c_str()) && fourth.Write("back\n", 5));
    fs::remove(path);
    EXPECT_EQ(fourth.CommitUnlessChanged(both), Result::kDone);
    EXPECT_EQ(folder.Get("f.cgi"), "back\r\n");
}

// A writer that holds the lock of the file (here another program) is
// waited for, and what it wrote meanwhile is seen.
TEST(FileIdentity, ACommitWaitsForTheLockOfAnotherWriter)
{
    TempFolder folder;
    const std::string path = folder.Path("f.cgi");
    folder.Put("f.cgi", "read");
    const CFileIdentity read = FileIdentityOf(path.c_str());
    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(path.c_str()) && writer.Write("mine\n", 5));

    const int held = open(path.c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        folder.Put("f.cgi", "theirs");
        close(held);
    });
    EXPECT_EQ(writer.CommitUnlessChanged(read), CTextFileWriter::CommitResult::kChanged);
    other.join();
    EXPECT_EQ(folder.Get("f.cgi"), "theirs");
}

TEST(LeftoverFiles, NamesCarryTheProcessThatMadeThem)
{
    const auto anything = [](std::string_view) { return true; };
    const auto cgi = [](std::string_view rest) { return rest == ".cgi"; };
    const std::tuple<const char*, CNameRest, long> rows[] = {
        {"x.recovery-123.cgi", cgi, 123},
        {"x.recovery-123.cgi.bak", cgi, -1},
        {"x.recovery-0123.cgi", cgi, -1},  // no leading zero
        {"x.recovery-0.cgi", cgi, -1},
        {"x.recovery-.cgi", cgi, -1},
        {"x.recovery-99999999999999999999.cgi", cgi, -1},  // more digits than any process number
        {"y.recovery-5.cgi", cgi, -1},
        {"x.recovery-5", anything, 5},
    };
    for (const auto& [name, rest, pid] : rows)
        EXPECT_EQ(ProcessNumberInName(name, "x.recovery-", rest), pid) << name;

    EXPECT_FALSE(ProcessIsGone(getpid()));
    EXPECT_FALSE(ProcessIsGone(1));
    EXPECT_FALSE(ProcessIsGone(0));
    EXPECT_TRUE(ProcessIsGone(GonePid()));
}

// A save killed before it ended leaves its temporary file; the next save
// into that folder removes it, but never one of a process that still runs.
TEST(LeftoverFiles, TheNextWriteRemovesTheTemporaryFilesOfKilledWriters)
{
    TempFolder folder;
    const std::string gone = ".tavaro-save-" + std::to_string(GonePid()) + "-0";
    const std::string running = ".tavaro-save-1-0";
    const std::string mine = ".tavaro-save-" + std::to_string(getpid()) + "-7";
    const std::string other = ".tavaro-save-x";
    for (const std::string& name : {gone, running, mine, other})
        folder.Put(name, "partial");
    const std::string folderOfThatName = ".tavaro-save-" + std::to_string(GonePid()) + "-1";
    fs::create_directory(folder.Path(folderOfThatName));

    EXPECT_TRUE(WriteTextFile(folder.Path("f.cgi").c_str(), "x", 1));
    std::vector<std::string> kept = {running, mine, other, folderOfThatName, "f.cgi"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Names(), kept);
}
