// The search loops pass quickly over positions where no match can start, and
// "+" and "*" elements skip rest attempts that cannot match. These tests check
// that every observable result is the same as trying each position in turn:
// the reference tries one start position at a time with option "s" and a
// start offset, which never skips.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "pattern_test_helpers.h"

namespace {

// The parts of a call's result that the reference gives too.
auto Result(const ptest::Found& f)
{
    return std::tie(f.count, f.hits, f.history, f.text);
}

// One position at a time: option "s" without "g" tries only the start offset.
ptest::Found Reference(const std::string& text, const std::string& pattern, const std::string& options, bool global,
                       bool replace)
{
    ptest::Found f;
    CStr_base<16384> subject(text.c_str());
    uint32_t p = 0;
    std::string out;
    while (p <= text.size()) {
        CStrRegexMatchStruct caps;
        CStrRegexHitList hits;
        const std::string one = options + "s";
        if (subject.Regex(pattern.c_str(), one.c_str(), &caps, nullptr, nullptr, static_cast<int32_t>(p), &hits) != 1) {
            if (p == text.size())
                break;
            const uint32_t step = static_cast<uint32_t>(SjisCharLength(text.c_str() + p));
            out.append(text, p, step);
            p += step;
            continue;
        }
        const uint32_t length = hits[0].length;
        f.history.push_back(ptest::ToCaps(caps));
        if (replace) {  // the tests use the template "[%0v]"
            const std::string expanded = std::string("[") + (caps.GetCount() ? caps[0].GetBuffer() : "") + "]";
            f.hits.emplace_back(static_cast<uint32_t>(out.size()), static_cast<uint32_t>(expanded.size()));
            out += expanded;
        } else {
            f.hits.emplace_back(p, length);
        }
        p += length;
        ++f.count;
        if (!global) {
            out.append(text, std::min<size_t>(p, text.size()), std::string::npos);
            break;
        }
        if (length == 0) {
            if (p >= text.size())
                break;
            const uint32_t step = static_cast<uint32_t>(SjisCharLength(text.c_str() + p));
            out.append(text, p, step);
            p += step;
        }
    }
    f.text = replace ? out : text;
    return f;
}

const char* const kTokens[] = {
    "a", "ab", "\x82\xa0", "\x95\x5c", "\\", "=", "\n", "\x95",
    "%d", "%/d", "%w", "%W", "%j", "%J", "%?", "%C", "%k", "%K", "%y", "%D", "%S", "%-09", "%-ab",
    "%[ab%]", "%[%(a%)%(\n%)%]", "%{%/d%}", "%{%+j%e=%}", "%+j", "%*j", "%+0j", "%*0W", "%!d", "%/0w", "%z\\",
    "%/z\\", "%$", "%G", "%P", "%p", "%e", "%0,2a", "%+0,2j", "%*0,3d", "%{%*0W%}", "%[%P%(b%)%]",
};

const char* const kPieces[] = {"a", "b", "A", "B", "0", "7", "=", "\n", "\t", " ", "\\", "\x82\xa0",
                               "\x95\x5c", "\x83\x5c", "\x81\x40", "\x95\x90\x8a\xed", "\x81\n", "\x95\r\n", "\x95"};

std::string RandomPattern(std::mt19937& rng)
{
    std::string p;
    const int n = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < n; ++i)
        p += kTokens[rng() % (sizeof kTokens / sizeof *kTokens)];
    return p;
}

std::string RandomText(std::mt19937& rng)
{
    std::string t;
    const int n = static_cast<int>(rng() % 24);
    for (int i = 0; i < n; ++i)
        t += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    if (rng() % 8 == 0)
        t += "\x95";  // a lone lead byte at the end
    return t;
}

TEST(SkipEquivalence, SearchReplaceAndPlainSearchFindWhatEveryPositionTriedInTurnFinds)
{
    std::mt19937 rng(20261206);
    for (int round = 0; round < 4000; ++round) {
        const std::string pattern = RandomPattern(rng);
        const std::string text = RandomText(rng);
        const std::string options = rng() % 3 == 0 ? "i" : "";
        SCOPED_TRACE("pattern '" + pattern + "' text '" + text + "' options '" + options + "'");
        const ptest::Found all = Reference(text, pattern, options, true, false);
        EXPECT_EQ(Result(ptest::SearchStr(text, pattern.c_str(), (options + "g").c_str())), Result(all));
        EXPECT_EQ(Result(ptest::SearchStr(text, pattern.c_str(), options.c_str())),
                  Result(Reference(text, pattern, options, false, false)));
        EXPECT_EQ(Result(ptest::Replace(text, pattern.c_str(), (options + "g").c_str(), "[%0v]")),
                  Result(Reference(text, pattern, options, true, true)));
        // The plain search finds the same, but never at the end of the text.
        ptest::Hits before;
        for (const ptest::Hit& h : all.hits)
            if (h.first < text.size())
                before.push_back(h);
        EXPECT_EQ(ptest::Search(text, pattern.c_str(), (options + "g").c_str()).hits, before);
    }
}

}  // namespace
