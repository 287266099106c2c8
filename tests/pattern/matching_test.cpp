// Matching: repetition prefixes and counts, committed choice, the rest scan,
// the match-end and capture-end markers, capture order, back-references, the
// capture-list escapes and the system's key-and-value readings.
#include <gtest/gtest.h>

#include <tuple>

#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hits;
using ptest::Search;

TEST(PatternRepetition, Prefixes)
{
    ptest::CheckRows({
        // No prefix: exactly count times; with a max as many more as match,
        // never giving any back.
        {"%3d", "12345", 3}, {"%3d", "12a", -1}, {"%2(ab%)c", "abababc", -1}, {"a%0db", "ab", 2}, {"a%0db", "a1b", -1},
        {"%2,4d", "123456", 4}, {"%2,4d", "12a", 2}, {"%2,4d", "1a", -1}, {"%1,4d5", "12345", 5},
        {"%1,4d4", "1234", -1}, {"%0,1(ab%)c", "abc", 3}, {"%0,1(ab%)c", "c", 1}, {"%0,2z-x", "---x", -1},
        // "/": at least count, then all that match, never giving any back; a
        // repetition that consumes nothing ends the run.
        {"%/d", "12345a", 5}, {"%/d", "a", -1}, {"%/0d", "a", 0}, {"%/0d", "", 0}, {"%/2d", "1a", -1},
        {"%/2d", "12345", 5}, {"%/1,3d", "12345", 3}, {"%/d5", "12345", -1}, {"%/[ab%]", "abbac", 4},
        {"%/j", "a" SJ_HYO "b", 4}, {"%/(%/0d%)x", "x", 1}, {"%/(%/0d%)x", "12x", 3},
        // "+": lazy, as few more as the rest of the body needs, up to the max.
        {"%+j;", "ab;cd;", 3}, {"%+j;", ";", -1}, {"%+0j;", ";", 1}, {"%+j", "abc", 1}, {"%+0j", "abc", 0},
        {"%+jx", "abc", -1}, {"%+2j;", "a;b;", 4}, {"%+j=%+j;", "a=b;c;", 4}, {"%+0j%$", "abc", 3},
        {"%+j" SJ_HYO, "a" SJ_BU SJ_HYO "x", 5}, {"%+0,2j;", "abc;", -1}, {"%+1,1j;", "a;", 2}, {"%+1,1j;", "ab;", -1},
        {"%+2,3j;", "abc;", 4}, {"%+2,3j;", "abcd;", -1},
        // An extra match that consumes nothing ends a lazy element with failure.
        {"%+(%/0d%)x", "ax", -1}, {"%+0(%/0d%)x", "x", 1}, {"%+(%/0d%)x", "12x", 3},
        // "*": greedy, giving back one repetition at a time down to its count.
        {"%*j", "abc", 3}, {"%*j", "", -1}, {"%*0j", "", 0}, {"%*ja", "xaya", 4}, {"%*jb", "abcbd", 4},
        {"%*d5", "12345", 5}, {"%*0j;", ";", 1}, {"%*1,3d", "12345", 3}, {"%*1,3d4", "12345", 4},
        {"%*1,2d4", "12345", -1}, {"%*2,3d", "1234", 3}, {"%*j" SJ_HYO, SJ_HYO "a" SJ_HYO "b", 5}, {"%*2d3", "123", 3},
        {"%*3d3", "123", -1}, {"%*2d", "1", -1}, {"%*0Wa", "a", 1}, {"%*0W", "x", 0}, {"%*0W", "  \t\nx", 4},
        {"%*(%/0d%)x", "12x", 3}, {"%*(%/0d%)x", "x", 1},
        // "!": zero-width, succeeds when the element does not match count times.
        {"a%!db", "ab", 2}, {"a%!db", "a1b", -1}, {"%!d", "", 0}, {"%!2d1a", "1a", 2}, {"%!2d", "12a", -1},
        {"%!3d%/j", "12a", 3}, {"%!3d%/j", "123a", -1}, {"ITEM%!(NO%)", "ITEMX", 4}, {"ITEM%!(NO%)", "ITEM", 4},
        {"ITEM%!(NO%)", "ITEMNO", -1}, {"%![ab%]%j", "c", 1}, {"%![ab%]%j", "b", -1},
    });
    // A failed start is retried at the next position only.
    EXPECT_EQ(Search("abababc", "%2(ab%)c", "").hits, (Hits{{2, 5}}));
    EXPECT_EQ(Search("abc;", "%+0,2j;", "").hits, (Hits{{1, 3}}));
    EXPECT_EQ(Search("ax", "%+(%/0d%)x", "").hits, (Hits{{1, 1}}));
    EXPECT_EQ(Search("1234", "%1,4d4", "g").count, 0);
    EXPECT_EQ(Search("123", "%*3d3", "g").count, 0);
    EXPECT_EQ(Search("a b", "%*0W", "g").hits, (Hits{{0, 0}, {1, 1}, {2, 0}}));
}

