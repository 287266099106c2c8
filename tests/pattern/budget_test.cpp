// Patterns from the user run under a budget of steps and bytes with a cancel
// flag; a call that runs out stops, says why, and leaves no result behind.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "pattern_test_helpers.h"

namespace {

struct BudgetRow {
    const char* pattern;
    std::string text;
    const char* options;
    const char* replace;  // null: a search
    StrRegexStop stop;
};

// A budget small enough for the tests to run out of quickly.
CStrRegexBudget Small()
{
    CStrRegexBudget budget;
    budget.maxSteps = 2'000'000;
    budget.maxBytes = 16u << 20;
    return budget;
}

}  // namespace

TEST(PatternBudget, CostlyPatternsStopWithoutAResult)
{
    const std::string as(60, 'a');
    const std::string long_(20000, 'a');
    const std::vector<BudgetRow> rows = {
        // Repetitions that multiply: every "*" or "+" element tries every
        // split of the rest of the text.
        {"%*0j%*0j%*0j%*0j%*0jx", as, "", nullptr, StrRegexStop::kSteps},
        {"%+0j%+0j%+0j%+0j%+0jx", as, "g", "y", StrRegexStop::kSteps},
        {"%*0(a%)%*0(a%)%*0(a%)%*0(a%)%*0(a%)x", as, "gi", nullptr, StrRegexStop::kSteps},
        // Huge counts end on steps or memory, not in a long loop or one huge
        // allocation.
        {"%2000000000(%)", "x", "", nullptr, StrRegexStop::kSteps},
        {"%T%0.2000000000v", "x", "", nullptr, StrRegexStop::kSteps},
        {"%99999999T", "x", "", nullptr, StrRegexStop::kMemory},
        {"%2000000000t", "x", "g", "z", StrRegexStop::kMemory},
        {"%/2000000000{%}", "x", "", nullptr, StrRegexStop::kMemory},
        // Results that grow with the square of the text: each empty match
        // captures the rest of the text, and the history or the replacement
        // copies it.
        {"%{%p%/j%e%}", long_, "g", nullptr, StrRegexStop::kMemory},
        {"%{%p%/j%e%}", long_, "g", "%0v", StrRegexStop::kMemory},
        {"%p%{%/j%e%}", long_, "g", "%0v%0v", StrRegexStop::kMemory},
    };
    for (const BudgetRow& r : rows) {
        SCOPED_TRACE(ptest::Trace(r.pattern, r.text.substr(0, 60)) + " options " + r.options);
        for (bool plain : {false, true}) {
            if (plain && r.replace)
                continue;
            CStrRegexBudget budget = Small();
            CStr_base<64> subject(r.text.c_str());
            CStrRegexMatchStruct caps;
            CStrRegexHistory history;
            CStrRegexHitList hits;
            *history.Add()->Add() = "earlier";
            const int32_t count =
                plain ? StrRegex(r.text.c_str(), r.pattern, r.options, &caps, &history, &hits, {}, &budget)
                      : subject.Regex(r.pattern, r.options, &caps, r.replace, &history, 0, &hits, {}, &budget);
            EXPECT_EQ(count, kStrRegexStopped);
            EXPECT_EQ(budget.stop, r.stop);
            EXPECT_LE(budget.steps, budget.maxSteps);
            EXPECT_TRUE(subject == r.text.c_str());
            EXPECT_EQ(caps.GetCount(), 0u);
            EXPECT_TRUE(caps.IsOwning());
            EXPECT_EQ(hits.GetCount(), 0u);
            EXPECT_EQ(ptest::ToHistory(history), (std::vector<ptest::Caps>{{"earlier"}}));
        }
    }
}

