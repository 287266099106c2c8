// The pattern language: how the compiler reads a pattern, and what one
// occurrence of every escape, range and %z operand matches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

TEST(PatternEscapes, CharacterClasses)
{
    // "Any character except ..." takes a double-byte character whole; every
    // class fails at the end of the text.
    ptest::CheckClasses({
        // A lead byte before the terminator, or before a byte that cannot be
        // a second byte, is a character of its own.
        {"%j", {"a", SJ_HYO, "\n", "\x95"}, {""}}, {"%2j", {SJ_HYO "a", "\x95\n", "\xfc\x7f", "\xe0\xfd"}, {}},
        {"%J", {SJ_HYO, "\x81\x40", "\xfc\xfc"}, {"a", "", "\x95", "\x95\n", "\x81\x3f", "\x81\x7f", "\x81\xfd"}},
        {"%?", {"a", SJ_HW_A}, {SJ_HYO, ""}},
        {"%C", {"a", "\r", SJ_HYO}, {"\n", ""}}, {"%w", {"\t", " "}, {"\n", "\r", "a", SJ_FW_SPACE, ""}},
        {"%W", {"\t", " ", "\n", "\r"}, {"a", ""}}, {"%i", {"a", "\n", SJ_HYO, SJ_FW_SPACE}, {" ", "\t", ""}},
        {"%I", {"a", SJ_HYO}, {"\n", "\r", " ", "\t", ""}}, {"%d", {"0", "9"}, {"/", ":", SJ_FW_ZERO, ""}},
        {"%D", {"a", SJ_FW_ZERO}, {"5", ""}}, {"%a", {"a", "z"}, {"A", "`", "{", SJ_FW_LOWER_A}},
        {"%A", {"A", "Z"}, {"a", "@", "["}}, {"%l", {"a", "Z"}, {"_", SJ_A_KATA}},
        {"%b", {"1", "_", SJ_A_KATA}, {"a", ""}},  // the second byte "A" belongs to the character
        {"%L", {"a", "Z", "5"}, {"_"}}, {"%B", {"_", SJ_A_KATA}, {"a", "5", ""}},
        {"%s", {"_", "a", "5"}, {"-", SJ_A_KATA}}, {"%S", {"-", SJ_A_KATA}, {"_", ""}}, {"%x", {"0", "f"}, {"F", "g"}},
        {"%X", {"9", "F"}, {"f", "G"}}, {"%n", {"f", "F", "7"}, {"g"}}, {"%N", {"g", SJ_A_KATA}, {"a", "A", "0", ""}},
        {"%k", {"!", "~"}, {" ", "\x7f", SJ_HW_A, SJ_A_KATA}}, {"%K", {"a", SJ_A_KATA}, {" ", "\t", SJ_HW_A, ""}},
        {"%y", {"!", "/", ":", "@", "[", "`", "{", "~"}, {"0", "A", "a", " "}},
        {"%Y", {"a", " ", SJ_A_KATA}, {"!", ""}}, {"%c", {"\x01", "\t", "\x1f", "\x7f"}, {" ", "\x80", ""}},
        // Ranges compare signed bytes: 0xA0 is -96, so "%-\xa0\x7e" runs from
        // -96 to 0x7E, and the range from 1 to 0xDF (-33) is empty.
        {"%-09", {"5"}, {"a", ""}}, {"%2-09", {"12"}, {}}, {"%-az", {}, {SJ_A_KATA}},
        {"%-\xa0\x7e", {"a", SJ_HW_A}, {}}, {"%-\x01\xdf", {}, {"a"}},
        {"%-" SJ_HYO "~", {"a"}, {"\t"}},  // a blank bound from a double-byte character
        // %z repeats or negates one literal character, double-byte ones whole.
        {"%z-", {"-"}, {}}, {"%/z\t", {}, {"x"}}, {"%3z" SJ_HYO, {SJ_HYO SJ_HYO SJ_HYO}, {}},
        {"%2z" SJ_HYO, {}, {SJ_HYO SJ_BU}}, {"%z%%", {"%"}, {}}, {"%!z\\", {""}, {"\\"}},
        // The empty pattern matches empty; "%[ab%]" is one character of two.
        {"", {""}, {}}, {"%%/0w", {"%/0w"}, {"  "}}, {"%[ab%]", {"a", "b"}, {}},
        {"%[%(ab%)%(c%)%]", {"ab", "c"}, {"a"}}, {"%[a%%b%]", {"%", "b"}, {"c"}},
        {"%[" SJ_HYO "x%]", {SJ_HYO, "x"}, {"\x95"}},
    });
    ptest::CheckRows({
        {"%-\x80\xff", SJ_HYO, 1},  // a range consumes one byte, also a lead byte
        {"%/z\t", "\t\t\tx", 3}, {"%!z\\", "a", 0}, {"", "abc", 0}, {"%[ab%]c", "abc", -1},
        // A lead byte before "%" in a pattern is a literal byte of its own; in
        // a text, one before a tab or a line feed is a character of its own.
        {"\x81%d", "\x81" "5", 2}, {"%[\x81%]%d", "\x81" "5", 2}, {"%z\x81%d", "\x81" "5", 2},
        {"%i%w", "\x81\t", 2}, {"%C%G", "\x81\n", 1},
        // Anchors at the end of the text and of a line.
        {"%$", "", 0}, {"%$", "a", -1}, {"a%$", "ab", -1}, {"%G", "", 0}, {"%G", "\n", 0}, {"%G", "a", -1},
        {"a%G", "a\n", 1},
        // Closing designators close any body, at the top level the pattern;
        // bodies still open close at the end.
        {"%(a%}b", "ab", 2}, {"%{a%]%[b%)", "ab", 2}, {"ab%)cd", "abx", 2}, {"%}x", "x", 0}, {"%{%[ab", "b", 1},
        // Digits of a count; markers and anchors drop prefix and numbers.
        {"%0012d", "123456789012x", 12}, {"%*3.4,5$", "", 0}, {"%/2P", "", 0}, {"a%3eb", "ab", 2},
        // A range of fewer than two characters drops its "-"; a double-byte
        // bound is a blank.
        {"%-a", "a", 1}, {"%-", "x", 0}, {"%-" SJ_HYO SJ_HYO "x", " x", 2},
        // Unknown letters are read again as literals, without numbers; a
        // trailing "%" is ignored.
        {"%+2.3,4Q", "QQ", 1}, {"ab%", "abc", 2}, {"%(a%", "a", 1},
    });
}
