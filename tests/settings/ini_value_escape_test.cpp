#include "settings/ini_value_escape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Escaped(const char* value)
{
    CStr_base<64> out;
    AppendEscapedIniValue(out, value);
    return out.GetBuffer();
}

std::string Unescaped(const char* text)
{
    CStr_base<64> out;
    UnescapeIniValue(text, out);
    return out.GetBuffer();
}

// A line feed that would end the line of the value.
bool HasLineFeedOutsideCharacter(const std::string& text)
{
    for (const char* p = text.c_str(); *p; p += SjisCharLength(p)) {
        if (*p == '\n')
            return true;
    }
    return false;
}

}  // namespace

TEST(IniValueEscape, TabLineFeedAndBackslashAreEscaped)
{
    EXPECT_EQ(Escaped("a\tb\nc\\d"), "a\\tb\\nc\\\\d");
    EXPECT_EQ(Escaped("\\\\"), "\\\\\\\\");
    EXPECT_EQ(Escaped("\n\n"), "\\n\\n");
}

TEST(IniValueEscape, OtherBytesStayIncludingCarriageReturn)
{
    EXPECT_EQ(Escaped("plain = text\r"), "plain = text\r");
    EXPECT_EQ(Escaped(""), "");
}

TEST(IniValueEscape, DoubleByteCharacterIsCopiedWhole)
{
    // The second byte of a double-byte character may be a backslash, a tab
    // or a line feed; it is never escaped.
    EXPECT_EQ(Escaped("\x95\\"), "\x95\\");     // a kanji ending in 0x5C
    EXPECT_EQ(Escaped("\x83\\\\"), "\x83\\\\\\");
    EXPECT_EQ(Escaped("\x81\t"), "\x81\t");
    EXPECT_EQ(Escaped("\x81\n"), "\x81\n");
}

TEST(IniValueEscape, LeadByteAtTheEndIsLeftOut)
{
    // Written, it would take the line feed after the value as its second byte.
    EXPECT_EQ(Escaped("x\x81"), "x");
    EXPECT_EQ(Escaped("\x95\\\xe0"), "\x95\\");
}

TEST(IniValueUnescape, EscapesGiveTheirBytes)
{
    EXPECT_EQ(Unescaped("a\\tb\\nc\\\\d"), "a\tb\nc\\d");
}

TEST(IniValueUnescape, UnknownEscapeDropsBothCharacters)
{
    EXPECT_EQ(Unescaped("a\\qb"), "ab");
    EXPECT_EQ(Unescaped("a\\r"), "a");
    // The character after the backslash goes whole, both of its bytes.
    EXPECT_EQ(Unescaped("a\\\x82\xa0z"), "az");
}

TEST(IniValueUnescape, BackslashAtTheEndIsDropped)
{
    EXPECT_EQ(Unescaped("abc\\"), "abc");
    EXPECT_EQ(Unescaped("\\"), "");
}

TEST(IniValueUnescape, DoubleByteCharacterIsCopiedWhole)
{
    EXPECT_EQ(Unescaped("\x95\\n"), "\x95\\n");
    EXPECT_EQ(Unescaped("\x95\\\\n"), "\x95\\\n");
}

TEST(IniValueUnescape, ReplacesTheOldContent)
{
    CStr_base<64> out("old text");
    UnescapeIniValue("new", out);
    EXPECT_STREQ(out, "new");
}

TEST(IniValueEscape, UnescapeGivesBackWhatEscapeWrote)
{
    const std::vector<std::string> values = {
        "", "a", "\\", "\\n", "\t\n\\\r", "C:\\tool\\edit.exe", "\x95\\\x95\\", "\x81\n\\\x81\t", "\\\\\\", "x\r\ny",
    };
    for (const std::string& value : values) {
        const std::string text = Escaped(value.c_str());
        EXPECT_FALSE(HasLineFeedOutsideCharacter(text)) << value;
        EXPECT_EQ(Unescaped(text.c_str()), value);
    }
}