TEST(PatternBudget, TheLimitsAreExact)
{
    // A call that needs S steps and B bytes ends within exactly that budget,
    // and stops with one step or one byte less.
    const char* pattern = "%{%+j%e%[%/W%$%]%}";
    const std::string text = "use\titem 1  100 " SJ_KEN " x";
    CStrRegexBudget measured;
    CStrRegexHistory history;
    EXPECT_EQ(StrRegex(text.c_str(), pattern, "g", nullptr, &history, nullptr, {}, &measured), 6);
    EXPECT_EQ(measured.stop, StrRegexStop::kNone);
    ASSERT_GT(measured.steps, 0u);
    ASSERT_GT(measured.bytes, 0u);
    for (int less : {0, 1}) {
        for (bool steps : {true, false}) {
            CStrRegexBudget budget;
            (steps ? budget.maxSteps : budget.maxBytes) = (steps ? measured.steps : measured.bytes) - less;
            history.RemoveAll();
            EXPECT_EQ(StrRegex(text.c_str(), pattern, "g", nullptr, &history, nullptr, {}, &budget),
                      less ? kStrRegexStopped : 6);
            EXPECT_EQ(budget.stop, less ? (steps ? StrRegexStop::kSteps : StrRegexStop::kMemory) : StrRegexStop::kNone);
        }
    }
}

TEST(PatternBudget, TheCancelFlagStopsTheCall)
{
    std::atomic<bool> cancel{true};
    CStrRegexBudget budget;
    budget.cancel = &cancel;
    EXPECT_EQ(StrRegex("a", "b", "", nullptr, nullptr, nullptr, {}, &budget), kStrRegexStopped);
    EXPECT_EQ(budget.stop, StrRegexStop::kCancelled);
    // Set while the call runs, by a match function here: the loops look at
    // the flag every few thousand steps.
    cancel = false;
    int seen = 0;
    auto cancelAtFirst = [&](const char*, uint32_t, uint32_t length, CStrRegexMatchStruct*) {
        ++seen;
        cancel = true;
        return static_cast<int32_t>(length);
    };
    const std::string text(100000, 'a');
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex(text.c_str(), "a", "g", nullptr, nullptr, &hits, cancelAtFirst, &budget), kStrRegexStopped);
    EXPECT_EQ(budget.stop, StrRegexStop::kCancelled);
    EXPECT_LT(seen, 10000);
    EXPECT_EQ(hits.GetCount(), 0u);
}

TEST(PatternBudget, OrdinaryPatternsGiveTheSameResultsWellWithinTheDefault)
{
    // The system's own patterns and ordinary searches over a text of some
    // 100 KB: the same result as without a budget, at most 4 steps a byte.
    std::string text;
    while (text.size() < 100000)
        text += "@@ITEM\nname\t" SJ_BU SJ_KI " #1\nprice\t100\n@@USE\nuse\tx " SJ_HYO "\n\t_local_ (a)\n@@END\n";
    const std::vector<std::pair<const char*, const char*>> searches = {
        {"%{%+j%e%[%/W%$%]%}", "g"}, {"%g%{%/k%}%/w%{%+0j%e%G%}", "g"}, {"%/d", "g"}, {"@@use", "gi"},
        {"%{%0u%}%!z\\%P", "g"}, {"%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(ITEM%)%(USE%)%]%)%$%]%)%]", "gi"},
        {"%g%{%*0C%}\n", "g"}, {"%/0W%{%+0j%e%/0W%$%}", "s"},
    };
    for (const auto& [pattern, options] : searches) {
        SCOPED_TRACE(pattern);
        for (const char* replace : {static_cast<const char*>(nullptr), "<%0v>"}) {
            const ptest::Found free = ptest::Call(text, pattern, options, false, replace);
            CStrRegexBudget budget;
            const ptest::Found metered = ptest::Call(text, pattern, options, false, replace, 0, &budget);
            EXPECT_EQ(budget.stop, StrRegexStop::kNone);
            EXPECT_LE(budget.steps, 4 * text.size());
            EXPECT_EQ(metered.count, free.count);
            EXPECT_EQ(metered.hits, free.hits);
            EXPECT_EQ(metered.history, free.history);
            EXPECT_EQ(metered.text, free.text);
        }
    }
}
