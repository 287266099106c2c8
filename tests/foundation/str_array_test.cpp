#include "foundation/str_array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Texts are Shift-JIS bytes: "\x95\x5c" is the kanji "table", whose second
// byte is '\\'; "\x82\xa0" is hiragana A.

namespace {

using StrArray = CStrArray_base<64>;

std::vector<std::string> Pieces(const StrArray& a)
{
    std::vector<std::string> out;
    for (const CStr_base<64>& s : a)
        out.emplace_back(s.GetBuffer(), s.GetLength());
    return out;
}

} // namespace

TEST(StrArraySplit, EmptyPiecesCount)
{
    StrArray a;
    a.Split("a//b", "/");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"a", "", "b"}));
    a.Split("/a/", "/");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"", "a", ""}));
}

TEST(StrArraySplit, EmptyTextGivesOneEmptyPiece)
{
    StrArray a;
    a.Split("", ",");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{""}));
}

TEST(StrArraySplit, TextWithoutSeparatorIsOnePiece)
{
    StrArray a;
    a.Split("abc", ",");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"abc"}));
    a.Split("abc", "");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"abc"}));
}

TEST(StrArraySplit, MultiByteSeparator)
{
    StrArray a;
    a.Split("x\r\ny\r\n", "\r\n");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"x", "y", ""}));
}

TEST(StrArraySplit, SeparatorInsideADoubleByteCharacterDoesNotSplit)
{
    StrArray a;
    a.Split("\x95\x5c\\\x82\xa0\\\x95\x5c", "\\");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"\x95\x5c", "\x82\xa0", "\x95\x5c"}));
}

TEST(StrArraySplit, ReplacesThePreviousContent)
{
    StrArray a;
    a.Split("1,2,3,4", ",");
    a.Split("5", ",");
    EXPECT_EQ(Pieces(a), (std::vector<std::string>{"5"}));
}

TEST(StrArrayOwning, RemovalFreesTheTextWhenOwning)
{
    StrArray a;
    a.Split("first,second", ",");
    CStr_base<64>* first = a.GetAt(0);
    a.RemoveAt(0);
    EXPECT_EQ(first->GetBuffer(), g_szStrEmpty);
    EXPECT_EQ(first->GetCapacity(), 0u);
    EXPECT_EQ(first->GetLength(), 0u);
    EXPECT_EQ(a.Add(), first);
    EXPECT_STREQ(*first, "");
}

TEST(StrArrayOwning, RemovalKeepsTheTextWhenNotOwning)
{
    StrArray a;
    a.SetOwning(false);
    a.Split("first,second", ",");
    CStr_base<64>* second = a.GetAt(1);
    const char* buffer = second->GetBuffer();
    EXPECT_EQ(a.RemoveTail(), 1);
    EXPECT_EQ(second->GetBuffer(), buffer);
    EXPECT_STREQ(*second, "second");
    // The next append hands the same string out again, text and all.
    EXPECT_EQ(a.Add(), second);
    EXPECT_STREQ(*second, "second");
}

TEST(StrArrayOwning, RemoveAllEmptiesEveryString)
{
    StrArray a;
    a.Split("a,b,c", ",");
    CStr_base<64>* c = a.GetAt(2);
    a.RemoveAll();
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(c->GetBuffer(), g_szStrEmpty);
}
