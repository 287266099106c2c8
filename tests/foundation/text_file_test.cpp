// Text files: CR LF on disk and LF in memory, reads that leave the text
// alone when they fail, and writes that replace a file only when complete.
#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../file_limit.h"
#include "../full_disk.h"
#include "../temp_folder.h"
#include "../without_chown.h"

namespace {

namespace fs = std::filesystem;
using NameList = std::vector<std::string>;

mode_t PermissionBits(const std::string& path)
{
    struct stat info;
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The file's owner, group, permissions, links and inode, to see that a
// write in place kept them.
std::tuple<uid_t, gid_t, mode_t, nlink_t, ino_t> Identity(const std::string& path)
{
    struct stat info;
    stat(path.c_str(), &info);
    return {info.st_uid, info.st_gid, info.st_mode & 07777, info.st_nlink, info.st_ino};
}

}  // namespace

TEST(TextFile, CrLfOnDiskLfInMemory)
{
    std::string text = "a\r\nb\r\n\r\nc\rd\ne\r\r\n";
    CollapseCrLf(text);
    EXPECT_EQ(text, "a\nb\n\nc\rd\ne\r\n");  // a lone CR or LF stays
    std::string out = "head:";
    AppendWithCrLf(out, "a\nb\r\n\n", 6);
    EXPECT_EQ(out, "head:a\r\nb\r\r\n\r\n");
    for (const std::string& t : {std::string(), std::string("\n\r\n\r"), std::string("a\r\r\nb"),
                                 std::string("x\0y\n", 4), std::string("\r")}) {
        std::string disk;  // collapsing undoes appending
        AppendWithCrLf(disk, t.data(), t.size());
        CollapseCrLf(disk);
        EXPECT_EQ(disk, t);
    }

    // Reading: every other byte is kept, also with CR LF split across the
    // pieces of a large file.
    std::string disk, expected;
    for (int i = 0; i < 40000; ++i) {
        disk += "line " + std::to_string(i) + "\r\n";
        expected += "line " + std::to_string(i) + "\n";
    }
    const std::pair<std::string, std::string> files[] = {
        {"one\r\ntwo\rstill two\x1a\r\nlast", "one\ntwo\rstill two\x1a\nlast"}, {"", ""}, {disk, expected}};
    TempFolder folder;
    for (const auto& [bytes, read] : files) {
        folder.Put("f.txt", bytes);
        CStr_base<16384> text("old");
        EXPECT_EQ(ReadTextFile(folder.Path("f.txt").c_str(), text), TextFileStatus::kOk);
        EXPECT_EQ(std::string(text.GetBuffer(), text.GetLength()), read);
    }
}

TEST(TextFile, FailedReadLeavesTheTextAlone)
{
    TempFolder folder;
    folder.Put("zero.txt", std::string("ab\0cd\r\n", 7));
    folder.Put("secret.txt", "secret");
    chmod(folder.Path("secret.txt").c_str(), 0);
    std::vector<std::pair<std::string, int>> rows = {{"zero.txt", 0}, {"missing.txt", ENOENT}, {"", EISDIR}};
    if (geteuid() != 0)  // permissions do not stop root
        rows.push_back({"secret.txt", EACCES});
    for (const auto& [name, expected] : rows) {
        CStr_base<64> text("old");
        int error = 0;
        EXPECT_EQ(ReadTextFile(folder.Path(name).c_str(), text, &error),
                  expected ? TextFileStatus::kFailed : TextFileStatus::kHasZeroByte)
            << name;
        EXPECT_EQ(error, expected) << name;
        EXPECT_STREQ(text, "old");
    }
}

TEST(TextFile, NoFileLargerThanTheLimitIsRead)
{
    TempFolder folder;
    // A regular file is refused by its size before it is read.
    const int fd = open(folder.Path("sparse").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(kLargestFileBytes + 1)), 0);
    close(fd);
    CStr_base<64> raw("old");
    uint64_t size = 1;
    EXPECT_EQ(ReadWholeFile(folder.Path("sparse").c_str(), raw, nullptr, &size), TextFileStatus::kTooLarge);
    EXPECT_EQ(size, kLargestFileBytes + 1);
    EXPECT_EQ(raw, "old");
    std::string bytes = "old";
    EXPECT_EQ(TooLargeReason(size), "268435457 bytes, more than the 268435456 bytes (256 MiB) a file may have");
    // A device announces no size: it is read up to the limit.
    EXPECT_EQ(ReadTextFileBytes("/dev/zero", bytes, nullptr, &size), TextFileStatus::kTooLarge);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(bytes, "old");
    // A pipe is read to its end, in pieces that grow the text.
    ASSERT_EQ(mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    const std::string piped = std::string(200000, 'x') + "\r\nb";
    std::thread writer([&folder, &piped] { folder.Put("fifo", piped); });
    CStr_base<16384> text;
    EXPECT_EQ(ReadTextFile(folder.Path("fifo").c_str(), text), TextFileStatus::kOk);
    writer.join();
    EXPECT_EQ(std::string(text.GetBuffer(), text.GetLength()), std::string(200000, 'x') + "\nb");
    // Raw reading keeps zero bytes; the length counts them.
    folder.Put("zero", std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadWholeFile(folder.Path("zero").c_str(), raw), TextFileStatus::kOk);
    EXPECT_EQ(std::string(raw.GetBuffer(), raw.GetLength()), std::string("a\0b\r\n", 5));
}

TEST(TextFile, WriteReplacesSafely)
{
    TempFolder folder;
    const std::string text = "x\r\n\ry\n\x1a\n\r";
    const mode_t mask = umask(022);
    EXPECT_TRUE(WriteTextFile(folder.Path("new.txt").c_str(), text.data(), text.size()));
    umask(mask);
    std::string back;
    EXPECT_EQ(ReadTextFileBytes(folder.Path("new.txt").c_str(), back), TextFileStatus::kOk);
    EXPECT_EQ(std::tuple(folder.Get("new.txt"), back), std::tuple("x\r\r\n\ry\r\n\x1a\r\n\r", text));
    EXPECT_EQ(PermissionBits(folder.Path("new.txt")), 0644u);  // what the creation mask allows
    // A replaced file keeps its permissions; through a link the file it points at is replaced.
    folder.Put("f.txt", "old content that is longer");
    chmod(folder.Path("f.txt").c_str(), 0640);
    ASSERT_EQ(symlink("f.txt", folder.Path("link.txt").c_str()), 0);
    EXPECT_TRUE(WriteTextFile(folder.Path("link.txt").c_str(), "new\n", 4));
    EXPECT_TRUE(fs::is_symlink(folder.Path("link.txt")));
    EXPECT_EQ(std::tuple(folder.Get("f.txt"), PermissionBits(folder.Path("f.txt"))), std::tuple("new\r\n", 0640u));
    EXPECT_EQ(folder.Names(), (NameList{"f.txt", "link.txt", "new.txt"}));
    // The replaced file keeps its owner too (only the superuser can give a file away).
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.Path("f.txt").c_str(), 4321, 4322), 0);
        EXPECT_TRUE(WriteTextFile(folder.Path("f.txt").c_str(), "x", 1));
        struct stat info;
        stat(folder.Path("f.txt").c_str(), &info);
        EXPECT_EQ(info.st_uid * 10000 + info.st_gid, 4321u * 10000 + 4322u);
    }
}

