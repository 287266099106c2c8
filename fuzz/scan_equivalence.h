// The reader's and writer's hand-written scans against the patterns they
// stand for. The reader's fuzz target runs them over every input, the
// document tests over the sample files. Each check returns what differs, or
// null when the scan gives what its pattern gives.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/block_split.h"
#include "document/element_lines.h"
#include "document/line_scan.h"
#include "document/merx_base.h"
#include "foundation/str_array.h"
#include "document/writer_text.h"
#include "pattern/str_regex.h"

namespace scan_equivalence {

using Text = CStr_base<16384>;

inline std::string Piece(const CLineText& piece) { return std::string(piece.text, piece.length); }

// Every line is taken apart as the patterns do: the comment from the first
// "#" that starts a character, the trim pattern on the rest, both field
// patterns on the trimmed text, the key lowered with its map hash; and the
// words and the closing test of the line. The lines are the pieces between
// line feeds (the text stands behind an empty keyword line).
inline const char* CheckLines(std::string text)
{
    CStrRegexMatchStruct captures;
    CFieldLine field;
    text.insert(0, "\n");
    CStrArray_base<64> pieces;
    pieces.Split(text.c_str(), "\n");
    uint32_t i = 1;
    CElementLines lines(text.c_str());
    for (; !lines.AtEnd(); lines.Next(), ++i) {
        const std::string line = Piece(lines.Current());
        if (i >= pieces.GetCount() || lines.LineNumber(0) != i + 1 || line != pieces[i].GetBuffer())
            return "the element's lines are not the pieces between line feeds";
        lines.ReadField(field);

        const int32_t hash = SjisFind(line.c_str(), static_cast<uint32_t>(line.size()), "#", 0);
        if (Piece(field.comment) != (hash < 0 ? "" : line.substr(hash)))
            return "the comment is not what follows the first \"#\"";
        Text trimmed((hash < 0 ? line : line.substr(0, hash)).c_str());
        trimmed.Regex(kTrimPattern, "s", &captures, "%0v");
        if (Piece(field.trimmed) != trimmed.GetBuffer())
            return "the line is not trimmed as the trim pattern trims it";
        for (const char* pattern : {kItemFieldPattern, kUseEventFieldPattern}) {
            const bool split = trimmed.Regex(pattern, "s", &captures) > 0 && captures.GetCount() >= 2;
            if (field.IsField() != split)
                return "a field is found where a field pattern finds none, or the other way round";
            if (!split)
                continue;
            std::string key = captures[1].GetBuffer();
            std::transform(key.begin(), key.end(), key.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
            if (std::string(field.key.GetBuffer(), field.key.GetLength()) != key ||
                field.key.GetHash() != CMerxFieldMap::Hash(key.c_str()) || Piece(field.value) != captures[0].GetBuffer())
                return "a field's key, hash or value differs from the field pattern's";
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
        if (found != expected)
            return "the words of a line differ from the word pattern's";
        if (IsLocalClosingLine(line.c_str(), static_cast<uint32_t>(line.size())) !=
            (StrRegex(line.c_str(), kLocalClosingPattern, "") > 0))
            return "a line closes a \"_local_\" block where the closing pattern says otherwise";
    }
    if (i != pieces.GetCount() || lines.LineFeeds() != pieces.GetCount() - 1)
        return "the element's lines or line feeds are not those of the text";
    return nullptr;
}

// The blocks as the block pattern's matches give them: each match starts a
// block that runs to the next block's start (the first block starts at 0,
// the last one runs to the end); a text is searched behind a blank and a
// line feed, so that its first line is a keyword line as any other.
inline const char* CheckBlocks(const std::string& text)
{
    for (const bool includeAsElement : {false, true}) {
        std::vector<std::pair<uint32_t, uint32_t>> expected;
        if (!text.empty()) {
            const uint32_t shift = 2;
            CStrRegexHitList hits;
            StrRegex((" \n" + text).c_str(),
                     includeAsElement ? kBlockPatternIncludeElements : kBlockPatternIncludeBlocks, "gi", nullptr,
                     nullptr, &hits);
            const uint32_t length = static_cast<uint32_t>(text.size());
            for (const CStrRegexHitBufStruct& hit : hits) {
                const uint32_t start = expected.empty() ? 0 : hit.offset - shift;
                if (!expected.empty() && start <= expected.back().first)
                    continue;
                if (!expected.empty())
                    expected.back().second = start - expected.back().first;
                expected.emplace_back(start, length - start);
            }
        }
        CStrRegexHitList blocks;
        SplitDataBlocks(text.c_str(), includeAsElement, blocks);
        std::vector<std::pair<uint32_t, uint32_t>> found;
        for (const CStrRegexHitBufStruct& block : blocks)
            found.emplace_back(block.offset, block.length);
        if (found != expected)
            return "the blocks differ from the block pattern's matches";
    }
    return nullptr;
}

// Tab runs before line ends go as the pattern removes them.
inline const char* CheckTabsBeforeLineEnds(const std::string& text)
{
    Text expected(("\t\t\t" + text).c_str());
    expected.Regex(kTabsBeforeLineEndPattern, "g", nullptr, "");
    CWriterText found(("\t\t\t" + text).c_str());
    RemoveTabsBeforeLineEnds(found);
    if (std::string(found.GetBuffer()) != expected.GetBuffer())
        return "the tabs before line ends are not removed as the pattern removes them";
    return nullptr;
}

}  // namespace scan_equivalence