TEST(PatternRepetition, CapturesFollowWhatWasKept)
{
    ptest::CheckRows({
        // Giving back removes the captures of the repetitions given back.
        {"%*(%{%d%}%)5", "12345", 5, {"1", "2", "3", "4"}}, {"%*(%{%j%}%)%{b%}", "abcbd", 4, {"a", "b", "c", "b"}},
        // A counted capture appends one capture per repetition.
        {"%2{%j%}", "ab", 2, {"a", "b"}}, {"%/{%d%}", "123x", 3, {"1", "2", "3"}},
        // A successful negation, a failed rest attempt, a failed alternative
        // and a failed match leave no captures behind.
        {"%!(%{a%}b%)%j", "ac", 1, {}}, {"%+0j%{a%}b", "acab", 4, {"a"}}, {"%[%(%{a%}x%)%(%{a%}y%)%]", "ay", 2, {"a"}},
        {"%{a%}x", "ab", -1, {}},
    }, true);
    // A failed position leaves nothing for the next one.
    ptest::Found f = Search("aab", "%{a%}b", "");
    EXPECT_EQ(std::tie(f.hits, f.caps), std::tuple(Hits{{1, 2}}, Caps{"a"}));
}

TEST(PatternRepetition, ChoiceIsCommitted)
{
    // The alternative "a" stays chosen although "c" does not follow.
    EXPECT_EQ(Search("abc", "%[%(a%)%(ab%)%]c", "g").count, 0);
    ptest::CheckRows({
        {"%[%(a%)%(ab%)%]c", "ac", 2}, {"%[%(ab%)%(a%)%]c", "abc", 3}, {"%(%*j%)b", "ab", -1},
        // A greedy element inside a repeated group covers only the group.
        {"%*(%*j%)x", "abx", -1},
    });
    // A lazy element inside a group only looks at the rest of the group.
    EXPECT_EQ(Search("xaxab", "%(%+ja%)b", "").hits, (Hits{{1, 4}}));
    // A greedy element inside a capture takes the rest of the text; the
    // element after the capture is never reached by its backtracking.
    EXPECT_EQ(Search("aaab", "%{%*j%}b", "g").count, 0);
    // A finished lazy capture is not re-entered.
    ptest::Found f = Search("abx", "%{%+0j%}x", "");
    EXPECT_EQ(std::tie(f.hits, f.caps), std::tuple(Hits{{2, 1}}, Caps{""}));
}

TEST(PatternRepetition, RestScanAndMarkers)
{
    ptest::CheckRows({
        // The rest scan runs the following elements with their own prefixes.
        {"%+j=%*j;", "a=b;c;", 6}, {"%+j%/d;", "ab12;", 5}, {"%+j%/d;", "a1b2;", 5}, {"%+0j%!d%$", "12", 2},
        {"%+j%3d", "ab1234", 5},
        // %z operands with lazy and greedy prefixes cover the rest of the body.
        {"%+0z-x", "--x", 3}, {"%*z--x", "---x", 4}, {"%*[ab%]b", "abab", 4}, {"%[%/dx%]", "123", 3},
        // %p: the elements after it must match but are not consumed.
        {"ab%pcd", "abcd", 2}, {"ab%pcd", "abce", -1},
        // %P: as %p, and the sequence succeeds at once at the end of the text.
        {"ab%Pcd", "ab", 2}, {"ab%Pcd", "abcd", 2}, {"ab%Pcd", "abx", -1}, {"%+j%p;", "ab;", 2}, {"%*j%p;", "a;b;", 3},
        {"%+0j%P\n", "abc", 3}, {"%+0j%P\n", "ab\ncd", 2}, {"%+0j%P\n", "", 0},
        // As children of alternatives: %p is skipped, %P matches only at the end.
        {"a%[%Px%]", "a", 1}, {"a%[%Px%]", "ax", 2}, {"a%[%Px%]", "ay", -1}, {"a%[%px%]", "a", -1},
        {"a%[%px%]", "ax", 2},
    });
    ptest::CheckRows({
        // %e ends the captured text; so does a match end inside the capture.
        {"%{ab%ecd%}", "abcd", 4, {"ab"}}, {"%{%+j%e=%}", "a=b=c", 2, {"a"}}, {"%{%*j%e;%}", "a;b;c", 4, {"a;b"}},
        {"%{ab%pcd%}", "abcd", 2, {"ab"}}, {"%{ab%Pcd%}", "ab", 2, {"ab"}}, {"%{%+j%p;%}", "ab;", 2, {"ab"}},
        // A capture end taken over from a nested lazy element in the rest.
        {"%{%+0j%ex%+0j%ey%}", "axby", 4, {"axb"}},
    }, true);
}