// What may not be replaced is refused before anything is written, with the reason.
TEST(TextFile, OnlyAWritableRegularFileIsReplaced)
{
    TempFolder folder;
    mkdir(folder.Path("sub").c_str(), 0700);
    mkfifo(folder.Path("fifo").c_str(), 0600);
    // A null device of its own, where the superuser may make one.
    const bool device = mknod(folder.Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    folder.Put("read-only", "old");
    chmod(folder.Path("read-only").c_str(), 0444);  // for everyone, the superuser included
    folder.Put("theirs", "old");
    chmod(folder.Path("theirs").c_str(), 0464);  // only the group may write
    const std::tuple<std::string, int, std::string> rows[] = {
        {"sub", EISDIR, "not a regular file (a directory)"},
        {"fifo", EINVAL, "not a regular file (a FIFO)"},
        {"null", EINVAL, "not a regular file (a character device)"},
        {"read-only", EACCES, "the file is read-only (it has no write permission)"},
        {"theirs", EACCES, "Permission denied"},  // permissions do not stop the superuser
    };
    for (const auto& [name, error, reason] : rows) {
        if ((name == "null" && !device) || (name == "theirs" && geteuid() == 0))
            continue;
        const std::string path = folder.Path(name);
        struct stat before;
        lstat(path.c_str(), &before);
        CTextFileWriter writer;
        EXPECT_FALSE(writer.Begin(path.c_str())) << name;
        EXPECT_EQ(writer.Error(), error) << name;
        EXPECT_EQ(writer.Reason(), reason);
        struct stat after;
        lstat(path.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
        EXPECT_EQ(after.st_mode, before.st_mode) << name;
    }
    EXPECT_EQ(folder.Get("read-only"), "old");
}

TEST(TextFile, FailedWriteKeepsTheOldFileAndLeavesNothing)
{
    TempFolder folder;
    folder.Put("f.txt", "old");
    // Running out of room; the file size limit stands in for a full disk.
    const std::string big(200000, 'x');
    int error = 0;
    bool written = false;
    {
        const FullDisk full;
        ASSERT_TRUE(full.Fill(1000));
        written = WriteTextFile(folder.Path("f.txt").c_str(), big.data(), big.size(), &error);
    }
    EXPECT_TRUE(!written && error == EFBIG) << error;
    if (geteuid() != 0) {  // permissions do not stop root
        chmod(folder.Path().c_str(), 0500);
        EXPECT_TRUE(!WriteTextFile(folder.Path("f.txt").c_str(), "new", 3, &error) && error == EACCES) << error;
        chmod(folder.Path().c_str(), 0700);
    }
    EXPECT_EQ(std::tuple(folder.Get("f.txt"), folder.Names()), std::tuple("old", NameList{"f.txt"}));
}

TEST(TextFile, WriterReplacesOnlyOnCommit)
{
    TempFolder folder;
    folder.Put("f.txt", "old");
    {
        CTextFileWriter abandoned;
        ASSERT_TRUE(abandoned.Begin(folder.Path("f.txt").c_str()));
        EXPECT_TRUE(abandoned.Write("new", 3));
        EXPECT_EQ(folder.Names().size(), 2u);
    }
    CTextFileWriter stopped;
    ASSERT_TRUE(stopped.Begin(folder.Path("f.txt").c_str()));
    stopped.Abandon();
    EXPECT_FALSE(stopped.Commit());
    EXPECT_EQ(std::tuple(folder.Get("f.txt"), folder.Names()), std::tuple("old", NameList{"f.txt"}));

    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(folder.Path("f.txt").c_str()));
    EXPECT_TRUE(writer.Write("block\n", 6) && writer.Write(CStr_base<64>("body\n")));
    EXPECT_EQ(folder.Get("f.txt"), "old");
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(std::tuple(folder.Get("f.txt"), folder.Names()), std::tuple("block\r\nbody\r\n", NameList{"f.txt"}));
    // A writer commits once; after a failure every call fails.
    EXPECT_FALSE(writer.Write("x", 1));
    CTextFileWriter failed;
    EXPECT_FALSE(failed.Begin(folder.Path("no/f.txt").c_str()) || failed.Write("x", 1) || failed.Commit());
    EXPECT_EQ(failed.Error(), ENOENT);
}

// The limit of reading holds for writing: no file is written that could not
// be opened again. The content is counted on to its end, so that the
// refusal names its whole size.
TEST(TextFile, NoFileIsWrittenThatCouldNotBeReadBack)
{
    TempFolder folder;
    const LowerFileLimit limit(10);
    const std::string tooLarge = "the new file would be too large to be opened again: ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"abcdefgh\n"}, ""},  // ten bytes with the CR
        {{"abcdefghi\n"}, tooLarge + "11 bytes, more than the 10 bytes a file may have"},
        {{"abc\n", "def\n", "\n"}, tooLarge + "12 bytes, more than the 10 bytes a file may have"},
        {{"abcdefghijkl", "\n\n", std::string(70000, '\n')}, tooLarge + "140016 bytes, more than the 10 bytes a file may have"},
    };
    for (const auto& [pieces, reason] : rows) {
        folder.Put("f.txt", "old");
        CTextFileWriter writer;
        ASSERT_TRUE(writer.Begin(folder.Path("f.txt").c_str()));
        for (const std::string& piece : pieces)
            EXPECT_TRUE(writer.Write(piece.data(), piece.size()));
        EXPECT_EQ(writer.Commit(), reason.empty()) << reason;
        EXPECT_EQ(writer.Reason(), reason.empty() ? std::strerror(0) : reason);
        EXPECT_EQ(writer.Error(), reason.empty() ? 0 : EFBIG);
        EXPECT_EQ(folder.Get("f.txt"), reason.empty() ? "abcdefgh\r\n" : "old");
        EXPECT_EQ(folder.Names(), NameList{"f.txt"});
    }
    // Reading holds to the lowered limit too.
    folder.Put("f.txt", "abcdefghijk");
    std::string text;
    uint64_t size = 0;
    EXPECT_EQ(ReadTextFileBytes(folder.Path("f.txt").c_str(), text, nullptr, &size), TextFileStatus::kTooLarge);
    EXPECT_EQ(size, 11u);
}

