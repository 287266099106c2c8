#include "foundation/native_path.h"

#include "foundation/sjis_literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <string>

TEST(NativePath, ShiftJisBecomesUtf8AndBackWithEveryBackslashKept)
{
    // A "\" is a character of a file name, never a separator; "表" ends in
    // 0x5C, which stays inside the character. Bytes that are no character
    // pass unchanged both ways.
    const struct {
        const char *text, *native;
    } rows[] = {
        {"..\\Image", "..\\Image"}, {"a/b\\\\c", "a/b\\\\c"}, {"d\\x.cgi", "d\\x.cgi"}, {"", ""},
        {SJ("/home/表\\あ.cgi"), "/home/\xe8\xa1\xa8\\\xe3\x81\x82.cgi"},
        {"a\xff\x80" "b", "a\xff\x80" "b"}, {"x\xff\xa0y", "x\xff\xa0y"}, {"\x81", "\x81"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(NativePath(r.text), r.native) << r.native;
        EXPECT_STREQ(PathTextFromNative(r.native).GetBuffer(), r.text) << r.native;
        std::u32string unfit;
        const std::optional<CStr_base<64>> exact = ExactPathText(r.native, unfit);
        ASSERT_TRUE(exact) << r.native;
        EXPECT_STREQ(exact->GetBuffer(), r.text);
    }
    EXPECT_EQ(NativePath(nullptr), "");
    // A character that Shift-JIS cannot hold comes back as "?"; file-system
    // bytes that are no UTF-8 come back as they are.
    EXPECT_STREQ(PathTextFromNative("caf\xc3\xa9").GetBuffer(), "caf?");
    EXPECT_STREQ(PathTextFromNative("a\xff\xfe" "b").GetBuffer(), "a\xff\xfe" "b");
}

// A name whose path text would name another file has none.
TEST(NativePath, NamesThatNoPathTextNamesAgainAreRefusedWithTheirCharacters)
{
    const struct {
        const char* native;
        std::u32string unfit;
    } rows[] = {
        {"/d/caf\xc3\xa9-\xc3\xa9.cgi", U"\u00e9"},             // CP932 lacks "é": once
        {"/d/\xed\x95\x9c\xc2\xa5.cgi", U"\ud55c\u00a5"},       // "한", and "¥" would be "\"
        {"/d/\xe3\x80\x9c.cgi", U"\u301c"},                     // "〜" would come back as "～"
        {"/d/\xf0\x9f\x98\x80", U"\U0001f600"},                  // beyond the BMP
        {"/d/\x95\x5c.cgi", U""},  // no UTF-8: read as Shift-JIS "表", it would name another file
    };
    for (const auto& r : rows) {
        std::u32string unfit = U"stale";
        EXPECT_FALSE(ExactPathText(r.native, unfit)) << r.native;
        EXPECT_EQ(unfit, r.unfit) << r.native;
    }
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
