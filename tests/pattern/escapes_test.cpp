// What one occurrence of every escape, range and %z operand matches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Anchored;
using ptest::Hit;
using ptest::Search;
using ptest::SearchStr;
using ptest::CheckRows;
using ptest::Row;


TEST(PatternEscapes, AnyCharacterClasses)
{
    CheckRows({
        {"%j", "a", 1},
        {"%j", SJ_HYO, 2},
        {"%j", "\n", 1},
        {"%j", "", -1},
        {"%j", "\x95", 1},  // a lead byte before the terminator is a character of its own
        {"%2j", SJ_HYO "a", 3},
        {"%J", SJ_HYO, 2},
        {"%J", "a", -1},
        {"%J", "", -1},
        {"%J", "\x95", -1},
        {"%?", "a", 1},
        {"%?", SJ_HW_A, 1},
        {"%?", SJ_HYO, -1},
        {"%?", "", -1},
        {"%C", "a", 1},
        {"%C", "\r", 1},
        {"%C", SJ_HYO, 2},
        {"%C", "\n", -1},
        {"%C", "", -1},
    });
}

TEST(PatternEscapes, WhiteSpaceClasses)
{
    CheckRows({
        {"%w", "\t", 1},
        {"%w", " ", 1},
        {"%w", "\n", -1},
        {"%w", "\r", -1},
        {"%w", "a", -1},
        {"%w", SJ_FW_SPACE, -1},
        {"%w", "", -1},
        {"%W", "\t", 1},
        {"%W", " ", 1},
        {"%W", "\n", 1},
        {"%W", "\r", 1},
        {"%W", "a", -1},
        {"%W", "", -1},
        {"%i", "a", 1},
        {"%i", "\n", 1},
        {"%i", SJ_HYO, 2},
        {"%i", SJ_FW_SPACE, 2},
        {"%i", " ", -1},
        {"%i", "\t", -1},
        {"%i", "", -1},
        {"%I", "a", 1},
        {"%I", SJ_HYO, 2},
        {"%I", "\n", -1},
        {"%I", "\r", -1},
        {"%I", " ", -1},
        {"%I", "\t", -1},
        {"%I", "", -1},
    });
}

TEST(PatternEscapes, DigitAndLetterClasses)
{
    CheckRows({
        {"%d", "0", 1},
        {"%d", "9", 1},
        {"%d", "/", -1},
        {"%d", ":", -1},
        {"%d", SJ_FW_ZERO, -1},
        {"%d", "", -1},
        {"%D", "a", 1},
        {"%D", SJ_FW_ZERO, 2},
        {"%D", "5", -1},
        {"%D", "", -1},
        {"%a", "a", 1},
        {"%a", "z", 1},
        {"%a", "A", -1},
        {"%a", "`", -1},
        {"%a", "{", -1},
        {"%a", SJ_FW_LOWER_A, -1},
        {"%A", "A", 1},
        {"%A", "Z", 1},
        {"%A", "a", -1},
        {"%A", "@", -1},
        {"%A", "[", -1},
        {"%l", "a", 1},
        {"%l", "Z", 1},
        {"%l", "_", -1},
        {"%l", SJ_A_KATA, -1},
        {"%b", "1", 1},
        {"%b", "_", 1},
        {"%b", SJ_A_KATA, 2},  // second byte "A" is part of the character
        {"%b", "a", -1},
        {"%b", "", -1},
        {"%L", "a", 1},
        {"%L", "Z", 1},
        {"%L", "5", 1},
        {"%L", "_", -1},
        {"%B", "_", 1},
        {"%B", SJ_A_KATA, 2},
        {"%B", "a", -1},
        {"%B", "5", -1},
        {"%B", "", -1},
        {"%s", "_", 1},
        {"%s", "a", 1},
        {"%s", "5", 1},
        {"%s", "-", -1},
        {"%s", SJ_A_KATA, -1},
        {"%S", "-", 1},
        {"%S", SJ_A_KATA, 2},
        {"%S", "_", -1},
        {"%S", "", -1},
    });
}

TEST(PatternEscapes, HexadecimalClasses)
{
    CheckRows({
        {"%x", "0", 1},
        {"%x", "f", 1},
        {"%x", "F", -1},
        {"%x", "g", -1},
        {"%X", "9", 1},
        {"%X", "F", 1},
        {"%X", "f", -1},
        {"%X", "G", -1},
        {"%n", "f", 1},
        {"%n", "F", 1},
        {"%n", "7", 1},
        {"%n", "g", -1},
        {"%N", "g", 1},
        {"%N", SJ_A_KATA, 2},
        {"%N", "a", -1},
        {"%N", "A", -1},
        {"%N", "0", -1},
        {"%N", "", -1},
    });
}

TEST(PatternEscapes, PrintablePunctuationAndControlClasses)
{
    CheckRows({
        {"%k", "!", 1},
        {"%k", "~", 1},
        {"%k", " ", -1},
        {"%k", "\x7f", -1},
        {"%k", SJ_HW_A, -1},
        {"%k", SJ_A_KATA, -1},
        {"%K", "a", 1},
        {"%K", SJ_A_KATA, 2},
        {"%K", " ", -1},
        {"%K", "\t", -1},
        {"%K", SJ_HW_A, -1},
        {"%K", "", -1},
        {"%y", "!", 1},
        {"%y", "/", 1},
        {"%y", ":", 1},
        {"%y", "@", 1},
        {"%y", "[", 1},
        {"%y", "`", 1},
        {"%y", "{", 1},
        {"%y", "~", 1},
        {"%y", "0", -1},
        {"%y", "A", -1},
        {"%y", "a", -1},
        {"%y", " ", -1},
        {"%Y", "a", 1},
        {"%Y", " ", 1},
        {"%Y", SJ_A_KATA, 2},
        {"%Y", "!", -1},
        {"%Y", "", -1},
        {"%c", "\x01", 1},
        {"%c", "\t", 1},
        {"%c", "\x1f", 1},
        {"%c", "\x7f", 1},
        {"%c", " ", -1},
        {"%c", "\x80", -1},
        {"%c", "", -1},
    });
}

