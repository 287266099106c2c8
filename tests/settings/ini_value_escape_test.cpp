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

}  // namespace

TEST(IniValueEscape, EscapeAndUnescape)
{
    const std::vector<std::pair<const char*, const char*>> escapes = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d"}, {"plain = text\r", "plain = text\r"}, {"", ""},
        // A double-byte character is copied whole: its second byte may be a
        // backslash, a tab or a line feed and is never escaped.
        {"\x83\\\\", "\x83\\\\\\"}, {"\x81\t", "\x81\t"}, {"\x81\n", "\x81\n"},
        // A lead byte at the end would take the line feed after the value as
        // its second byte: it is left out.
        {"x\x81", "x"}, {"\x95\\\xe0", "\x95\\"},
    };
    for (const auto& [value, text] : escapes)
        EXPECT_EQ(Escaped(value), text) << value;

    const std::vector<std::pair<const char*, const char*>> unescapes = {
        {"a\\tb\\nc\\\\d", "a\tb\nc\\d"}, {"new", "new"},
        // An unknown escape drops both characters, a double-byte one whole;
        // a backslash at the end is dropped.
        {"a\\qb", "ab"}, {"a\\r", "a"}, {"a\\\x82\xa0z", "az"}, {"abc\\", "abc"},
        // The second byte of a double-byte character starts no escape.
        {"\x95\\n", "\x95\\n"}, {"\x95\\\\n", "\x95\\\n"},
    };
    for (const auto& [text, value] : unescapes)
        EXPECT_EQ(Unescaped(text), value) << text;
}

TEST(IniValueEscape, UnescapeGivesBackWhatEscapeWroteOnOneLine)
{
    for (const std::string value : {"", "\\", "\\n", "\t\n\\\r", "C:\\tool\\edit.exe", "\x95\\\x95\\", "\x81\n\\\x81\t",
                                    "\\\\\\", "x\r\ny"}) {
        const std::string text = Escaped(value.c_str());
        for (const char* p = text.c_str(); *p; p += SjisCharLength(p))
            EXPECT_NE(*p, '\n') << value;
        EXPECT_EQ(Unescaped(text.c_str()), value);
    }
}
