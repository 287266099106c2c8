#include "foundation/str_base.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

namespace {

// Texts made of pieces that put double-byte characters (some with "\n", "#"
// or a backslash as their second byte) next to the bytes searched for.
std::vector<std::string> MixedTexts()
{
    const char* const pieces[] = {"a", "\n", "\r\n", "#", "\\", "\x82\xa0", "\x83\x41", "\x95\x5c",
                                  "\x81", "\x81\n", "\x81\r", "\xa0\x82", "A"};
    std::mt19937 random(5);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 16);
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        texts.push_back(text);
    }
    return texts;
}

const char* const kNeedles[] = {"\n", "\r\n", "#", "A", "\\", "\xa0\x82", "\x82\xa0", "a#"};

// The search as a walk over the characters from `start`.
int32_t WalkFind(const std::string& text, const std::string& needle, int32_t start)
{
    for (size_t p = static_cast<size_t>(start); p + needle.size() <= text.size();
         p += IsSjisLeadByte(static_cast<unsigned char>(text[p])) && p + 1 < text.size() ? 2 : 1) {
        if (text.compare(p, needle.size(), needle) == 0)
            return static_cast<int32_t>(p);
    }
    return -1;
}

std::string WalkReplace(const std::string& text, const std::string& from, const std::string& to, int32_t& count)
{
    std::string out;
    count = 0;
    size_t done = 0;
    for (int32_t at = WalkFind(text, from, 0); at >= 0; at = WalkFind(text, from, static_cast<int32_t>(done))) {
        out += text.substr(done, at - done) + to;
        done = at + from.size();
        ++count;
    }
    return out + text.substr(done);
}

} // namespace

TEST(StrFind, AgreesWithAWalkOverTheCharacters)
{
    for (const std::string& text : MixedTexts()) {
        const Str s(text.c_str());
        for (const char* needle : kNeedles) {
            for (int32_t start = 0; start < 3; ++start)
                ASSERT_EQ(s.Find(needle, start), WalkFind(text, needle, start)) << text << " / " << needle;
        }
    }
}

TEST(StrReplace, ShrinkingEqualAndGrowingReplacementsAgreeWithAWalk)
{
    for (const std::string& text : MixedTexts()) {
        for (const char* from : kNeedles) {
            for (const char* to : {"", "\n", "xy", "\r\n\t\t"}) {
                int32_t expected = 0;
                const std::string replaced = WalkReplace(text, from, to, expected);
                CStr_base<16384> s(text.c_str());
                ASSERT_EQ(s.Replace(from, to), expected) << text << " / " << from;
                ASSERT_EQ(std::string(s.GetBuffer(), s.GetLength()), replaced) << text << " / " << from;
            }
        }
    }
}

TEST(StrCapacity, TheBufferGrowsBehindTheCapacityAndKeepsTheText)
{
    // Appending one byte at a time: the capacity follows the growth steps
    // while the buffer behind it grows as the text needs.
    Str s;
    std::string expected;
    uint32_t capacity = 0;
    for (int i = 0; i < 20000; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        const uint32_t needed = static_cast<uint32_t>(expected.size()) + 3;
        if (needed >= capacity)
            capacity = std::max(needed, capacity + StrGrowthStep(capacity, 64));
        s.Append(c);
        expected += c;
        ASSERT_EQ(s.GetCapacity(), capacity) << i;
    }
    EXPECT_EQ(std::string(s.GetBuffer(), s.GetLength()), expected);
    EXPECT_TRUE(Str(s) == s);
}
