#include "foundation/native_path.h"

#include "foundation/sjis_literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

TEST(NativePath, BackslashesBecomeSlashesAndShiftJisBecomesUtf8)
{
    EXPECT_EQ(NativePath("..\\Image"), "../Image");
    EXPECT_EQ(NativePath("a/b\\\\c"), "a/b//c");
    // "表" ends in 0x5C, which is no separator there.
    EXPECT_EQ(NativePath(SJ("/home/表\\あ.cgi")), "/home/\xe8\xa1\xa8/\xe3\x81\x82.cgi");
    EXPECT_EQ(NativePath(""), "");
    EXPECT_EQ(NativePath(nullptr), "");
    // Bytes that are no character pass unchanged.
    EXPECT_EQ(NativePath("a\xff\x80" "b"), "a\xff\x80" "b");
}

TEST(NativePath, NamesComeBackAsTheTextsTheyCameFrom)
{
    const struct {
        const char* text;
        const char* back;  // the text with its separators as "/"
    } cases[] = {
        {SJ("/データ/表示\\inc-item-data.cgi"), SJ("/データ/表示/inc-item-data.cgi")},
        {SJ("表\\x"), SJ("表/x")},
        {"x\xff\xa0y", "x\xff\xa0y"},
        {"\x81", "\x81"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(PathTextFromNative(NativePath(c.text)).GetBuffer(), c.back) << NativePath(c.text);
    // A character that Shift-JIS cannot hold comes back as "?"; file-system
    // bytes that are no UTF-8 come back as they are.
    EXPECT_STREQ(PathTextFromNative("caf\xc3\xa9").GetBuffer(), "caf?");
    EXPECT_STREQ(PathTextFromNative("a\xff\xfe" "b").GetBuffer(), "a\xff\xfe" "b");
}

TEST(ProgramPath, IsTheRunningTestProgramInItsFolder)
{
    const std::string program = ProgramFilePath();
    ASSERT_EQ(ProgramFolder() + "/foundation_tests", program);
    EXPECT_EQ(program.front(), '/');
    struct stat info;
    ASSERT_EQ(stat(program.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}
