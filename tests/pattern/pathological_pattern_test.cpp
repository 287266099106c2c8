// Patterns built to exhaust the stack or loop for ever must neither crash nor
// hang: nesting is bounded, and repetitions that consume nothing stop.

#include <gtest/gtest.h>

#include <string>

#include "pattern/str_regex.h"

namespace {

std::string Repeated(const std::string& piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

TEST(PathologicalPattern, DeeplyNestedGroupsStillMatch)
{
    for (const char* open : {"%(", "%{", "%["}) {
        const std::string pattern = Repeated(open, 100000) + "a";
        EXPECT_EQ(StrRegex("xay", pattern.c_str(), "g"), 1) << open;
    }
    const std::string closed = Repeated("%(", 50000) + "a" + Repeated("%)", 50000) + "b";
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex("xaby", closed.c_str(), "g", nullptr, nullptr, &hits), 1);
    ASSERT_EQ(hits.GetCount(), 1u);
    EXPECT_EQ(hits[0].offset, 1u);
    EXPECT_EQ(hits[0].length, 2u);
}

TEST(PathologicalPattern, LongChainsOfOptionalElementsFailInsteadOfOverflowing)
{
    // Each element may match nothing, so every one of them runs the rest scan
    // of the next: the chain is cut off before the stack is exhausted.
    for (const char* piece : {"%+0j", "%*0j", "%+0(%)", "%*0(a%)"}) {
        const std::string pattern = Repeated(piece, 3000) + "b";
        EXPECT_EQ(StrRegex("a", pattern.c_str(), ""), 0) << piece;
    }
    // A chain short enough to be matched in full still matches.
    EXPECT_EQ(StrRegex("aaab", (Repeated("%+0j", 100) + "b").c_str(), ""), 1);
    EXPECT_EQ(StrRegex("aaab", (Repeated("%*0a", 100) + "b").c_str(), ""), 1);
}

TEST(PathologicalPattern, EmptyRepetitionsEnd)
{
    EXPECT_EQ(StrRegex("ab", "%/(%)", "g"), 2);
    EXPECT_EQ(StrRegex("ab", "%*0(%)x", "g"), 0);
    EXPECT_EQ(StrRegex("ab", "%+0(%)x", "g"), 0);
    EXPECT_EQ(StrRegex("ab", "%0,2000000000(%)b", "g"), 1);
    EXPECT_EQ(StrRegex("ab", "%+0T%0vx", ""), 0);
}

}  // namespace
