// Repetition over very long texts: it must run in bounded stack space (the
// default 8 MB stack of the test thread) and backtrack over any number of
// repetitions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hit;

namespace {

constexpr uint32_t kHuge = 32u * 1024u * 1024u;  // 32 MB
constexpr uint32_t kPastFirstBlock = 1500;       // more than 1000 repetitions
constexpr uint32_t kPastCheckpoints = 2500000;   // more than 1,000,000 repetitions

// Single search at position 0 of a plain text: (count, hits).
std::pair<int32_t, std::vector<Hit>> AtStart(const std::string& text, const char* pattern)
{
    CStrRegexHitList hits;
    int32_t n = StrRegex(text.c_str(), pattern, "s", nullptr, nullptr, &hits);
    return {n, ptest::ToHits(hits)};
}

}  // namespace

TEST(PatternDeepText, SlashRepetitionOverAHugeText)
{
    const std::string text(kHuge, '7');
    auto [n, hits] = AtStart(text, "%/d");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kHuge}}));
    auto [n2, hits2] = AtStart(text + "x", "%/(%j%)x");
    EXPECT_EQ(n2, 0);
}

TEST(PatternDeepText, GreedyRepetitionOverAHugeText)
{
    const std::string text(kHuge, 'a');
    auto [n, hits] = AtStart(text, "%*j");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kHuge}}));
    auto [n2, hits2] = AtStart(text, "%*(%j%)");
    EXPECT_EQ(n2, 1);
    EXPECT_EQ(hits2, (std::vector<Hit>{{0, kHuge}}));
}

TEST(PatternDeepText, LazyRepetitionOverAHugeText)
{
    const std::string text(kHuge, 'a');
    auto [n, hits] = AtStart(text, "%+j%$");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kHuge}}));
}

TEST(PatternDeepText, GreedyWhiteSpaceWithCountZero)
{
    const std::string spaces(kHuge, ' ');
    auto [n, hits] = AtStart(spaces, "%*0W");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kHuge}}));
    auto [n2, hits2] = AtStart(spaces + "x", "%*0Wx");
    EXPECT_EQ(hits2, (std::vector<Hit>{{0, kHuge + 1}}));
}

TEST(PatternDeepText, DoubleByteCharactersOverAHugeText)
{
    std::string text;
    text.reserve(kHuge + 1);
    for (uint32_t i = 0; i < kHuge / 2; ++i)
        text += SJ_HYO;
    auto [n, hits] = AtStart(text, "%*J");
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kHuge}}));
    // Giving back whole characters: the last 表 is matched by the literal.
    auto [n2, hits2] = AtStart(text, "%*J" SJ_HYO "%$");
    EXPECT_EQ(hits2, (std::vector<Hit>{{0, kHuge}}));
}

TEST(PatternDeepText, TrimmingAHugeText)
{
    std::string text = " \t" + std::string(kHuge, 'x') + " \r\n";
    CStr_base<16384> subject(text.c_str());
    EXPECT_EQ(subject.Regex("%/0W%{%+0j%e%/0W%$%}", "s", nullptr, "%0v"), 1);
    EXPECT_EQ(subject.GetLength(), kHuge);
    EXPECT_EQ(subject[0], 'x');
    EXPECT_EQ(subject[kHuge - 1], 'x');
}

TEST(PatternDeepText, GreedyGivesBackOneRepetitionAtTheEnd)
{
    const std::string text = std::string(kPastCheckpoints, 'b') + "a";
    auto [n, hits] = AtStart(text, "%*ja");
    EXPECT_EQ(hits, (std::vector<Hit>{{0, kPastCheckpoints + 1}}));
}

TEST(PatternDeepText, GreedyBacktracksPastTheFirstHistoryBlock)
{
    const std::string text = "ba" + std::string(kPastFirstBlock, 'b');
    auto [n, hits] = AtStart(text, "%*ja");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, 2}}));
    // Count 0: back to zero repetitions.
    auto [n0, hits0] = AtStart("a" + std::string(kPastFirstBlock, 'b'), "%*0ja");
    EXPECT_EQ(hits0, (std::vector<Hit>{{0, 1}}));
}

TEST(PatternDeepText, GreedyBacktracksPastAMillionRepetitions)
{
    const std::string text = "ba" + std::string(kPastCheckpoints, 'b');
    auto [n, hits] = AtStart(text, "%*ja");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, 2}}));
    // No position qualifies: the element fails after trying them all.
    auto [nf, hitsf] = AtStart(std::string(kPastCheckpoints, 'b'), "%*ja");
    EXPECT_EQ(nf, 0);
}

TEST(PatternDeepText, GreedyBacktrackingRecordsTheRightCaptureEnd)
{
    for (uint32_t tail : {kPastFirstBlock, kPastCheckpoints, kHuge}) {
        SCOPED_TRACE(tail);
        const std::string text = std::string(10, 'a') + "b" + std::string(tail, 'c');
        CStrRegexMatchStruct caps;
        CStrRegexHitList hits;
        EXPECT_EQ(StrRegex(text.c_str(), "%{%*j%eb%}", "s", &caps, nullptr, &hits), 1);
        EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 11}}));
        EXPECT_EQ(ptest::ToCaps(caps), (Caps{std::string(10, 'a')}));
    }
    // A greedy capture is committed: the "b" after it is never reached.
    const std::string text = std::string(10, 'a') + "b" + std::string(kPastCheckpoints, 'c');
    EXPECT_EQ(StrRegex(text.c_str(), "%{%*j%}b", "s"), 0);
}

TEST(PatternDeepText, GreedyBacktrackingRestoresCapturesAcrossBlocks)
{
    const uint32_t kept = 1100;
    const std::string text = std::string(kept, 'a') + "b" + std::string(2100, 'c');
    CStrRegexMatchStruct caps;
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex(text.c_str(), "%*(%{%j%}%)b", "s", &caps, nullptr, &hits), 1);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, kept + 1}}));
    ASSERT_EQ(caps.GetCount(), kept);
    bool allA = true;
    for (uint32_t i = 0; i < caps.GetCount(); ++i)
        allA = allA && caps[i] == "a";
    EXPECT_TRUE(allA);
}

TEST(PatternDeepText, LazyElementWithARestThatFailsForLong)
{
    // The rest is tried after every one of the 2.5 million repetitions.
    const std::string text = std::string(kPastCheckpoints, 'a') + ";";
    CStrRegexMatchStruct caps;
    EXPECT_EQ(StrRegex(text.c_str(), "%{%+j%e;%}", "s", &caps), 1);
    ASSERT_EQ(caps.GetCount(), 1u);
    EXPECT_EQ(caps[0].GetLength(), kPastCheckpoints);
}
