// What bounds the engine: repetition over huge texts runs in bounded stack
// space and backtracks over any number of repetitions; absurd nesting and
// repetitions that consume nothing neither crash nor hang; and patterns from
// the user run under a budget of steps and bytes with a cancel flag, which
// stops a call without leaving a result behind.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "pattern/editor_matchers.h"
#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hits;

namespace {

constexpr uint32_t kHuge = 32u * 1024u * 1024u;  // 32 MB
constexpr uint32_t kPastFirstBlock = 1500;       // more than 1000 repetitions
constexpr uint32_t kPastCheckpoints = 2500000;   // more than 1,000,000 repetitions

// Hits of a single search at position 0 of a plain text, with its captures.
Hits AtStart(const std::string& text, const char* pattern, Caps* caps = nullptr)
{
    CStrRegexMatchStruct list;
    CStrRegexHitList hits;
    StrRegex(text.c_str(), pattern, "s", &list, nullptr, &hits);
    if (caps)
        *caps = ptest::ToCaps(list);
    return ptest::ToHits(hits);
}

// The words of a use line: six matches.
const char* const kWords = "%{%+j%e%[%/W%$%]%}";
const std::string kUseLine = "use\titem 1  100 " SJ_KEN " x";

std::string Repeated(const std::string& piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

}  // namespace

TEST(PatternLimits, RepetitionsOverAHugeTextBacktrackPastHistoryBlocks)
{
    const std::string text(kHuge, 'a');
    EXPECT_EQ(AtStart(text + "x", "%/(%j%)x"), Hits{});
    EXPECT_EQ(AtStart(std::string(kHuge, '7'), "%/d"), (Hits{{0, kHuge}}));
    for (const char* pattern : {"%*j", "%*(%j%)", "%+j%$"})
        EXPECT_EQ(AtStart(text, pattern), (Hits{{0, kHuge}})) << pattern;
    // Giving back whole characters: the last 表 is matched by the literal.
    EXPECT_EQ(AtStart(Repeated(SJ_HYO, kHuge / 2), "%*J" SJ_HYO "%$"), (Hits{{0, kHuge}}));
    // Back to the start over more than one block of 1000 positions, and over
    // the checkpoints of more than 1000 blocks; or nowhere at all.
    EXPECT_EQ(AtStart(std::string(kPastCheckpoints, 'b') + "a", "%*ja"), (Hits{{0, kPastCheckpoints + 1}}));
    for (uint32_t tail : {kPastFirstBlock, kPastCheckpoints})
        EXPECT_EQ(AtStart("ba" + std::string(tail, 'b'), "%*ja"), (Hits{{0, 2}})) << tail;
    EXPECT_EQ(AtStart("a" + std::string(kPastFirstBlock, 'b'), "%*0ja"), (Hits{{0, 1}}));
    EXPECT_EQ(AtStart(std::string(kPastCheckpoints, 'b'), "%*ja"), Hits{});
    // The capture end and the captures come back right across blocks.
    Caps caps;
    for (uint32_t tail : {kPastFirstBlock, kPastCheckpoints, kHuge}) {
        EXPECT_EQ(AtStart(std::string(10, 'a') + "b" + std::string(tail, 'c'), "%{%*j%eb%}", &caps), (Hits{{0, 11}}));
        EXPECT_EQ(caps, (Caps{std::string(10, 'a')}));
    }
    EXPECT_EQ(AtStart(std::string(1100, 'a') + "b" + std::string(2100, 'c'), "%*(%{%j%}%)b", &caps), (Hits{{0, 1101}}));
    EXPECT_EQ(caps, Caps(1100, "a"));
    // A greedy capture is committed: the "b" after it is never reached.
    EXPECT_EQ(AtStart(std::string(10, 'a') + "b" + std::string(kPastCheckpoints, 'c'), "%{%*j%}b"), Hits{});
    // A lazy element tries the rest after every one of 2.5 million repetitions.
    EXPECT_EQ(AtStart(std::string(kPastCheckpoints, 'a') + ";", "%{%+j%e;%}"), (Hits{{0, kPastCheckpoints + 1}}));
    // Trimming a huge text.
    CStr_base<16384> subject((" \t" + text + " \r\n").c_str());
    EXPECT_EQ(subject.Regex("%/0W%{%+0j%e%/0W%$%}", "s", nullptr, "%0v"), 1);
    EXPECT_EQ(subject.GetLength(), kHuge);
}

TEST(PatternLimits, AbsurdNestingAndEmptyRepetitionsEnd)
{
    for (const char* open : {"%(", "%{", "%["})
        EXPECT_EQ(StrRegex("xay", (Repeated(open, 100000) + "a").c_str(), "g"), 1) << open;
    EXPECT_EQ(ptest::Search("xaby", (Repeated("%(", 50000) + "a" + Repeated("%)", 50000) + "b").c_str(), "g").hits,
              (Hits{{1, 2}}));
    // Each element may match nothing, so each runs the rest scan of the next:
    // the chain is cut off before the stack runs out; a short one matches.
    for (const char* piece : {"%+0j", "%*0j", "%+0(%)", "%*0(a%)"})
        EXPECT_EQ(StrRegex("a", (Repeated(piece, 3000) + "b").c_str(), ""), 0) << piece;
    EXPECT_EQ(StrRegex("aaab", (Repeated("%+0j", 100) + "b").c_str(), ""), 1);
    EXPECT_EQ(StrRegex("aaab", (Repeated("%*0a", 100) + "b").c_str(), ""), 1);
    const std::vector<std::pair<const char*, int32_t>> empty = {
        {"%/(%)", 2}, {"%*0(%)x", 0}, {"%+0(%)x", 0}, {"%0,2000000000(%)b", 1}, {"%+0T%0vx", 0}};
    for (const auto& [pattern, count] : empty)
        EXPECT_EQ(StrRegex("ab", pattern, "g"), count) << pattern;
}

TEST(PatternLimits, CostlyPatternsStopOnTheirBudgetWithoutAResult)
{
    const std::string as(60, 'a'), long_(20000, 'a');
    const struct {
        const char* pattern;
        std::string text;
        const char* options;
        const char* replace;  // null: a search
        StrRegexStop stop;
    } rows[] = {
        // Repetitions that multiply: each element tries every split of the rest.
        {"%*0j%*0j%*0j%*0j%*0jx", as, "", nullptr, StrRegexStop::kSteps},
        {"%+0j%+0j%+0j%+0j%+0jx", as, "g", "y", StrRegexStop::kSteps},
        {"%*0(a%)%*0(a%)%*0(a%)%*0(a%)%*0(a%)x", as, "gi", nullptr, StrRegexStop::kSteps},
        // Huge counts end on steps or memory, not in a long loop or a huge allocation.
        {"%2000000000(%)", "x", "", nullptr, StrRegexStop::kSteps},
        {"%T%0.2000000000v", "x", "", nullptr, StrRegexStop::kSteps},
        {"%99999999T", "x", "", nullptr, StrRegexStop::kMemory},
        {"%2000000000t", "x", "g", "z", StrRegexStop::kMemory},
        {"%/2000000000{%}", "x", "", nullptr, StrRegexStop::kMemory},
        // Each empty match captures the rest of the text, which the history
        // (emptied again when the call stops) and the replacement copy.
        {"%{%p%/j%e%}", long_, "g", nullptr, StrRegexStop::kMemory},
        {"%p%{%/j%e%}", long_, "g", "%0v%0v", StrRegexStop::kMemory},
    };
    for (const auto& r : rows) {
        for (bool plain : {false, true}) {
            if (plain && r.replace)
                continue;
            SCOPED_TRACE(ptest::Trace(r.pattern, r.text.substr(0, 60)) + (plain ? " plain" : ""));
            CStrRegexBudget budget;
            budget.maxSteps = 2'000'000;
            budget.maxBytes = 16u << 20;
            const ptest::Found f = ptest::Call(r.text, r.pattern, r.options, plain, r.replace, 0, &budget);
            EXPECT_EQ(f.count, kStrRegexStopped);
            EXPECT_EQ(budget.stop, r.stop);
            EXPECT_LE(budget.steps, budget.maxSteps);
            EXPECT_EQ(f.text, r.text);
            EXPECT_TRUE(f.caps.empty() && f.hits.empty() && f.history.empty());
        }
    }
}

TEST(PatternLimits, BudgetLimitsAreExactAndTheCancelFlagStops)
{
    // A call that takes S steps and at most B bytes ends within exactly that
    // budget, and stops with one step or one byte less.
    CStrRegexBudget measured;
    CStrRegexHistory history;
    EXPECT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, &history, nullptr, {}, &measured), 6);
    EXPECT_EQ(measured.stop, StrRegexStop::kNone);
    for (int less : {0, 1}) {
        for (bool steps : {true, false}) {
            CStrRegexBudget budget;
            (steps ? budget.maxSteps : budget.maxBytes) = (steps ? measured.steps : measured.bytes) - less;
            const uint32_t before = history.GetCount();  // a stopped call leaves the history as it was
            EXPECT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, &history, nullptr, {}, &budget),
                      less ? kStrRegexStopped : 6);
            EXPECT_EQ(history.GetCount(), before + (less ? 0 : 6));
            EXPECT_EQ(budget.stop, less ? (steps ? StrRegexStop::kSteps : StrRegexStop::kMemory) : StrRegexStop::kNone);
        }
    }
    // The flag is looked at by the first step and then every few thousand.
    std::atomic<bool> cancel{true};
    CStrRegexBudget budget;
    budget.cancel = &cancel;
    EXPECT_EQ(StrRegex("a", "b", "", nullptr, nullptr, nullptr, {}, &budget), kStrRegexStopped);
    EXPECT_EQ(budget.stop, StrRegexStop::kCancelled);
    cancel = false;
    int seen = 0;
    auto cancelAtFirst = [&](const char*, uint32_t, uint32_t length, CStrRegexMatchStruct*) {
        ++seen;
        cancel = true;
        return static_cast<int32_t>(length);
    };
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex(std::string(100000, 'a').c_str(), "a", "g", nullptr, nullptr, &hits, cancelAtFirst, &budget),
              kStrRegexStopped);
    EXPECT_EQ(budget.stop, StrRegexStop::kCancelled);
    EXPECT_LT(seen, 10000);
    EXPECT_EQ(hits.GetCount(), 0u);
}

