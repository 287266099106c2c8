#include "settings/ini_value_escape.h"

#include <gtest/gtest.h>

#include <string>

// Escaping keeps a value on one line; a double-byte character is copied
// whole (its second byte may be a backslash); a lead byte alone before a
// tab keeps the tab plain, one before a line feed is left out, since either
// would take the backslash of an escape. Unescaping replaces the content;
// an unknown escape drops both characters, a double-byte one whole.
TEST(IniValueEscape, EscapeAndUnescape)
{
    const struct {
        const char* value;
        const char* text;
        char way; // '=' both ways, '>' escaping only, '<' unescaping only
    } rows[] = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d", '='}, {"plain = text\r", "plain = text\r", '='}, {"", "", '='},
        {"\x83\\\\", "\x83\\\\\\", '='},     {"x\x81", "x\x81", '='},                {"\x81\r\\\x95\\", "\x81\r\\\\\x95\\", '='},
        {"x\x81\ty\t", "x\x81\ty\\t", '='}, // the tab behind a lone lead byte stays plain
        {"C:\\tool\\edit.exe", "C:\\\\tool\\\\edit.exe", '='},
        {"x\x81\ny", "x\\ny", '>'},         {"\x95\\\xe0\n", "\x95\\\\n", '>'},
        {"ab", "a\\qb", '<'},               {"az", "a\\\x82\xa0z", '<'}, {"abc", "abc\\", '<'}, {"\x95\\n", "\x95\\n", '<'},
    };
    for (const auto& row : rows) {
        if (row.way != '<') {
            CStr_base<64> escaped;
            AppendEscapedIniValue(escaped, row.value);
            EXPECT_STREQ(escaped, row.text) << row.value;
        }
        if (row.way != '>') {
            CStr_base<64> back("old text");
            UnescapeIniValue(row.text, back);
            EXPECT_STREQ(back, row.value) << row.text;
        }
    }
}
