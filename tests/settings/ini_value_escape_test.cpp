#include "settings/ini_value_escape.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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
    CStr_base<64> out("old text");
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

TEST(IniValueEscape, Escape)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d"}, {"\\\\\n\n", "\\\\\\\\\\n\\n"},
        {"plain = text\r", "plain = text\r"},  // every other byte stays
        {"", ""},
        // A double-byte character is copied whole: its second byte may be a
        // backslash, a tab or a line feed and is never escaped.
        {"\x95\\", "\x95\\"}, {"\x83\\\\", "\x83\\\\\\"}, {"\x81\t", "\x81\t"}, {"\x81\n", "\x81\n"},
        // A lead byte at the end would take the line feed after the value as
        // its second byte: it is left out.
        {"x\x81", "x"}, {"\x95\\\xe0", "\x95\\"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(Escaped(value), text) << value;
}

TEST(IniValueEscape, UnescapeReplacesTheContent)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"a\\tb\\nc\\\\d", "a\tb\nc\\d"}, {"new", "new"},
        // An unknown escape drops both characters, a double-byte one whole.
        {"a\\qb", "ab"}, {"a\\r", "a"}, {"a\\\x82\xa0z", "az"},
        // A backslash at the end is dropped.
        {"abc\\", "abc"}, {"\\", ""},
        // The second byte of a double-byte character starts no escape.
        {"\x95\\n", "\x95\\n"}, {"\x95\\\\n", "\x95\\\n"},
    };
    for (const auto& [text, value] : rows)
        EXPECT_EQ(Unescaped(text), value) << text;
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
