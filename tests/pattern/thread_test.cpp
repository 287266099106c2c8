// Calls of the engine on several threads at once (the find worker while the
// window thread works): each call has its own origin and ignore-case flag,
// the store of compiled patterns serves every thread, and the user-matcher
// registries may be read while one is registered.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "pattern/editor_matchers.h"
#include "pattern_test_helpers.h"

using ptest::Hits;

namespace {

// Runs each of `work` on a thread of its own, all started together, and
// waits for them.
void RunTogether(const std::vector<std::function<void()>>& work)
{
    std::atomic<size_t> ready{0};
    std::vector<std::thread> threads;
    for (const std::function<void()>& one : work)
        threads.emplace_back([&ready, &work, &one] {
            ++ready;
            while (ready.load() < work.size())
                std::this_thread::yield();
            one();
        });
    for (std::thread& thread : threads)
        thread.join();
}

constexpr int kRounds = 400;

// One call's result: a count and its hits.
struct Seen {
    int32_t count = 0;
    Hits hits;
    bool operator==(const Seen&) const = default;
};

Seen Plain(const char* text, const char* pattern, const char* options)
{
    CStrRegexHitList hits;
    const int32_t count = StrRegex(text, pattern, options, nullptr, nullptr, &hits);
    return {count, ptest::ToHits(hits)};
}

// Calls with other settings, run on one thread again and again while the
// other thread runs its own; each must give what it gives alone.
struct Call {
    const char* text;
    const char* pattern;
    const char* options;
    Seen expected;
};

}  // namespace

TEST(PatternThreads, TwoCallsAtOnceKeepTheirOwnOriginAndCase)
{
    RegisterEditorMatchers();
    // Left: ignore-case, anchored at the start of its text; right: exact
    // case, with the origin's anchor and line starts of a text of its own.
    const Call left[] = {
        {"aAaA", "a", "gi", {4, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}}},
        {"Xyz xyz", "%^xyz", "gi", {1, {{0, 3}}}},
        {"ab" SJ_HYO "c", "%0u%!z\\", "g", {1, {{2, 2}}}},
    };
    const Call right[] = {
        {"aAaA", "a", "g", {2, {{0, 1}, {2, 1}}}},
        {"x\nxyz\nXyz", "%gxyz", "g", {1, {{2, 3}}}},
        {"b" SJ_SO "\\", "%0u%!z\\", "g", {0, {}}},
    };
    for (const Call& call : left)
        ASSERT_EQ(Plain(call.text, call.pattern, call.options), call.expected) << call.pattern;
    for (const Call& call : right)
        ASSERT_EQ(Plain(call.text, call.pattern, call.options), call.expected) << call.pattern;

    std::atomic<int> wrong{0};
    const auto runner = [&wrong](const Call* calls, size_t n) {
        return [&wrong, calls, n] {
            for (int round = 0; round < kRounds; ++round)
                for (size_t i = 0; i < n; ++i)
                    if (!(Plain(calls[i].text, calls[i].pattern, calls[i].options) == calls[i].expected))
                        ++wrong;
        };
    };
    RunTogether({runner(left, std::size(left)), runner(right, std::size(right))});
    EXPECT_EQ(wrong.load(), 0);
}

TEST(PatternThreads, ReplacementsOnTwoThreadsKeepTheirOwnStartOffsets)
{
    // The origin of a replacement is its start offset: "%^" matches there only.
    const auto replace = [](const char* text, int32_t start, const char* options) {
        CStr_base<16384> subject(text);
        const int32_t count = subject.Regex("%^a", options, nullptr, "X", nullptr, start);
        return std::to_string(count) + ":" + subject.GetBuffer();
    };
    ASSERT_EQ(replace("aaaa", 2, "g"), "1:aaXa");
    ASSERT_EQ(replace("AAAA", 1, "gi"), "1:AXAA");
    std::atomic<int> wrong{0};
    RunTogether({
        [&] {
            for (int round = 0; round < kRounds; ++round)
                wrong += replace("aaaa", 2, "g") != "1:aaXa";
        },
        [&] {
            for (int round = 0; round < kRounds; ++round)
                wrong += replace("AAAA", 1, "gi") != "1:AXAA";
        },
    });
    EXPECT_EQ(wrong.load(), 0);
}

TEST(PatternThreads, ManyPatternsOnManyThreadsShareNoCompiledState)
{
    // More patterns than the store keeps, so that every thread pushes
    // patterns out while the others use theirs.
    std::atomic<int> wrong{0};
    std::vector<std::function<void()>> work;
    for (int t = 0; t < 4; ++t)
        work.push_back([&wrong, t] {
            for (int round = 0; round < kRounds / 8; ++round)
                for (int i = 1; i <= 40; ++i) {
                    const std::string pattern = "x%" + std::to_string(i) + ",100d" + (t % 2 ? "%$" : "");
                    const int32_t expected = i <= 3 ? 1 : 0;
                    wrong += StrRegex("x123", pattern.c_str(), t < 2 ? "" : "i") != expected;
                }
        });
    RunTogether(work);
    EXPECT_EQ(wrong.load(), 0);
}

TEST(PatternThreads, RegisteringWhileOtherThreadsMatch)
{
    StrRegexClearUserMatchers();
    RegisterEditorMatchers();
    std::atomic<int> wrong{0};
    std::atomic<bool> done{false};
    RunTogether({
        [&] {
            // Entry 0 stays the editor's matcher while entries are added.
            while (!done.load())
                wrong += StrRegex("a" SJ_HYO "b", "%0u%!z\\", "g") != 1;
        },
        [&] {
            for (int i = 0; i < 40; ++i)
                StrRegexRegisterUpper([](const char*, const CStrRegexStruct*, const CStrRegexBody*, uint32_t,
                                         CStrRegexMatchStruct*) { return 0; });
            RegisterEditorMatchers();
            done = true;
        },
    });
    EXPECT_EQ(wrong.load(), 0);
    StrRegexClearUserMatchers();
}
