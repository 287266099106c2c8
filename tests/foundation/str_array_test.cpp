#include "foundation/str_array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using StrArray = CStrArray_base<64>;
using Pieces = std::vector<std::string>;

Pieces Split(const char* text, const char* separator)
{
    StrArray a;
    a.Split("old,content", ",");
    a.Split(text, separator);  // replaces the previous content
    Pieces out;
    for (const CStr_base<64>& s : a)
        out.emplace_back(s.GetBuffer(), s.GetLength());
    return out;
}

} // namespace

TEST(StrArraySplit, NSeparatorsGiveNPlusOnePieces)
{
    EXPECT_EQ(Split("a//b", "/"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(Split("/a/", "/"), (Pieces{"", "a", ""}));
    EXPECT_EQ(Split("", ","), (Pieces{""}));
    EXPECT_EQ(Split("abc", ","), (Pieces{"abc"}));
    EXPECT_EQ(Split("abc", ""), (Pieces{"abc"}));
    EXPECT_EQ(Split("x\r\ny\r\n", "\r\n"), (Pieces{"x", "y", ""}));
    // "\x95\x5c" is one character whose second byte is a backslash.
    EXPECT_EQ(Split("\x95\x5c\\\x82\xa0\\\x95\x5c", "\\"), (Pieces{"\x95\x5c", "\x82\xa0", "\x95\x5c"}));
}

TEST(StrArrayOwning, RemovalEmptiesTheTextOnlyWhenOwning)
{
    StrArray a;
    a.Split("first,second,third", ",");
    CStr_base<64>* first = a.GetAt(0);
    a.RemoveAt(0);
    EXPECT_EQ(first->GetBuffer(), g_szStrEmpty);
    EXPECT_EQ(first->GetCapacity(), 0u);
    EXPECT_EQ(first->GetLength(), 0u);
    CStr_base<64>* third = a.GetAt(1);
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