// A file whose owner or group its replacement could not be given is written
// over where it stands when the caller allows it, and keeps everything but
// its content. Its other names see the new content.
TEST(TextFile, AFileWhoseOwnerCannotBeKeptIsWrittenOverInPlace)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can set up a file of another owner";
    TempFolder folder;
    const std::string path = folder.Path("f.txt");
    folder.Put("f.txt", "old content, longer than the new one");
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    ASSERT_EQ(link(path.c_str(), folder.Path("other name").c_str()), 0);
    const auto before = Identity(path);
    const WithoutChownRight theirs;
    ASSERT_TRUE(theirs.Dropped());

    CTextFileWriter refused;  // without leave, as before
    EXPECT_FALSE(refused.Begin(path.c_str()));
    EXPECT_EQ(refused.Error(), EPERM);
    EXPECT_EQ(refused.Reason(), "the file belongs to another user or group, which its replacement cannot be given");
    CTextFileWriter stopped;  // the caller found that it cannot make it safe
    ASSERT_TRUE(stopped.Begin(path.c_str(), true));
    EXPECT_FALSE(stopped.RefuseInPlace());
    EXPECT_EQ(stopped.Error(), EPERM);
    EXPECT_EQ(folder.Get("f.txt"), "old content, longer than the new one");

    for (const std::string& content : {std::string("new\n"), std::string(200000, 'x'), std::string()}) {
        CTextFileWriter writer;
        ASSERT_TRUE(writer.Begin(path.c_str(), true));
        EXPECT_TRUE(writer.InPlace());
        EXPECT_TRUE(writer.Write(content.data(), content.size()) && writer.Complete());
        EXPECT_NE(folder.Get("f.txt"), content == "new\n" ? "new\r\n" : content);  // not before Commit
        EXPECT_TRUE(writer.Commit()) << writer.Reason();
        EXPECT_FALSE(writer.PartlyWritten());
        EXPECT_EQ(folder.Get("f.txt"), content == "new\n" ? "new\r\n" : content);
        EXPECT_EQ(folder.Get("other name"), folder.Get("f.txt"));
        EXPECT_EQ(Identity(path), before);
        EXPECT_EQ(folder.Names(), (NameList{"f.txt", "other name"}));
    }
}

