// The reader's and writer's hand-written scans against the patterns they
// stand for: both run over the sample files and over generated texts full
// of the cases that matter (double-byte characters whose second byte is a
// tab, "#", a line feed or a letter; lead bytes at the end; white space of
// every kind; long keys; "_local_" and block keywords).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "document/block_split.h"
#include "document/element_lines.h"
#include "document/line_scan.h"
#include "document/writer_text.h"
#include "document_test_helpers.h"
#include "pattern/str_regex.h"

namespace {

using Text = CStr_base<16384>;

const char* const kPieces[] = {
    "\t", " ", "\r", "\n", "\n  ", "#", "a", "Key", "PRICE", "use", "9", "(", ")", ";", "_", "_local_", "_local_(x)",
    "@@", "@@ITEM", "@@itemno", "@@IF", "@@End", "@@ENDSKIP", "@@SKIP", "@@include", "@@FUNCsale", "@@USE",
    "\x81", "\xe0", "\x82\xa0", "\x95\x5c", "\x83\x41", "\x81\t", "\x81#", "\x81\n", "\x81\r", "\x81 ", "\x81_",
    "\x81@@ITEM", "\xb1", "\x7f", "A-Key-Longer-Than-Thirty-Two-Bytes-In-All",
};

// Deterministic texts of up to `maxPieces` pieces, then the sample files
// as the reader gets them.
std::vector<std::string> Texts(uint32_t count, uint32_t maxPieces, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<uint32_t> length(0, maxPieces);
    std::vector<std::string> texts;
    for (uint32_t i = 0; i < count; ++i) {
        std::string text;
        for (uint32_t n = length(random); n > 0; --n)
            text += kPieces[piece(random)];
        texts.push_back(text);
    }
    texts.push_back(dtest::SampleFile("inc-item-data.cgi"));
    texts.push_back(dtest::SampleFile("inc-item-data-ext.cgi"));
    return texts;
}

std::string Piece(const CLineText& piece) { return std::string(piece.text, piece.length); }

// Every line is taken apart as the patterns do: the comment from the first
// "#" that starts a character, the trim pattern on the rest, both field
// patterns on the trimmed text, the key lowered with its map hash; and the
// words and the closing test of the line. The lines are the pieces between
// line feeds (each text stands behind an empty keyword line).
TEST(ScanEquivalence, LinesAreTakenApartAsThePatternsDo)
{
    CStrRegexMatchStruct captures;
    CFieldLine field;
    for (std::string text : Texts(4000, 30, 1)) {
        text.insert(0, "\n");
        CStrArray_base<64> pieces;
        pieces.Split(text.c_str(), "\n");
        uint32_t i = 1;
        CElementLines lines(text.c_str());
        for (; !lines.AtEnd(); lines.Next(), ++i) {
            const std::string line = Piece(lines.Current());
            ASSERT_LT(i, pieces.GetCount()) << text;
            EXPECT_EQ(lines.LineNumber(0), i + 1);
            EXPECT_EQ(line, pieces[i].GetBuffer()) << text;
            lines.ReadField(field);

            const int32_t hash = SjisFind(line.c_str(), static_cast<uint32_t>(line.size()), "#", 0);
            EXPECT_EQ(Piece(field.comment), hash < 0 ? "" : line.substr(hash)) << line;
            Text trimmed((hash < 0 ? line : line.substr(0, hash)).c_str());
            trimmed.Regex(kTrimPattern, "s", &captures, "%0v");
            ASSERT_EQ(Piece(field.trimmed), trimmed.GetBuffer()) << line;
            for (const char* pattern : {kItemFieldPattern, kUseEventFieldPattern}) {
                const bool split = trimmed.Regex(pattern, "s", &captures) > 0 && captures.GetCount() >= 2;
                ASSERT_EQ(field.IsField(), split) << pattern << " on " << line;
                if (!split)
                    continue;
                std::string key = captures[1].GetBuffer();
                std::transform(key.begin(), key.end(), key.begin(),
                               [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
                EXPECT_EQ(std::string(field.key.GetBuffer(), field.key.GetLength()), key) << line;
                EXPECT_EQ(field.key.GetHash(), CMerxFieldMap::Hash(key.c_str())) << line;
                EXPECT_EQ(Piece(field.value), captures[0].GetBuffer()) << line;
            }

            CStrRegexHistory matches;
            Text(line.c_str()).Regex(kWordPattern, "g", nullptr, nullptr, &matches);
            std::vector<std::string> expected;
            for (const CStrRegexMatchStruct& match : matches)
                expected.emplace_back(match.GetCount() ? match[0].GetBuffer() : "");
            std::vector<CWordRange> words(expected.size() + 1);
            const uint32_t count = SplitWords(line.c_str(), static_cast<uint32_t>(line.size()), words.data(),
                                              static_cast<uint32_t>(words.size()));
            std::vector<std::string> found;
            for (uint32_t w = 0; w < count; ++w)
                found.push_back(line.substr(words[w].start, words[w].length));
            EXPECT_EQ(found, expected) << line;

            EXPECT_EQ(IsLocalClosingLine(line.c_str(), static_cast<uint32_t>(line.size())),
                      StrRegex(line.c_str(), kLocalClosingPattern, "") > 0)
                << line;
        }
        EXPECT_EQ(i, pieces.GetCount()) << text;
        EXPECT_EQ(lines.LineFeeds(), pieces.GetCount() - 1) << text;
    }
}

// The blocks as the block pattern's matches give them: each match starts a
// block that runs to the next block's start (the first block starts at 0,
// the last one runs to the end); a text is searched behind a blank and a
// line feed, so that its first line is a keyword line as any other.
std::vector<std::pair<uint32_t, uint32_t>> PatternBlocks(const std::string& text, bool includeAsElement)
{
    const char* pattern = includeAsElement ? kBlockPatternIncludeElements : kBlockPatternIncludeBlocks;
    if (text.empty())
        return {};
    const uint32_t shift = 2;
    CStrRegexHitList hits;
    StrRegex((" \n" + text).c_str(), pattern, "gi", nullptr, nullptr, &hits);
    std::vector<std::pair<uint32_t, uint32_t>> blocks;
    const uint32_t length = static_cast<uint32_t>(text.size());
    for (const CStrRegexHitBufStruct& hit : hits) {
        const uint32_t start = blocks.empty() ? 0 : hit.offset - shift;
        if (!blocks.empty() && start <= blocks.back().first)
            continue;
        if (!blocks.empty())
            blocks.back().second = start - blocks.back().first;
        blocks.emplace_back(start, length - start);
    }
    return blocks;
}

TEST(ScanEquivalence, BlocksAreTheMatchesOfTheBlockPattern)
{
    for (const std::string& text : Texts(3000, 30, 3)) {
        for (bool includeAsElement : {false, true}) {
            CStrRegexHitList blocks;
            SplitDataBlocks(text.c_str(), includeAsElement, blocks);
            std::vector<std::pair<uint32_t, uint32_t>> found;
            for (const CStrRegexHitBufStruct& block : blocks)
                found.emplace_back(block.offset, block.length);
            EXPECT_EQ(found, PatternBlocks(text, includeAsElement)) << text;
        }
    }
}

TEST(ScanEquivalence, TabRunsBeforeLineEndsGoAsThePatternRemovesThem)
{
    for (const std::string& text : Texts(6000, 12, 4)) {
        Text expected(("\t\t\t" + text).c_str());
        expected.Regex(kTabsBeforeLineEndPattern, "g", nullptr, "");
        CWriterText found(("\t\t\t" + text).c_str());
        RemoveTabsBeforeLineEnds(found);
        EXPECT_EQ(std::string(found.GetBuffer()), expected.GetBuffer()) << text;
    }
}

}  // namespace
