// Compiled patterns are kept for reuse; a call must keep working on its own
// pattern even when a nested call pushes it out of the store.

#include <gtest/gtest.h>

#include <string>

#include "pattern/str_regex.h"

namespace {

TEST(CompiledPatternReuse, NestedCallsWithManyPatternsLeaveTheOuterPatternIntact)
{
    int nested = 0;
    auto matchFunc = [&nested](const char*, uint32_t, uint32_t length, CStrRegexMatchStruct*) {
        for (int i = 0; i < 100; ++i) {
            const std::string pattern = "x%" + std::to_string(i % 7 + 1) + ",100d";
            nested += StrRegex("x123", pattern.c_str(), "");
        }
        return static_cast<int32_t>(length);
    };
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex("ab1 ab22 ab333", "ab%{%/d%}", "g", nullptr, nullptr, &hits, matchFunc), 3);
    ASSERT_EQ(hits.GetCount(), 3u);
    EXPECT_EQ(hits[2].offset, 9u);
    EXPECT_EQ(hits[2].length, 5u);
    EXPECT_GT(nested, 0);
}

TEST(CompiledPatternReuse, TheSamePatternGivesTheSameResultsEveryTime)
{
    for (int round = 0; round < 3; ++round) {
        CStr_base<64> s("  trim me  ");
        EXPECT_EQ(s.Regex("%/0W%{%+0j%e%/0W%$%}", "s", nullptr, "%0v"), 1);
        EXPECT_EQ(s, "trim me");
        EXPECT_EQ(StrRegex("AbC", "abc", round % 2 ? "i" : ""), round % 2);
    }
}

}  // namespace