// A write in place that fails part way tells so: only then is the file
// changed, and a copy of it is all that is left of it.
TEST(TextFile, AWriteInPlaceThatFailsPartWaySaysSo)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can set up a file of another owner";
    TempFolder folder;
    const std::string path = folder.Path("f.txt");
    folder.Put("f.txt", "old");
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    const WithoutChownRight theirs;
    ASSERT_TRUE(theirs.Dropped());
    const std::string big(200000, 'x');
    CTextFileWriter writer;
    ASSERT_TRUE(writer.Begin(path.c_str(), true));
    ASSERT_TRUE(writer.Write(big.data(), big.size()) && writer.Complete());
    // The disk fills up while the file is written over; the file size
    // limit stands in for a full disk.
    bool committed = true;
    {
        const FullDisk full;
        ASSERT_TRUE(full.Fill(1000));
        committed = writer.Commit();
    }
    EXPECT_FALSE(committed);
    EXPECT_EQ(writer.Error(), EFBIG);
    EXPECT_TRUE(writer.PartlyWritten());
    EXPECT_EQ(folder.Get("f.txt"), std::string(1000, 'x'));
    EXPECT_EQ(folder.Names(), NameList{"f.txt"});

    // A file that cannot even be opened again is not touched.
    CTextFileWriter gone;
    ASSERT_TRUE(gone.Begin(path.c_str(), true));
    ASSERT_TRUE(gone.Write("new", 3) && gone.Complete());
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    ASSERT_EQ(unlink(path.c_str()), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_FALSE(gone.Commit());
    EXPECT_EQ(gone.Error(), EISDIR);
    EXPECT_FALSE(gone.PartlyWritten());
}