TEST(PatternLimits, ABudgetSharedByCallsHoldsForThemAll)
{
    // Steps add up from call to call, a call after one that ran out stops
    // at once, and the bytes a caller keeps count as held by every call.
    CStrRegexBudget one;
    ASSERT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, nullptr, nullptr, {}, &one), 6);

    CStrRegexBudget shared;
    shared.maxSteps = 3 * one.steps;
    for (int call = 0; call < 3; ++call) {
        EXPECT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, nullptr, nullptr, {}, &shared), 6) << call;
        EXPECT_EQ(shared.steps, (call + 1) * one.steps);
    }
    EXPECT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, nullptr, nullptr, {}, &shared), kStrRegexStopped);
    EXPECT_EQ(shared.stop, StrRegexStop::kSteps);
    EXPECT_EQ(StrRegex("a", "a", "", nullptr, nullptr, nullptr, {}, &shared), kStrRegexStopped);
    EXPECT_EQ(shared.steps, shared.maxSteps);

    for (uint64_t kept : {0ull, 1ull}) {
        CStrRegexBudget keeping;
        keeping.maxBytes = one.bytes;
        keeping.kept = kept;
        EXPECT_EQ(StrRegex(kUseLine.c_str(), kWords, "g", nullptr, nullptr, nullptr, {}, &keeping),
                  kept ? kStrRegexStopped : 6);
        EXPECT_EQ(keeping.stop, kept ? StrRegexStop::kMemory : StrRegexStop::kNone);
    }
}

