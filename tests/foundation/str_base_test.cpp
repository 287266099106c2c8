#include "foundation/str_base.h"

#include <gtest/gtest.h>

#include <string>

// Texts are Shift-JIS bytes:
//   "\x82\xa0"  hiragana A
//   "\x83\x41"  katakana A  (second byte is 'A')
//   "\x95\x5c"  the kanji "table" (second byte is '\\')

using Str = CStr_base<64>;

TEST(StrCapacity, NewStringPointsAtTheSharedEmptyText)
{
    Str a, b;
    EXPECT_EQ(a.GetCapacity(), 0u);
    EXPECT_EQ(a.GetLength(), 0u);
    EXPECT_EQ(a.GetBuffer(), g_szStrEmpty);
    EXPECT_EQ(b.GetBuffer(), a.GetBuffer());
    EXPECT_TRUE(a.IsEmpty());
}

TEST(StrCapacity, AssignGrowsByTheAllocationUnit)
{
    Str s;
    s.Assign("x");
    EXPECT_EQ(s.GetCapacity(), 64u);
    EXPECT_EQ(s.GetLength(), 1u);
    s.Assign(std::string(100, 'y').c_str());
    EXPECT_EQ(s.GetCapacity(), 128u); // larger of 102 and 64 + 64
    EXPECT_EQ(s.GetLength(), 100u);
}

TEST(StrCapacity, CapacityKeepsOneSpareByteBeyondTheTerminator)
{
    Str a;
    a.Assign(std::string(62, 'a').c_str());
    EXPECT_EQ(a.GetCapacity(), 64u);
    Str b;
    b.Assign(std::string(63, 'b').c_str()); // reserves length + 2
    EXPECT_EQ(b.GetCapacity(), 65u);
    b.Append('b'); // reserves length + 3
    EXPECT_EQ(b.GetCapacity(), 129u);
}

TEST(StrCapacity, Capacity1024GrowsTo1280)
{
    Str s;
    s.Reserve(1024);
    EXPECT_EQ(s.GetCapacity(), 1024u);
    s.Assign(std::string(1022, 'a').c_str()); // needs 1024: grows
    EXPECT_EQ(s.GetCapacity(), 1280u);
}

TEST(StrCapacity, ReserveBelowCapacityKeepsTheBuffer)
{
    Str s("abc");
    const char* before = s.GetBuffer();
    s.Reserve(63);
    EXPECT_EQ(s.GetBuffer(), before);
    EXPECT_STREQ(s, "abc");
}

TEST(StrCapacity, GrowthStepFollowsTheCapacityBands)
{
    EXPECT_EQ(StrGrowthStep(0, 64), 64u);
    EXPECT_EQ(StrGrowthStep(1023, 64), 64u);
    EXPECT_EQ(StrGrowthStep(1024, 64), 256u);
    EXPECT_EQ(StrGrowthStep(4095, 64), 256u);
    EXPECT_EQ(StrGrowthStep(4096, 64), 1024u);
    EXPECT_EQ(StrGrowthStep(16383, 64), 1024u);
    EXPECT_EQ(StrGrowthStep(16384, 64), 4096u);
    EXPECT_EQ(StrGrowthStep(65536, 64), 16384u);
    EXPECT_EQ(StrGrowthStep(131071, 64), 16384u);
    EXPECT_EQ(StrGrowthStep(131072, 64), 65536u);
    EXPECT_EQ(StrGrowthStep(UINT32_MAX, 16384), 1024u * 16384u);
}

TEST(StrAssign, CountedAssignStopsAtAZeroByte)
{
    Str s;
    s.Assign("abcdef", 3);
    EXPECT_STREQ(s, "abc");
    s.Assign("ab\0cd", 5);
    EXPECT_EQ(s.GetLength(), 2u);
    s.Assign("whole", -1);
    EXPECT_STREQ(s, "whole");
    s.Assign(nullptr);
    EXPECT_STREQ(s, "");
}

TEST(StrAssign, FromAPartOfItself)
{
    Str s("hello world");
    s.Assign(s.GetBuffer() + 6);
    EXPECT_STREQ(s, "world");
    s.Append(s.GetBuffer(), 3);
    EXPECT_STREQ(s, "worldwor");
}

TEST(StrAssign, CopiesAreIndependent)
{
    Str a("one");
    Str b(a);
    CStr_base<1024> c(a);
    b.Append("!");
    EXPECT_STREQ(a, "one");
    EXPECT_STREQ(b, "one!");
    EXPECT_TRUE(c == a);
    a = c;
    EXPECT_STREQ(a, "one");
}

