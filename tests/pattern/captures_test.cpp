// Capture order, back-references and the capture-list escapes.
#include <gtest/gtest.h>

#include "pattern_test_helpers.h"

TEST(PatternCaptures, OrderAndCaptureListEscapes)
{
    ptest::CheckCaps({
        // Captures are numbered in the order in which they close.
        {"%{%{a%}b%}", "ab", 2, {"a", "ab"}}, {"%{x%{a%}%{b%}%}", "xab", 3, {"a", "b", "xab"}},
        {"%{%(%{a%}%)%}", "a", 1, {"a", "a"}}, {"%{%}", "abc", 0, {""}},
        {"%{%/k%e%*0W%{%/0j%}%$%}", "name " SJ_KEN, 7, {SJ_KEN, "name"}},
        {"%{%/k%e%*0W%{%/0j%}%$%}", "name", 4, {"", "name"}},
        // %T appends an empty capture, %H removes the newest, %Nh capture N
        // when it exists; all of them are zero-width.
        {"a%Tb", "ab", 2, {""}}, {"%T%{c%}", "c", 1, {"", "c"}}, {"%{a%}%{b%}%H", "ab", 2, {"a"}},
        {"%{a%}%H%H", "a", 1, {}}, {"%{a%}%{b%}%{c%}%1h", "abc", 3, {"a", "c"}}, {"%{a%}%{b%}%5h", "ab", 2, {"a", "b"}},
        {"a%T%H%0hb", "ab", 2, {}},
        // %Nt makes capture N exist and copies the newest capture into it.
        {"%{a%}%{b%}%0t", "ab", 2, {"b", "b"}}, {"%{a%}%3t", "a", 1, {"a", "", "", "a"}},
        {"%{a%}%{b%}%1t%{c%}", "abc", 3, {"a", "b", "c"}},
        // The system's key-and-value readings.
        {"type%{%/d%}%/w%{%/j%}", "type3\t" SJ_BU SJ_KI, 10, {"3", SJ_BU SJ_KI}},
        {"type%{%/d%}%/w%{%/j%}", "TYPE12 " SJ_KEN, 9, {"12", SJ_KEN}, "i"},
        {"type%{%/d%}%/w%{%/j%}", "TYPE12 " SJ_KEN, -1, {}}, {"type%{%/d%}%/w%{%/j%}", "type\t" SJ_KEN, -1, {}},
        {"job%/w%{%/a%}%/w%{%/j%}", "job\tsmith\t" SJ_BU, 12, {"smith", SJ_BU}},
        {"job%/w%{%/a%}%/w%{%/j%}", "job\tSmith\tx", -1, {}},
        {"set%/wjob_%{%/L%}_time_rate", "set job_smith2_time_rate", 24, {"smith2"}},
        {"%/0w[%{%+j%e]%}", "[Custom]", 8, {"Custom"}}, {"%/0w[%{%+j%e]%}", "\t[A]junk]", 4, {"A"}},
        {"%/0w[%{%+j%e]%}", "[]", -1, {}}, {"%/0w%{%/k%}", "  FUNCITEM\n", 10, {"FUNCITEM"}},
    });
}

TEST(PatternCaptures, BackReferences)
{
    ptest::CheckRows({
        // %Nv by number, case-insensitive with "i" for single-byte characters only.
        {"%{%/a%}-%0v", "ab-ab", 5}, {"%{%/a%}-%0v", "ab-ax", -1}, {"%{a%}%{b%}%1v%0v", "abba", 4},
        {"%{%/a%}-%0v", "ab-aB", -1}, {"%{%/a%}-%0v", "ab-aB", 5, "i"}, {"%{%j%}%0v", SJ_A_KATA SJ_DI_KATA, -1, "i"},
        {"%{%j%}%0v", SJ_FW_UPPER_A SJ_FW_LOWER_A, -1, "i"}, {"%{%j%}%0v", SJ_HYO SJ_HYO, 4},
        // A missing capture matches empty; the number after the dot repeats.
        {"a%3vb", "ab", 2}, {"%{a%}%1vb", "ab", 2}, {"%{x%}%0.3v", "xxxx", 4}, {"%{x%}%0.3v", "xxx", -1},
        {"%{a%}%3t%3v", "aa", 2},
        // Text ending inside the reference is a failure.
        {"%{ab%}-%0v", "ab-a", -1}, {"%{ab%}-%0v", "ab-a", -1, "i"},
        // %NV counts from the newest capture backwards.
        {"%{a%}%{b%}%0V%1V", "abba", 4}, {"%{a%}%{b%}%0V%1V", "abab", -1}, {"%{a%}%{b%}%1V", "aba", 3},
        {"%{a%}%5Vb", "ab", 2}, {"%{k%}-%0V", "k-K", 3, "i"}, {"%{k%}-%0.2V", "k-kk", 4},
    });
    // Numbers count from the first capture of the current attempt.
    ptest::Found f = ptest::Search("1122x33", "%{%d%}%0v", "g");
    EXPECT_EQ(f.count, 3);
    EXPECT_EQ(f.hits, (ptest::Hits{{0, 2}, {2, 2}, {5, 2}}));
}
