#include "foundation/native_path.h"

#include "foundation/sjis_literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

TEST(NativePath, BackslashesBecomeSlashesAndShiftJisBecomesUtf8AndBack)
{
    // "表" ends in 0x5C, which is no separator there; bytes that are no
    // character pass unchanged both ways.
    const struct {
        const char *text, *native, *back;  // back: the text with its separators as "/"
    } rows[] = {
        {"..\\Image", "../Image", "../Image"}, {"a/b\\\\c", "a/b//c", "a/b//c"}, {"", "", ""},
        {SJ("/home/表\\あ.cgi"), "/home/\xe8\xa1\xa8/\xe3\x81\x82.cgi", SJ("/home/表/あ.cgi")},
        {"a\xff\x80" "b", "a\xff\x80" "b", "a\xff\x80" "b"}, {"x\xff\xa0y", "x\xff\xa0y", "x\xff\xa0y"},
        {"\x81", "\x81", "\x81"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(NativePath(r.text), r.native) << r.native;
        EXPECT_STREQ(PathTextFromNative(NativePath(r.text)).GetBuffer(), r.back) << r.native;
    }
    EXPECT_EQ(NativePath(nullptr), "");
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
