// Strings: capacity and growth, assigning and appending, finding and
// replacing in Shift-JIS text.
#include "foundation/str_base.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

// Texts are Shift-JIS bytes: "\x82\xa0" hiragana A, "\x83\x41" katakana A
// (second byte 'A'), "\x95\x5c" the kanji "table" (second byte '\\').

using Str = CStr_base<64>;

namespace {

std::string Text(const Str& s) { return std::string(s.GetBuffer(), s.GetLength()); }

}  // namespace

TEST(Str, CapacityGrowsAsTheTextNeeds)
{
    // A new or released string points at the shared empty text.
    Str fresh, released("text");
    released.Release();
    for (const Str* s : {&fresh, &released})
        EXPECT_EQ(std::tuple(s->GetCapacity(), s->GetLength(), s->GetBuffer()), std::tuple(0u, 0u, g_szStrEmpty));
    // A reserve below the capacity changes nothing.
    Str big;
    big.Reserve(1024);
    const char* buffer = big.GetBuffer();
    big.Reserve(63);
    EXPECT_EQ(big.GetBuffer(), buffer);
    // One byte at a time through every step: the buffer behind the capacity
    // grows as the text needs, keeping the text.
    Str grown;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        expected += static_cast<char>('a' + i % 26);
        grown.Append(expected.back());
        ASSERT_GT(grown.GetCapacity(), grown.GetLength() + 1) << i;
    }
    EXPECT_EQ(Text(grown), expected);
    EXPECT_EQ(StrGrowthStep(UINT32_MAX, 16384), 1u << 24);  // the step stops growing
}

TEST(Str, AssignAndAppend)
{
    // A counted assign stops at the first zero within the count; short
    // counts are measured without a call.
    const std::pair<uint32_t, int> rows[] = {{0, -1},  {1, -1},  {1, 0},    {31, -1},  {31, 30},  {32, -1},
                                             {32, 31}, {32, 0},  {33, -1},  {33, 32},  {33, 31},  {100, -1},
                                             {100, 99}, {100, 40}, {100, 5}};
    for (const auto& [count, zeroAt] : rows) {
        std::string text(200, 'x');
        for (uint32_t i = 0; i < text.size(); ++i)
            text[i] = i == static_cast<uint32_t>(zeroAt) ? 0 : static_cast<char>('a' + i % 26);
        Str s;
        s.Assign(text.data(), static_cast<int32_t>(count));
        const uint32_t expected = zeroAt >= 0 && static_cast<uint32_t>(zeroAt) < count ? zeroAt : count;
        EXPECT_EQ(Text(s), text.substr(0, expected)) << count << " " << zeroAt;
        EXPECT_EQ(s.GetBuffer()[expected], 0);
    }
    Str s("hello world");
    s.Assign(s.GetBuffer() + s.Find("w"));  // a part of itself
    s.Append(s.GetBuffer(), 3);
    EXPECT_STREQ(s, "worldwor");
    s.Assign(nullptr);
    s.Append('a');
    s.Append("bcd", 2);
    s += Str("-");
    s += "\x82\xa0";
    EXPECT_EQ(Text(s), "abc-\x82\xa0");
    const char* buffer = s.GetBuffer();
    s.Truncate(2);
    s.Truncate(10);
    EXPECT_STREQ(s, "ab");
    EXPECT_EQ(s.GetBuffer(), buffer);
}

TEST(Str, CopiesAreIndependentAndCompareByContent)
{
    const Str a("one"), abc("abc");
    Str b(a);
    CStr_base<1024> c(a);
    b.Append("!");
    EXPECT_EQ(std::tuple(Text(a), Text(b)), std::tuple("one", "one!"));
    EXPECT_TRUE(c == a && abc == "abc" && Str() == nullptr && Str("x") == CStr_base<32>("x"));
    EXPECT_FALSE(abc == "ab" || Str("x") == CStr_base<32>("xy"));
}

TEST(StrFind, FirstOccurrenceAtACharacterStart)
{
    const struct {
        const char* text;
        const char* needle;
        int32_t start, found;
    } rows[] = {
        {"abc", "", 5, 0}, {"", "", 0, 0}, {"xyz", "x", -1, -1}, {"xyz", "z", 4, -1}, {"xyz", "z", 2, 2},
        {"abcabc", "bc", 0, 1}, {"abcabc", "bc", 2, 4}, {"abcabc", "abcd", 0, -1},
        // Never inside a double-byte character, nor across two of them; a
        // lead byte before the terminator, or before a byte that cannot be a
        // second byte, is a single byte.
        {"\x83\x41", "A", 0, -1}, {"\x83\x41" "A", "A", 0, 2}, {"\x95\x5c", "\\", 0, -1}, {"\x95\x5c\\", "\\", 0, 2},
        {"\x82\xa0\x82\xa0", "\xa0\x82", 0, -1}, {"a\x82\xa0", "\x82\xa0", 0, 1}, {"a\x82", "\x82", 0, 1},
        {"a\x81\r\n", "\r\n", 0, 2}, {"\x81\x81\x81\n", "\n", 0, 3}, {"\xfc\x7f", "\x7f", 0, 1},
        {"\x81\x81\x81\x40", "\x40", 0, -1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Str(r.text).Find(r.needle, r.start), r.found) << r.text << " / " << r.needle;
}

// Every occurrence replaced from left to right, without rescanning what was
// put in, is the cp932 fuzz target's check, over a seed of each case.
TEST(StrReplace, AnEmptyTextToReplaceReplacesNothing)
{
    Str s("abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_STREQ(s, "abc");
}
