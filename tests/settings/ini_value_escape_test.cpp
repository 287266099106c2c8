#include "settings/ini_value_escape.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// Escaping keeps a value on one line; a double-byte character is copied
// whole (its second byte may be a backslash); a lead byte alone before a
// tab keeps the tab plain, one before a line feed is left out, since either
// would take the backslash of an escape. Unescaping replaces the content;
// an unknown escape drops both characters, a double-byte one whole.
TEST(IniValueEscape, EscapeAndUnescape)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d"}, {"plain = text\r", "plain = text\r"}, {"", ""},
        {"\x83\\\\", "\x83\\\\\\"},     {"x\x81", "x\x81"},                {"\x81\r\\\x95\\", "\x81\r\\\\\x95\\"},
        {"x\x81\ty\t", "x\x81\ty\\t"},  // the tab behind a lone lead byte stays plain
        {"C:\\tool\\edit.exe", "C:\\\\tool\\\\edit.exe"},
    };
    for (const auto& [value, text] : pairs) {
        CStr_base<64> escaped;
        AppendEscapedIniValue(escaped, value);
        EXPECT_STREQ(escaped, text) << value;
        CStr_base<64> back("old text");
        UnescapeIniValue(text, back);
        EXPECT_STREQ(back, value) << text;
    }
    for (const auto& [value, text] : {std::pair{"x\x81\ny", "x\\ny"}, std::pair{"\x95\\\xe0\n", "\x95\\\\n"}}) {
        CStr_base<64> escaped;
        AppendEscapedIniValue(escaped, value);
        EXPECT_STREQ(escaped, text) << value;
    }
    for (const auto& [text, value] : {std::pair{"a\\qb", "ab"}, std::pair{"a\\\x82\xa0z", "az"},
                                      std::pair{"abc\\", "abc"}, std::pair{"\x95\\n", "\x95\\n"}}) {
        CStr_base<64> back("old text");
        UnescapeIniValue(text, back);
        EXPECT_STREQ(back, value) << text;
    }
}
