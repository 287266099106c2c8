// What one occurrence of every escape, range and %z operand matches.
#include <gtest/gtest.h>

#include <string>

#include "pattern_test_helpers.h"

using ptest::Hits;
using ptest::Search;
using ptest::SearchStr;

TEST(PatternEscapes, CharacterClasses)
{
    // "Any character except ..." takes a double-byte character whole; every
    // class fails at the end of the text.
    ptest::CheckClasses({
        {"%j", {"a", SJ_HYO, "\n", "\x95"}, {""}},  // a lead byte before the terminator is a character
        {"%2j", {SJ_HYO "a"}, {}}, {"%J", {SJ_HYO}, {"a", "", "\x95"}}, {"%?", {"a", SJ_HW_A}, {SJ_HYO, ""}},
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
        {"%[%(ab%)%(c%)%]", {"ab", "c"}, {"a"}},
    });
    ptest::CheckRows({
        {"%-\x80\xff", SJ_HYO, 1},  // a range consumes one byte, also a lead byte
        {"%/z\t", "\t\t\tx", 3}, {"%!z\\", "a", 0}, {"", "abc", 0}, {"%[ab%]c", "abc", -1},
    });
}

TEST(PatternEscapes, EndOfText)
{
    ptest::CheckRows({
        {"%$", "", 0}, {"%$", "a", -1}, {"a%$", "ab", -1}, {"%G", "", 0}, {"%G", "\n", 0}, {"%G", "a", -1},
        {"a%G", "a\n", 1},
    });
    // The plain-text search never tries the end position itself.
    EXPECT_EQ(Search("abc", "%$", "g").count, 0);
    EXPECT_EQ(Search("ba", "a%$", "g").hits, (Hits{{1, 1}}));
    EXPECT_EQ(SearchStr("abc", "%$", "g").hits, (Hits{{3, 0}}));
    EXPECT_EQ(Search("a\na a", "a%G", "g").hits, (Hits{{0, 1}, {4, 1}}));
}

TEST(PatternEscapes, OriginAnchorsFollowTheSearchOrigin)
{
    // %^ compares with the origin, not with the start of each attempt; with a
    // start offset the origin moves there.
    EXPECT_EQ(Search("aaa", "%^a", "g").hits, (Hits{{0, 1}}));
    EXPECT_EQ(SearchStr("", "%^", "").count, 1);
    EXPECT_EQ(SearchStr("baa", "%^a", "g", 1).hits, (Hits{{1, 1}}));
    EXPECT_EQ(SearchStr("aab", "%^b", "g", 1).count, 0);
    // %g: at the origin or right after a line feed.
    EXPECT_EQ(Search("a\na\nba", "%ga", "g").hits, (Hits{{0, 1}, {2, 1}}));
    EXPECT_EQ(SearchStr("ab", "%gb", "g", 1).hits, (Hits{{1, 1}}));
    EXPECT_EQ(Search("x\n", "%g", "g").hits, (Hits{{0, 0}}));
}

TEST(PatternEscapes, SearchStepsOverDoubleByteCharacters)
{
    // The second byte 0x5C of 表 is never taken for a backslash.
    EXPECT_EQ(Search(SJ_HYO, "\\", "g").count, 0);
    EXPECT_EQ(Search(SJ_HYO "\\", "\\", "g").hits, (Hits{{2, 1}}));
    EXPECT_EQ(Search(SJ_DI_KATA, "a", "g").count, 0);
    EXPECT_EQ(Search(SJ_A_KATA "A", "%A", "g").hits, (Hits{{2, 1}}));
    EXPECT_EQ(SearchStr(SJ_HYO "a" SJ_HYO, "%J", "g").hits, (Hits{{0, 2}, {3, 2}}));
}