TEST(StrAssign, ReleaseReturnsToTheSharedEmptyText)
{
    Str s("text");
    s.Release();
    EXPECT_EQ(s.GetCapacity(), 0u);
    EXPECT_EQ(s.GetLength(), 0u);
    EXPECT_EQ(s.GetBuffer(), g_szStrEmpty);
}

TEST(StrAppend, BytesTextsAndStrings)
{
    Str s;
    s.Append('a');
    EXPECT_EQ(s.GetCapacity(), 64u);
    s.Append("bcd", 2);
    s += Str("-");
    s += "\x82\xa0";
    EXPECT_STREQ(s, "abc-\x82\xa0");
    EXPECT_EQ(s.GetLength(), 6u);
}

TEST(StrAppend, TruncateKeepsTheBuffer)
{
    Str s("abcdef");
    const char* before = s.GetBuffer();
    s.Truncate(2);
    EXPECT_STREQ(s, "ab");
    EXPECT_EQ(s.GetBuffer(), before);
    s.Truncate(10);
    EXPECT_STREQ(s, "ab");
}

TEST(StrFind, EmptyTextIsFoundAtZero)
{
    EXPECT_EQ(Str("abc").Find("", 5), 0);
    EXPECT_EQ(Str().Find("", 0), 0);
}

TEST(StrFind, NegativeOrPastTheEndStartFindsNothing)
{
    EXPECT_EQ(Str("xyz").Find("x", -1), -1);
    EXPECT_EQ(Str("xyz").Find("z", 4), -1);
    EXPECT_EQ(Str("xyz").Find("z", 2), 2);
}

TEST(StrFind, FirstOccurrenceFromStart)
{
    Str s("abcabc");
    EXPECT_EQ(s.Find("bc"), 1);
    EXPECT_EQ(s.Find("bc", 2), 4);
    EXPECT_EQ(s.Find("abcd"), -1);
}

TEST(StrFind, NeverMatchesInsideADoubleByteCharacter)
{
    EXPECT_EQ(Str("\x83\x41").Find("A"), -1);
    EXPECT_EQ(Str("\x83\x41" "A").Find("A"), 2);
    EXPECT_EQ(Str("\x95\x5c").Find("\\"), -1);
    EXPECT_EQ(Str("\x95\x5c\\").Find("\\"), 2);
    // Second byte of one character and lead byte of the next.
    EXPECT_EQ(Str("\x82\xa0\x82\xa0").Find("\xa0\x82"), -1);
    EXPECT_EQ(Str("a\x82\xa0").Find("\x82\xa0"), 1);
}

TEST(StrFind, LeadByteBeforeTheTerminatorIsASingleByte)
{
    EXPECT_EQ(Str("a\x82").Find("\x82"), 1);
}

TEST(StrReplace, EveryOccurrenceWithoutRescanning)
{
    Str s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_STREQ(s, "a--b--c");
    Str t("aaa");
    EXPECT_EQ(t.Replace("a", "aa"), 3);
    EXPECT_STREQ(t, "aaaaaa");
    Str u("abab");
    EXPECT_EQ(u.Replace("ab", ""), 2);
    EXPECT_STREQ(u, "");
}

TEST(StrReplace, EmptyOrAbsentSearchTextChangesNothing)
{
    Str s("abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("z", "x"), 0);
    EXPECT_STREQ(s, "abc");
}

TEST(StrReplace, StepsOverDoubleByteCharacters)
{
    Str s("\x95\x5c\\\x83\x41" "A");
    EXPECT_EQ(s.Replace("\\", "/"), 1);
    EXPECT_EQ(s.Replace("A", "a"), 1);
    EXPECT_STREQ(s, "\x95\x5c/\x83\x41" "a");
    EXPECT_EQ(s.Replace("\x95\x5c", "\x82\xa0\x82\xa0"), 1);
    EXPECT_STREQ(s, "\x82\xa0\x82\xa0/\x83\x41" "a");
}

TEST(StrCompare, ByContent)
{
    EXPECT_TRUE(Str("abc") == "abc");
    EXPECT_FALSE(Str("abc") == "ab");
    EXPECT_TRUE(Str() == nullptr);
    EXPECT_TRUE(Str("x") == CStr_base<32>("x"));
    EXPECT_FALSE(Str("x") == CStr_base<32>("xy"));
}
