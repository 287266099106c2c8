#include "foundation/native_path.h"

#include "foundation/sjis_literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

TEST(NativePath, TurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(NativePath("..\\Image"), "../Image");
    EXPECT_EQ(NativePath("/opt/tavaro\\backup\\inc-item-data.cgi"), "/opt/tavaro/backup/inc-item-data.cgi");
    EXPECT_EQ(NativePath("a/b\\\\c"), "a/b//c");
}

TEST(NativePath, ShiftJisTextsBecomeUtf8Names)
{
    // "表" ends in 0x5C, which is no separator there.
    EXPECT_EQ(NativePath(SJ("/home/表\\あ.cgi")), "/home/\xe8\xa1\xa8/\xe3\x81\x82.cgi");
    EXPECT_EQ(NativePath("plain name.txt"), "plain name.txt");
    EXPECT_EQ(NativePath(""), "");
    EXPECT_EQ(NativePath(nullptr), "");
    // Bytes that are no character pass unchanged.
    EXPECT_EQ(NativePath("a\xff\x80" "b"), "a\xff\x80" "b");
}

TEST(NativePath, NamesComeBackAsTheTextsTheyCameFrom)
{
    struct Case {
        const char* text;
        const char* back; // the text with its separators as "/"
    };
    const Case cases[] = {
        {SJ("/データ/表示\\inc-item-data.cgi"), SJ("/データ/表示/inc-item-data.cgi")},
        {SJ("表\\x"), SJ("表/x")},
        {"..\\Image", "../Image"},
        {"x\xff\xa0y", "x\xff\xa0y"},
        {"\x81", "\x81"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(PathTextFromNative(NativePath(c.text)).GetBuffer(), c.back) << NativePath(c.text);
    // A character that Shift-JIS cannot hold comes back as "?".
    EXPECT_STREQ(PathTextFromNative("caf\xc3\xa9").GetBuffer(), "caf?");
    // File-system bytes that are no UTF-8 come back as they are.
    EXPECT_STREQ(PathTextFromNative("a\xff\xfe" "b").GetBuffer(), "a\xff\xfe" "b");
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
