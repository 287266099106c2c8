// A line taken apart in place (pieces of the element text, the key lowered
// with its map hash) against the patterns the reader stands for: the
// comment from the first "#" that starts a character, the trim pattern on
// the rest, the field pattern on the trimmed text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/element_lines.h"
#include "document/line_scan.h"
#include "document_test_helpers.h"
#include "pattern/str_regex.h"

namespace {

using Text = CStr_base<16384>;

const char* const kPieces[] = {
    "\t", " ", "\r", "\n", "#", "a", "Key", "PRICE", "use", "9", ";", "_local_", "@@USE", "@@include",
    "\x81", "\x82\xa0", "\x95\x5c", "\x83\x41", "\x81\t", "\x81#", "\x81\n", "\x81 ", "\x81_", "\xb1",
    "A-Key-Longer-Than-Thirty-Two-Bytes-In-All", "\x7f",
};

// Element texts: a keyword line, then lines of random pieces; and the
// sample files.
std::vector<std::string> Texts()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<uint32_t> length(0, 40);
    std::vector<std::string> texts;
    for (uint32_t i = 0; i < 3000; ++i) {
        std::string text = "@@ITEM\n";
        for (uint32_t n = length(random); n > 0; --n)
            text += kPieces[piece(random)];
        texts.push_back(text);
    }
    texts.push_back(dtest::SampleFile("inc-item-data.cgi"));
    texts.push_back(dtest::SampleFile("inc-item-data-ext.cgi"));
    return texts;
}

std::string Piece(const CLineText& piece) { return std::string(piece.text, piece.length); }

} // namespace

TEST(FieldLine, PiecesAreWhatThePatternsGive)
{
    CStrRegexMatchStruct captures;
    CFieldLine field;
    for (const std::string& text : Texts()) {
        for (CElementLines lines(text.c_str()); !lines.AtEnd(); lines.Next()) {
            const std::string line = Piece(lines.Current());
            lines.ReadField(field);

            const int32_t hash = SjisFind(line.c_str(), static_cast<uint32_t>(line.size()), "#", 0);
            const std::string before = hash < 0 ? line : line.substr(0, hash);
            EXPECT_EQ(Piece(field.comment), hash < 0 ? "" : line.substr(hash)) << line;

            Text trimmed(before.c_str());
            trimmed.Regex(kTrimPattern, "s", &captures, "%0v");
            ASSERT_EQ(Piece(field.trimmed), trimmed.GetBuffer()) << line;

            const bool split = trimmed.Regex(kItemFieldPattern, "s", &captures) > 0 && captures.GetCount() >= 2;
            ASSERT_EQ(field.IsField(), split) << line;
            if (!split) {
                EXPECT_EQ(Piece(field.value), "") << line;
                continue;
            }
            std::string key = captures[1].GetBuffer();
            std::transform(key.begin(), key.end(), key.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
            EXPECT_EQ(std::string(field.key.GetBuffer()), key) << line;
            EXPECT_EQ(field.key.GetLength(), key.size()) << line;
            EXPECT_EQ(field.key.GetHash(), CMerxFieldMap::Hash(key.c_str())) << line;
            EXPECT_EQ(Piece(field.value), captures[0].GetBuffer()) << line;
        }
    }
}

TEST(FieldLine, PiecesCompareWithLiteralsByLengthAndBytes)
{
    const char text[] = "_local_ _local_x";
    EXPECT_TRUE((CLineText{text, 7} == "_local_"));
    EXPECT_FALSE((CLineText{text, 6} == "_local_"));
    EXPECT_FALSE((CLineText{text + 8, 8} == "_local_"));
    EXPECT_TRUE((CLineText{text, 0} == ""));
    CFieldKey key;
    key.Assign("USE", 3);
    EXPECT_TRUE(key == "use");
    EXPECT_FALSE(key == "us");
    EXPECT_FALSE(key == "user");
}