TEST(PatternCaptures, OrderAndCaptureListEscapes)
{
    const char* settings = "%/0w%{%+j%e=%}%{%+0j%P\n%}";
    ptest::CheckRows({
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
        {"%{%/k%e%/0W%{%/0j%}%$%}", "price\t100", 9, {"100", "price"}},
        {"%{%/k%e%/0W%{%/0j%}%$%}", SJ_KEN " x", -1, {}},
        {settings, "\tSaveAutoBackup=ON", 18, {"SaveAutoBackup", "ON"}}, {settings, "key=", 4, {"key", ""}},
        {settings, "=x", -1, {}}, {settings, "a=b=c", 5, {"a", "b=c"}}, {settings, "  key = v ", 10, {"key ", " v "}},
        {settings, "k=v\nnext=1", 3, {"k", "v"}}, {settings, "[Custom]", -1, {}},
        {settings, "Path=C:\\" SJ_HYO "\\x", 12, {"Path", "C:\\" SJ_HYO "\\x"}},
    }, true);
    // Words of a use line.
    EXPECT_EQ(ptest::Search("use\titem 1  100", "%{%+j%e%[%/W%$%]%}", "g").history,
              (std::vector<Caps>{{"use"}, {"item"}, {"1"}, {"100"}}));
}

TEST(PatternCaptures, BackReferences)
{
    ptest::CheckRows({
        // %Nv by number, case-insensitive with "i" for single-byte characters only.
        {"%{%/a%}-%0v", "ab-ab", 5}, {"%{%/a%}-%0v", "ab-ax", -1}, {"%{a%}%{b%}%1v%0v", "abba", 4},
        {"%{%/a%}-%0v", "ab-aB", -1}, {"%{%/a%}-%0v", "ab-aB", 5, {}, "i"},
        {"%{%j%}%0v", SJ_A_KATA SJ_DI_KATA, -1, {}, "i"}, {"%{%j%}%0v", SJ_FW_UPPER_A SJ_FW_LOWER_A, -1, {}, "i"},
        {"%{%j%}%0v", SJ_HYO SJ_HYO, 4},
        // A missing capture matches empty; the number after the dot repeats.
        {"a%3vb", "ab", 2}, {"%{a%}%1vb", "ab", 2}, {"%{x%}%0.3v", "xxxx", 4}, {"%{x%}%0.3v", "xxx", -1},
        {"%{a%}%3t%3v", "aa", 2},
        // Text ending inside the reference is a failure.
        {"%{ab%}-%0v", "ab-a", -1}, {"%{ab%}-%0v", "ab-a", -1, {}, "i"},
        // %NV counts from the newest capture backwards.
        {"%{a%}%{b%}%0V%1V", "abba", 4}, {"%{a%}%{b%}%0V%1V", "abab", -1}, {"%{a%}%{b%}%1V", "aba", 3},
        {"%{a%}%5Vb", "ab", 2}, {"%{k%}-%0V", "k-K", 3, {}, "i"}, {"%{k%}-%0.2V", "k-kk", 4},
    });
    // Numbers count from the first capture of the current attempt.
    ptest::Found f = ptest::Search("1122x33", "%{%d%}%0v", "g");
    EXPECT_EQ(f.count, 3);
    EXPECT_EQ(f.hits, (ptest::Hits{{0, 2}, {2, 2}, {5, 2}}));
}
