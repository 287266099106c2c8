#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh folder for each test, removed afterwards.
class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavaro-text-file-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override
    {
        chmod(m_folder.c_str(), 0700);
        fs::remove_all(m_folder);
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Names in the folder, to see that no temporary file is left.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder;
};

bool RunsAsRoot() { return geteuid() == 0; }

mode_t PermissionBits(const std::string& path)
{
    struct stat info;
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

}  // namespace

TEST(TextLineEnds, CollapseTurnsCrLfIntoLf)
{
    std::string text = "a\r\nb\r\n\r\nc";
    CollapseCrLf(text);
    EXPECT_EQ(text, "a\nb\n\nc");
}

TEST(TextLineEnds, CollapseKeepsLoneCrAndLf)
{
    std::string text = "a\rb\nc\r";
    CollapseCrLf(text);
    EXPECT_EQ(text, "a\rb\nc\r");
    std::string doubled = "x\r\r\n";
    CollapseCrLf(doubled);
    EXPECT_EQ(doubled, "x\r\n");
}

TEST(TextLineEnds, AppendWritesEachLfAsCrLf)
{
    std::string out = "head:";
    const std::string text = "a\nb\r\n\n";
    AppendWithCrLf(out, text.data(), text.size());
    EXPECT_EQ(out, "head:a\r\nb\r\r\n\r\n");
}

TEST(TextLineEnds, CollapseUndoesAppend)
{
    const std::vector<std::string> texts = {"", "\n", "\r", "\r\n", "a\r\r\nb", "\n\r\n\r", std::string("x\0y\n", 4)};
    for (const std::string& text : texts) {
        std::string disk;
        AppendWithCrLf(disk, text.data(), text.size());
        CollapseCrLf(disk);
        EXPECT_EQ(disk, text);
    }
}

TEST_F(TextFileTest, ReadTurnsCrLfIntoLfAndKeepsLoneCr)
{
    Put("f.txt", "one\r\ntwo\rstill two\r\nlast");
    std::string text;
    EXPECT_EQ(ReadTextFileBytes(Path("f.txt").c_str(), text), TextFileStatus::kOk);
    EXPECT_EQ(text, "one\ntwo\rstill two\nlast");
}

TEST_F(TextFileTest, ReadDoesNotStopAtEndOfFileByte)
{
    Put("f.txt", "before\x1a\r\nafter\r\n");
    CStr_base<16384> text;
    EXPECT_EQ(ReadTextFile(Path("f.txt").c_str(), text), TextFileStatus::kOk);
    EXPECT_STREQ(text, "before\x1a\nafter\n");
}

TEST_F(TextFileTest, ReadReportsZeroByteAndLeavesTextAlone)
{
    Put("f.txt", std::string("ab\0cd\r\n", 7));
    CStr_base<64> text("old");
    EXPECT_EQ(ReadTextFile(Path("f.txt").c_str(), text), TextFileStatus::kHasZeroByte);
    EXPECT_STREQ(text, "old");
}

TEST_F(TextFileTest, ReadOfEmptyFileGivesEmptyText)
{
    Put("f.txt", "");
    CStr_base<64> text("old");
    EXPECT_EQ(ReadTextFile(Path("f.txt").c_str(), text), TextFileStatus::kOk);
    EXPECT_STREQ(text, "");
}

TEST_F(TextFileTest, ReadOfLargeFileKeepsCrLfAcrossPieces)
{
    std::string disk, expected;
    for (int i = 0; i < 40000; ++i) {
        disk += "line " + std::to_string(i) + "\r\n";
        expected += "line " + std::to_string(i) + "\n";
    }
    Put("big.txt", disk);
    std::string text;
    EXPECT_EQ(ReadTextFileBytes(Path("big.txt").c_str(), text), TextFileStatus::kOk);
    EXPECT_EQ(text, expected);
}

TEST_F(TextFileTest, ReadFailuresKeepErrorNumber)
{
    std::string text = "old";
    int error = 0;
    EXPECT_EQ(ReadTextFileBytes(Path("missing.txt").c_str(), text, &error), TextFileStatus::kFailed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(ReadTextFileBytes(m_folder.c_str(), text, &error), TextFileStatus::kFailed);
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(text, "old");
}

TEST_F(TextFileTest, ReadOfUnreadableFileFails)
{
    if (RunsAsRoot())
        GTEST_SKIP() << "permissions do not stop root";
    Put("f.txt", "secret");
    chmod(Path("f.txt").c_str(), 0);
    std::string text;
    int error = 0;
    EXPECT_EQ(ReadTextFileBytes(Path("f.txt").c_str(), text, &error), TextFileStatus::kFailed);
    EXPECT_EQ(error, EACCES);
}

TEST_F(TextFileTest, WriteCreatesFileWithCrLf)
{
    const std::string text = "a\nb\rc\n";
    EXPECT_TRUE(WriteTextFile(Path("new.txt").c_str(), text.data(), text.size()));
    EXPECT_EQ(Get("new.txt"), "a\r\nb\rc\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"new.txt"});
}

TEST_F(TextFileTest, WriteThenReadGivesTextBack)
{
    const std::string text = "x\r\n\ry\n\x1a\n\r";
    ASSERT_TRUE(WriteTextFile(Path("f.txt").c_str(), text.data(), text.size()));
    std::string back;
    EXPECT_EQ(ReadTextFileBytes(Path("f.txt").c_str(), back), TextFileStatus::kOk);
    EXPECT_EQ(back, text);
}

TEST_F(TextFileTest, WriteReplacesExistingFileAndKeepsItsPermissions)
{
    Put("f.txt", "old content that is longer");
    chmod(Path("f.txt").c_str(), 0640);
    EXPECT_TRUE(WriteTextFile(Path("f.txt").c_str(), "new", 3));
    EXPECT_EQ(Get("f.txt"), "new");
    EXPECT_EQ(PermissionBits(Path("f.txt")), 0640u);
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});
}

