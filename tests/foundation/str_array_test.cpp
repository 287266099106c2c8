// String arrays: splitting at a separator, and what removal does to a text.
#include "foundation/str_array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using StrArray = CStrArray_base<64>;
using Pieces = std::vector<std::string>;

TEST(StrArray, NSeparatorsGiveNPlusOnePieces)
{
    const std::vector<std::pair<std::pair<const char*, const char*>, Pieces>> rows = {
        {{"a//b", "/"}, {"a", "", "b"}}, {{"/a/", "/"}, {"", "a", ""}}, {{"", ","}, {""}}, {{"abc", ","}, {"abc"}},
        {{"abc", ""}, {"abc"}}, {{"x\r\ny\r\n", "\r\n"}, {"x", "y", ""}},
        // "\x95\x5c" is one character whose second byte is a backslash.
        {{"\x95\x5c\\\x82\xa0\\\x95\x5c", "\\"}, {"\x95\x5c", "\x82\xa0", "\x95\x5c"}},
        // A lead byte before a line feed is a character of its own.
        {{"a\x81\nb\xe0\n", "\n"}, {"a\x81", "b\xe0", ""}},
    };
    for (const auto& [split, pieces] : rows) {
        StrArray a;
        a.Split("old,content", ",");
        a.Split(split.first, split.second);  // replaces the previous content
        Pieces out;
        for (const CStr_base<64>& s : a)
            out.emplace_back(s.GetBuffer(), s.GetLength());
        EXPECT_EQ(out, pieces) << split.first;
    }
}

TEST(StrArray, RemovalEmptiesTheTextOnlyWhenOwning)
{
    StrArray a;
    a.Split("first,second,third", ",");
    CStr_base<64>* first = a.GetAt(0);
    CStr_base<64>* third = a.GetAt(2);
    a.RemoveAt(0);
    EXPECT_EQ(first->GetBuffer(), g_szStrEmpty);
    EXPECT_EQ(first->GetCapacity() + first->GetLength(), 0u);
    a.RemoveAll();
    EXPECT_EQ(third->GetBuffer(), g_szStrEmpty);
    // Not owning: the next append hands the same string out again, text and all.
    StrArray kept;
    kept.SetOwning(false);
    kept.Split("first,second", ",");
    CStr_base<64>* second = kept.GetAt(1);
    const char* buffer = second->GetBuffer();
    EXPECT_EQ(kept.RemoveTail(), 1);
    EXPECT_EQ(second->GetBuffer(), buffer);
    EXPECT_EQ(kept.Add(), second);
    EXPECT_STREQ(*second, "second");
}
