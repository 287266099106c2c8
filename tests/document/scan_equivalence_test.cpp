// The reader's and writer's hand-written scans against the patterns they
// stand for: both run over the lines and texts of the sample files and over
// generated texts full of the cases that matter (double-byte characters
// whose second byte is a tab, "#", a line feed or a letter; lead bytes at
// the end; white space of every kind; "_local_" and block keywords).
#include <gtest/gtest.h>

#include <random>
#include <sstream>
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

// Pieces that generated texts are made of.
const char* const kPieces[] = {
    "\t", " ", "\r", "\n", "\n  ", "#", "a", "Key", "use", "9", "(", ")", ";", "_", "_local_", "_local_(x)",
    "@@", "@@ITEM", "@@itemno", "@@IF", "@@End", "@@ENDSKIP", "@@SKIP", "@@include", "@@FUNCsale", "@@USE",
    "\x81", "\xe0", "\x82\xa0", "\x95\x5c", "\x83\x41", "\x81\t", "\x81#", "\x81\n", "\x81\r", "\x81 ", "\x81_",
    "\x81@@ITEM", "\xb1", "\x7f",
};

// Deterministic texts of up to `maxPieces` pieces.
std::vector<std::string> GeneratedTexts(uint32_t count, uint32_t maxPieces, uint32_t seed)
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
    return texts;
}

// The sample data files as the reader sees them: CR LF turned into LF.
std::vector<std::string> SampleTexts()
{
    return {dtest::SampleFile("inc-item-data.cgi"), dtest::SampleFile("inc-item-data-ext.cgi")};
}

// Every line of the sample files and many generated lines.
std::vector<std::string> Lines()
{
    std::vector<std::string> lines = GeneratedTexts(6000, 12, 1);
    for (const std::string& text : SampleTexts()) {
        std::stringstream in(text);
        std::string line;
        while (std::getline(in, line))
            lines.push_back(line);
    }
    return lines;
}

std::string Range(const std::string& text, uint32_t start, uint32_t end) { return text.substr(start, end - start); }

TEST(ScanEquivalence, CommentStartIsTheFirstHashThatStartsACharacter)
{
    for (const std::string& line : Lines()) {
        const uint32_t length = static_cast<uint32_t>(line.size());
        const int32_t expected = SjisFind(line.c_str(), length, "#", 0);
        EXPECT_EQ(FindCharByte(line.c_str(), 0, length, '#'), expected < 0 ? length : static_cast<uint32_t>(expected))
            << line;
    }
}

TEST(ScanEquivalence, TrimRangeKeepsWhatTheTrimPatternKeeps)
{
    CStrRegexMatchStruct captures;
    for (const std::string& line : Lines()) {
        Text trimmed(line.c_str());
        trimmed.Regex(kTrimPattern, "s", &captures, "%0v");
        uint32_t start = 0;
        uint32_t end = 0;
        TrimRange(line.c_str(), static_cast<uint32_t>(line.size()), start, end);
        EXPECT_EQ(Range(line, start, end), trimmed.GetBuffer()) << line;
    }
}

TEST(ScanEquivalence, FieldSplitGivesTheCapturesOfBothFieldPatterns)
{
    CStrRegexMatchStruct captures;
    for (const std::string& line : Lines()) {
        Text trimmed(line.c_str());
        trimmed.Regex(kTrimPattern, "s", &captures, "%0v");
        const std::string text = trimmed.GetBuffer();
        uint32_t keyEnd = 0;
        uint32_t valueStart = 0;
        const bool split = SplitFieldLine(text.c_str(), static_cast<uint32_t>(text.size()), keyEnd, valueStart);
        for (const char* pattern : {kItemFieldPattern, kUseEventFieldPattern}) {
            const bool matched = trimmed.Regex(pattern, "s", &captures) > 0 && captures.GetCount() >= 2;
            ASSERT_EQ(split, matched) << pattern << " on " << text;
            if (!split)
                continue;
            EXPECT_EQ(text.substr(0, keyEnd), captures[1].GetBuffer()) << text;
            EXPECT_EQ(text.substr(valueStart), captures[0].GetBuffer()) << text;
        }
    }
}