TEST_F(TextFileTest, NewFileGetsPermissionsOfCreationMask)
{
    const mode_t mask = umask(022);
    EXPECT_TRUE(WriteTextFile(Path("f.txt").c_str(), "x", 1));
    umask(mask);
    EXPECT_EQ(PermissionBits(Path("f.txt")), 0644u);
}

TEST_F(TextFileTest, WriteThroughLinkReplacesTheFileItPointsAt)
{
    Put("real.txt", "old");
    ASSERT_EQ(symlink("real.txt", Path("link.txt").c_str()), 0);
    EXPECT_TRUE(WriteTextFile(Path("link.txt").c_str(), "new\n", 4));
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Get("real.txt"), "new\r\n");
}

TEST_F(TextFileTest, WriteIntoMissingFolderFails)
{
    int error = 0;
    EXPECT_FALSE(WriteTextFile(Path("no/such/f.txt").c_str(), "x", 1, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(Names().empty());
}

TEST_F(TextFileTest, WriteIntoReadOnlyFolderFailsAndKeepsOldFile)
{
    if (RunsAsRoot())
        GTEST_SKIP() << "permissions do not stop root";
    Put("f.txt", "old");
    chmod(m_folder.c_str(), 0500);
    int error = 0;
    EXPECT_FALSE(WriteTextFile(Path("f.txt").c_str(), "new", 3, &error));
    EXPECT_EQ(error, EACCES);
    chmod(m_folder.c_str(), 0700);
    EXPECT_EQ(Get("f.txt"), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});
}

TEST_F(TextFileTest, WriteOverFolderFailsAndLeavesNothing)
{
    fs::create_directory(Path("sub"));
    int error = 0;
    EXPECT_FALSE(WriteTextFile(Path("sub").c_str(), "x", 1, &error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_TRUE(fs::is_directory(Path("sub")));
    EXPECT_EQ(Names(), std::vector<std::string>{"sub"});
}

TEST_F(TextFileTest, WriteThatRunsOutOfRoomKeepsOldFile)
{
    Put("f.txt", "old");
    // The file size limit stands in for a full disk.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string text(200000, 'x');
    int error = 0;
    const bool written = WriteTextFile(Path("f.txt").c_str(), text.data(), text.size(), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(Get("f.txt"), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});
}

TEST_F(TextFileTest, WriterInPiecesReplacesOnlyOnCommit)
{
    Put("f.txt", "old");
    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(Path("f.txt").c_str()));
    EXPECT_TRUE(writer.Write("block\n", 6));
    EXPECT_TRUE(writer.Write(CStr_base<64>("body\n")));
    EXPECT_EQ(Get("f.txt"), "old");
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(Get("f.txt"), "block\r\nbody\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});
}

TEST_F(TextFileTest, AbandonedWriterLeavesOldFileAndNoTemporary)
{
    Put("f.txt", "old");
    {
        CTextFileWriter writer;
        ASSERT_TRUE(writer.Begin(Path("f.txt").c_str()));
        EXPECT_TRUE(writer.Write("new", 3));
        EXPECT_EQ(Names().size(), 2u);
    }
    EXPECT_EQ(Get("f.txt"), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});

    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(Path("f.txt").c_str()));
    writer.Abandon();
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(Get("f.txt"), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"f.txt"});
}

TEST_F(TextFileTest, WriterFailsAfterFirstFailure)
{
    CTextFileWriter writer;
    EXPECT_FALSE(writer.Begin(Path("no/f.txt").c_str()));
    EXPECT_EQ(writer.Error(), ENOENT);
    EXPECT_FALSE(writer.Write("x", 1));
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(writer.Error(), ENOENT);
}

TEST_F(TextFileTest, WriterCommitsOnce)
{
    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(Path("f.txt").c_str()));
    ASSERT_TRUE(writer.Commit());
    EXPECT_FALSE(writer.Write("x", 1));
    EXPECT_EQ(Get("f.txt"), "");
}