TEST(PatternLimits, OrdinaryPatternsStayWellWithinTheDefaultBudget)
{
    // The system's patterns and ordinary searches run to their end in at
    // most 4 steps a byte (that a metered call which ends finds what an
    // unmetered one finds, the regex fuzz target checks on every input).
    RegisterEditorMatchers();
    std::string text;
    while (text.size() < 100000)
        text += "@@ITEM\nname\t" SJ_BU SJ_KI " #1\nprice\t100\n@@USE\nuse\tx " SJ_HYO "\n\t_local_ (a)\n@@END\n";
    const std::pair<const char*, const char*> searches[] = {
        {"%{%+j%e%[%/W%$%]%}", "g"}, {"%g%{%/k%}%/w%{%+0j%e%G%}", "g"}, {"%/d", "g"}, {"@@use", "gi"},
        {"%{%0u%}%!z\\%P", "g"},
        {"%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(ITEM%)%(USE%)%]%)%$%]%)%]", "gi"},
        {"%g%{%*0C%}\n", "g"}, {"%/0W%{%+0j%e%/0W%$%}", "s"},
    };
    for (const auto& [pattern, options] : searches) {
        for (const char* replace : {static_cast<const char*>(nullptr), "<%0v>"}) {
            SCOPED_TRACE(std::string(pattern) + (replace ? " replaced" : ""));
            CStrRegexBudget budget;
            EXPECT_GT(ptest::Call(text, pattern, options, false, replace, 0, &budget).count, 0);
            EXPECT_EQ(budget.stop, StrRegexStop::kNone);
            EXPECT_LE(budget.steps, 4 * text.size());
        }
    }
}