TEST(PatternEscapes, RangesCompareSignedBytes)
{
    CheckRows({
        {"%-09", "5", 1},
        {"%-09", "a", -1},
        {"%-09", "", -1},
        {"%2-09", "12", 2},
        {"%-az", SJ_A_KATA, -1},
        // 0xA0 is -96: the range runs from -96 up to 0x7E.
        {"%-\xa0\x7e", "a", 1},
        {"%-\xa0\x7e", SJ_HW_A, 1},
        // 0xDF is -33: the range from 1 to -33 is empty.
        {"%-\x01\xdf", "a", -1},
        // A range consumes one byte, also the lead byte of a character.
        {"%-\x80\xff", SJ_HYO, 1},
        // A blank bound (from a double-byte character).
        {"%-" SJ_HYO "~", "a", 1},
        {"%-" SJ_HYO "~", "\t", -1},
        {"%-a", "a", 1},
    });
}

TEST(PatternEscapes, ZRepeatsOrNegatesOneLiteralCharacter)
{
    CheckRows({
        {"%z-", "-", 1},
        {"%/z\t", "\t\t\tx", 3},
        {"%/z\t", "x", -1},
        {"%3z" SJ_HYO, SJ_HYO SJ_HYO SJ_HYO, 6},
        {"%2z" SJ_HYO, SJ_HYO SJ_BU, -1},
        {"%z%%", "%", 1},
        {"%!z\\", "a", 0},
        {"%!z\\", "", 0},
        {"%!z\\", "\\", -1},
    });
}

TEST(PatternEscapes, LiteralsAndSpecialForms)
{
    CheckRows({
        {"", "", 0},
        {"", "abc", 0},
        {"%%", "%", 1},
        {"%%/0w", "%/0w", 4},
        {"%%/0w", "  ", -1},
        {"%Q", "Q", 1},
        {"%3Q", "Q", 1},
        {"%3Q", "QQQ", 1},
        {"a%Qb", "aQb", 3},
        {"ab%)cd", "abxx", 2},
        {"%(ab", "ab", 2},
        {"%[ab%]", "a", 1},
        {"%[ab%]", "b", 1},
        {"%[ab%]c", "abc", -1},
        {"%[%(ab%)%(c%)%]", "ab", 2},
        {"%[%(ab%)%(c%)%]", "c", 1},
        {"%[%(ab%)%(c%)%]", "a", -1},
        {"%-a", "-a", -1},
        {"ab%", "ab", 2},
    });
}

TEST(PatternEscapes, EndOfText)
{
    CheckRows({
        {"%$", "", 0},
        {"%$", "a", -1},
        {"a%$", "a", 1},
        {"a%$", "ab", -1},
        {"%G", "", 0},
        {"%G", "\n", 0},
        {"%G", "a", -1},
        {"a%G", "a\n", 1},
    });
    // The plain-text search never tries the end position itself.
    EXPECT_EQ(Search("abc", "%$", "g").count, 0);
    EXPECT_EQ(Search("ba", "a%$", "g").hits, (std::vector<Hit>{{1, 1}}));
    ptest::Found f = SearchStr("abc", "%$", "g");
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{3, 0}}));
    EXPECT_EQ(Search("a\na a", "a%G", "g").hits, (std::vector<Hit>{{0, 1}, {4, 1}}));
}

TEST(PatternEscapes, OriginAnchorsFollowTheSearchOrigin)
{
    // %^ compares with the origin, not with the start of each attempt.
    ptest::Found f = Search("aaa", "%^a", "g");
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{0, 1}}));
    EXPECT_EQ(SearchStr("", "%^", "").count, 1);

    // With a start offset the origin moves there.
    f = SearchStr("baa", "%^a", "g", 1);
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 1}}));
    EXPECT_EQ(SearchStr("aab", "%^b", "g", 1).count, 0);

    // %g: at the origin or right after a line feed.
    f = Search("a\na\nba", "%ga", "g");
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{0, 1}, {2, 1}}));
    f = SearchStr("ab", "%gb", "g", 1);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 1}}));
    EXPECT_EQ(Search("x\n", "%g", "g").hits, (std::vector<Hit>{{0, 0}}));
}

TEST(PatternEscapes, SearchStepsOverDoubleByteCharacters)
{
    // The second byte 0x5C of 表 is never taken for a backslash.
    EXPECT_EQ(Search(SJ_HYO, "\\", "g").count, 0);
    EXPECT_EQ(Search(SJ_HYO "\\", "\\", "g").hits, (std::vector<Hit>{{2, 1}}));
    EXPECT_EQ(Search(SJ_DI_KATA, "a", "g").count, 0);
    EXPECT_EQ(Search(SJ_A_KATA "A", "%A", "g").hits, (std::vector<Hit>{{2, 1}}));
    EXPECT_EQ(SearchStr(SJ_HYO "a" SJ_HYO, "%J", "g").hits, (std::vector<Hit>{{0, 2}, {3, 2}}));
}
