#include "foundation/native_path.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

TEST(NativePath, TurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(NativePath("..\\Image"), "../Image");
    EXPECT_EQ(NativePath("/opt/tavaro\\backup\\inc-item-data.cgi"), "/opt/tavaro/backup/inc-item-data.cgi");
    EXPECT_EQ(NativePath("a/b\\\\c"), "a/b//c");
}

TEST(NativePath, LeavesOtherBytesAlone)
{
    // UTF-8 names, as the file system holds them, never contain 0x5C inside
    // a character.
    EXPECT_EQ(NativePath("/home/\xe3\x81\x82\\x"), "/home/\xe3\x81\x82/x");
    EXPECT_EQ(NativePath("plain name.txt"), "plain name.txt");
    EXPECT_EQ(NativePath(""), "");
    EXPECT_EQ(NativePath(nullptr), "");
}

TEST(ProgramPath, IsTheRunningTestProgram)
{
    const std::string program = ProgramFilePath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.front(), '/');
    EXPECT_EQ(program.substr(program.rfind('/') + 1), "foundation_tests");
    struct stat info;
    ASSERT_EQ(stat(program.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST(ProgramPath, FolderHoldsTheProgram)
{
    const std::string program = ProgramFilePath();
    const std::string folder = ProgramFolder();
    EXPECT_EQ(folder + "/foundation_tests", program);
    struct stat info;
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}
