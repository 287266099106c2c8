// Repetition over very long texts: it must run in bounded stack space (the
// default 8 MB stack of the test thread) and backtrack over any number of
// repetitions.
#include <gtest/gtest.h>

#include <string>

#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hits;

namespace {

constexpr uint32_t kHuge = 32u * 1024u * 1024u;  // 32 MB
constexpr uint32_t kPastFirstBlock = 1500;       // more than 1000 repetitions
constexpr uint32_t kPastCheckpoints = 2500000;   // more than 1,000,000 repetitions

// Hits of a single search at position 0 of a plain text (none: no match).
Hits AtStart(const std::string& text, const char* pattern)
{
    CStrRegexHitList hits;
    StrRegex(text.c_str(), pattern, "s", nullptr, nullptr, &hits);
    return ptest::ToHits(hits);
}

}  // namespace

TEST(PatternDeepText, RepetitionsOverAHugeText)
{
    const std::string digits(kHuge, '7');
    EXPECT_EQ(AtStart(digits, "%/d"), (Hits{{0, kHuge}}));
    EXPECT_EQ(AtStart(digits + "x", "%/(%j%)x"), Hits{});
    const std::string text(kHuge, 'a');
    for (const char* pattern : {"%*j", "%*(%j%)", "%+j%$"})
        EXPECT_EQ(AtStart(text, pattern), (Hits{{0, kHuge}})) << pattern;
    const std::string spaces(kHuge, ' ');
    EXPECT_EQ(AtStart(spaces, "%*0W"), (Hits{{0, kHuge}}));
    EXPECT_EQ(AtStart(spaces + "x", "%*0Wx"), (Hits{{0, kHuge + 1}}));
}

TEST(PatternDeepText, DoubleByteCharactersOverAHugeText)
{
    std::string text;
    text.reserve(kHuge + 1);
    for (uint32_t i = 0; i < kHuge / 2; ++i)
        text += SJ_HYO;
    EXPECT_EQ(AtStart(text, "%*J"), (Hits{{0, kHuge}}));
    // Giving back whole characters: the last 表 is matched by the literal.
    EXPECT_EQ(AtStart(text, "%*J" SJ_HYO "%$"), (Hits{{0, kHuge}}));
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

TEST(PatternDeepText, GreedyBacktracksPastHistoryBlocksAndCheckpoints)
{
    // One repetition given back at the end.
    EXPECT_EQ(AtStart(std::string(kPastCheckpoints, 'b') + "a", "%*ja"), (Hits{{0, kPastCheckpoints + 1}}));
    // Back to the start over more than one block, and over the checkpoints.
    for (uint32_t tail : {kPastFirstBlock, kPastCheckpoints})
        EXPECT_EQ(AtStart("ba" + std::string(tail, 'b'), "%*ja"), (Hits{{0, 2}})) << tail;
    EXPECT_EQ(AtStart("a" + std::string(kPastFirstBlock, 'b'), "%*0ja"), (Hits{{0, 1}}));
    // No position qualifies: the element fails after trying them all.
    EXPECT_EQ(AtStart(std::string(kPastCheckpoints, 'b'), "%*ja"), Hits{});
}

TEST(PatternDeepText, GreedyBacktrackingRecordsTheRightCaptureEnd)
{
    for (uint32_t tail : {kPastFirstBlock, kPastCheckpoints, kHuge}) {
        SCOPED_TRACE(tail);
        const std::string text = std::string(10, 'a') + "b" + std::string(tail, 'c');
        CStrRegexMatchStruct caps;
        CStrRegexHitList hits;
        EXPECT_EQ(StrRegex(text.c_str(), "%{%*j%eb%}", "s", &caps, nullptr, &hits), 1);
        EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 11}}));
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
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, kept + 1}}));
    EXPECT_EQ(ptest::ToCaps(caps), Caps(kept, "a"));
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
