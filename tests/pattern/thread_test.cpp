// Calls of the engine on several threads at once (the find worker while the
// window thread works): each call has its own origin, start offset and
// ignore-case flag, the store of compiled patterns serves every thread, and
// the user-matcher registries may be read while one is registered.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "pattern/editor_matchers.h"
#include "pattern_test_helpers.h"

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

// A call and what it gives alone: the count and the hits of a search, or
// the count and the text of a replacement.
struct Call {
    std::function<std::string()> run;
    std::string alone;
};

std::string Plain(const char* text, const char* pattern, const char* options)
{
    const ptest::Found f = ptest::Search(text, pattern, options);
    return std::to_string(f.count) + ":" + testing::PrintToString(f.hits);
}

// "%^" matches at the start offset only, the origin of a replacement.
std::string Replaced(const char* text, int32_t start, const char* options)
{
    CStr_base<16384> subject(text);
    const int32_t count = subject.Regex("%^a", options, nullptr, "X", nullptr, start);
    return std::to_string(count) + ":" + subject.GetBuffer();
}

}  // namespace

TEST(PatternThreads, TwoThreadsKeepTheirOwnOriginStartAndCase)
{
    RegisterEditorMatchers();
    // Left: ignore-case, anchored at the start of its text; right: exact
    // case, with the origin's anchor and line starts of a text of its own.
    const std::vector<Call> left = {
        {[] { return Plain("aAaA", "a", "gi"); }, "4:{ (0, 1), (1, 1), (2, 1), (3, 1) }"},
        {[] { return Plain("Xyz xyz", "%^xyz", "gi"); }, "1:{ (0, 3) }"},
        {[] { return Plain("ab" SJ_HYO "c", "%0u%!z\\", "g"); }, "1:{ (2, 2) }"},
        {[] { return Replaced("aaaa", 2, "g"); }, "1:aaXa"},
    };
    const std::vector<Call> right = {
        {[] { return Plain("aAaA", "a", "g"); }, "2:{ (0, 1), (2, 1) }"},
        {[] { return Plain("x\nxyz\nXyz", "%gxyz", "g"); }, "1:{ (2, 3) }"},
        {[] { return Plain("b" SJ_SO "\\", "%0u%!z\\", "g"); }, "0:{}"},
        {[] { return Replaced("AAAA", 1, "gi"); }, "1:AXAA"},
    };
    for (const std::vector<Call>* side : {&left, &right})
        for (const Call& call : *side)
            ASSERT_EQ(call.run(), call.alone);

    std::atomic<int> wrong{0};
    const auto runner = [&wrong](const std::vector<Call>& calls) {
        return [&wrong, &calls] {
            for (int round = 0; round < kRounds; ++round)
                for (const Call& call : calls)
                    wrong += call.run() != call.alone;
        };
    };
    RunTogether({runner(left), runner(right)});
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