TEST(ScanEquivalence, WordsAreTheMatchesOfTheWordPattern)
{
    for (const std::string& line : Lines()) {
        Text text(line.c_str());
        CStrRegexHistory matches;
        text.Regex(kWordPattern, "g", nullptr, nullptr, &matches);
        std::vector<std::string> expected;
        for (const CStrRegexMatchStruct& match : matches)
            expected.emplace_back(match.GetCount() ? match[0].GetBuffer() : "");

        std::vector<CWordRange> words(expected.size() + 1);
        const uint32_t count = SplitWords(line.c_str(), static_cast<uint32_t>(line.size()), words.data(),
                                          static_cast<uint32_t>(words.size()));
        std::vector<std::string> found;
        for (uint32_t i = 0; i < count; ++i)
            found.push_back(line.substr(words[i].start, words[i].length));
        EXPECT_EQ(found, expected) << line;
    }
}

TEST(ScanEquivalence, ClosingLinesAreTheLinesTheClosingPatternFinds)
{
    for (const std::string& line : Lines()) {
        const bool expected = StrRegex(line.c_str(), kLocalClosingPattern, "") > 0;
        EXPECT_EQ(IsLocalClosingLine(line.c_str(), static_cast<uint32_t>(line.size())), expected) << line;
    }
}

TEST(ScanEquivalence, ElementLinesAreThePiecesBetweenLineFeeds)
{
    std::vector<std::string> texts = GeneratedTexts(3000, 30, 2);
    for (const std::string& text : SampleTexts())
        texts.push_back(text);
    for (const std::string& text : texts) {
        CStrArray_base<64> pieces;
        pieces.Split(text.c_str(), "\n");
        CElementLines lines(text.c_str());
        uint32_t i = 1;
        for (; !lines.AtEnd(); lines.Next(), ++i) {
            ASSERT_LT(i, pieces.GetCount()) << text;
            EXPECT_EQ(lines.LineNumber(0), i + 1);
            const CLineText line = lines.Current();
            EXPECT_EQ(std::string(line.text, line.length), pieces[i].GetBuffer()) << text;
        }
        EXPECT_EQ(i, pieces.GetCount() < 2 ? 1u : pieces.GetCount()) << text;
        EXPECT_EQ(lines.LineFeeds(), pieces.GetCount() - 1) << text;
    }
}

// The blocks as the block pattern's matches give them: each match starts a
// block that runs to the next block's start (the first block starts at 0,
// the last one runs to the end); a text that begins with a line feed is
// searched behind one blank that counts to the first block.
std::vector<std::pair<uint32_t, uint32_t>> PatternBlocks(const std::string& text, bool includeAsElement)
{
    const char* pattern = includeAsElement ? kBlockPatternIncludeElements : kBlockPatternIncludeBlocks;
    const uint32_t shift = !text.empty() && text[0] == '\n' ? 1 : 0;
    const std::string searched = shift ? " " + text : text;
    CStrRegexHitList hits;
    StrRegex(searched.c_str(), pattern, "gi", nullptr, nullptr, &hits);
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
    std::vector<std::string> texts = GeneratedTexts(3000, 30, 3);
    for (const std::string& text : SampleTexts())
        texts.push_back(text);
    for (const std::string& text : texts) {
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
    for (const std::string& text : GeneratedTexts(6000, 12, 4)) {
        Text expected(("\t\t\t" + text).c_str());
        expected.Regex(kTabsBeforeLineEndPattern, "g", nullptr, "");
        CWriterText found(("\t\t\t" + text).c_str());
        RemoveTabsBeforeLineEnds(found);
        EXPECT_EQ(std::string(found.GetBuffer()), expected.GetBuffer()) << text;
    }
}

}  // namespace
