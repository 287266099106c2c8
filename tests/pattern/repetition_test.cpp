// Repetition prefixes, counts, committed choice, the rest scan and the
// match-end and capture-end markers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Anchored;
using ptest::AnchoredCaps;
using ptest::Caps;
using ptest::Hit;
using ptest::Replace;
using ptest::Search;
using ptest::CheckRows;
using ptest::Row;


TEST(PatternRepetition, NoPrefixMatchesExactlyCountTimes)
{
    CheckRows({
        {"%d", "123", 1},
        {"%3d", "12345", 3},
        {"%3d", "12a", -1},
        {"%3(ab%)", "abababab", 6},
        {"%2(ab%)c", "abababc", -1},
        {"a%0db", "ab", 2},
        {"a%0db", "a1b", -1},
    });
    EXPECT_EQ(Search("abababc", "%2(ab%)c", "").hits, (std::vector<Hit>{{2, 5}}));
}

TEST(PatternRepetition, NoPrefixWithMaxTakesAsManyAsMatchWithoutGivingBack)
{
    CheckRows({
        {"%2,4d", "123456", 4},
        {"%2,4d", "12a", 2},
        {"%2,4d", "1a", -1},
        {"%1,4d5", "12345", 5},
        {"%1,4d4", "1234", -1},
        {"%0,1(ab%)c", "abc", 3},
        {"%0,1(ab%)c", "c", 1},
        {"%0,1(ab%)c", "ac", -1},
        {"%0,2z-x", "---x", -1},
    });
    EXPECT_EQ(Search("1234", "%1,4d4", "g").count, 0);
}

TEST(PatternRepetition, SlashMatchesAtLeastCountThenAllWithoutGivingBack)
{
    CheckRows({
        {"%/d", "12345a", 5},
        {"%/d", "a", -1},
        {"%/0d", "a", 0},
        {"%/0d", "", 0},
        {"%/2d", "1a", -1},
        {"%/2d", "12345", 5},
        {"%/1,3d", "12345", 3},
        {"%/d5", "12345", -1},
        {"%/[ab%]", "abbac", 4},
        {"%/j", "a" SJ_HYO "b", 4},
        // A repetition that consumes nothing ends the run.
        {"%/(%/0d%)x", "x", 1},
        {"%/(%/0d%)x", "12x", 3},
    });
}

TEST(PatternRepetition, PlusIsLazy)
{
    CheckRows({
        {"%+j;", "ab;cd;", 3},
        {"%+j;", ";", -1},
        {"%+0j;", ";", 1},
        {"%+j", "abc", 1},
        {"%+0j", "abc", 0},
        {"%+jx", "abc", -1},
        {"%+2j;", "a;b;", 4},
        {"%+j=%+j;", "a=b;c;", 4},
        {"%+0j%$", "abc", 3},
        {"%+j" SJ_HYO, "a" SJ_BU SJ_HYO "x", 5},
    });
}

TEST(PatternRepetition, PlusWithMaxFailsWhenTheRestNeverMatches)
{
    // "%+0,2j;" on "abc;" fails at 0 and matches at 1.
    EXPECT_EQ(Anchored("%+0,2j;", "abc;"), -1);
    ptest::Found f = Search("abc;", "%+0,2j;", "");
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 3}}));
    EXPECT_EQ(Anchored("%+1,1j;", "a;"), 2);
    EXPECT_EQ(Anchored("%+1,1j;", "ab;"), -1);
}

TEST(PatternRepetition, PlusEndsOnAZeroLengthExtraMatch)
{
    // The element matches empty; an empty extra match ends it with failure.
    EXPECT_EQ(Anchored("%+(%/0d%)x", "ax"), -1);
    EXPECT_EQ(Search("ax", "%+(%/0d%)x", "").hits, (std::vector<Hit>{{1, 1}}));
    EXPECT_EQ(Anchored("%+0(%/0d%)x", "x"), 1);
    EXPECT_EQ(Anchored("%+(%/0d%)x", "12x"), 3);
}

TEST(PatternRepetition, StarIsGreedyAndGivesBack)
{
    CheckRows({
        {"%*j", "abc", 3},
        {"%*j", "", -1},
        {"%*0j", "", 0},
        {"%*ja", "xaya", 4},
        {"%*jb", "abcbd", 4},
        {"%*d5", "12345", 5},
        {"%*0j;", ";", 1},
        {"%*1,3d", "12345", 3},
        {"%*1,3d4", "12345", 4},
        {"%*1,2d4", "12345", -1},
        {"%*j" SJ_HYO, SJ_HYO "a" SJ_HYO "b", 5},
        // Gives back down to its count, never below it.
        {"%*2d3", "123", 3},
        {"%*3d3", "123", -1},
        {"%*2d", "1", -1},
        // Count 0 may end with zero repetitions.
        {"%*0Wa", "a", 1},
        {"%*0W", "x", 0},
        {"%*0W", "  \t\nx", 4},
        // A repetition that consumes nothing ends the run.
        {"%*(%/0d%)x", "12x", 3},
        {"%*(%/0d%)x", "x", 1},
    });
    EXPECT_EQ(Search("123", "%*3d3", "g").count, 0);
    EXPECT_EQ(Search("a b", "%*0W", "g").hits, (std::vector<Hit>{{0, 0}, {1, 1}, {2, 0}}));
}

TEST(PatternRepetition, StarBacktrackingRestoresCaptures)
{
    Caps caps;
    EXPECT_EQ(Anchored("%*(%{%d%}%)5", "12345", "", &caps), 5);
    EXPECT_EQ(caps, (Caps{"1", "2", "3", "4"}));
    EXPECT_EQ(Anchored("%*(%{%j%}%)%{b%}", "abcbd", "", &caps), 4);
    EXPECT_EQ(caps, (Caps{"a", "b", "c", "b"}));
}

TEST(PatternRepetition, BangIsZeroWidthNegation)
{
    CheckRows({
        {"a%!db", "ab", 2},
        {"a%!db", "a1b", -1},
        {"%!d", "", 0},
        {"%!2d1a", "1a", 2},
        {"%!2d", "12a", -1},
        {"%!3d%/j", "12a", 3},
        {"%!3d%/j", "123a", -1},
        {"ITEM%!(NO%)", "ITEMX", 4},
        {"ITEM%!(NO%)", "ITEM", 4},
        {"ITEM%!(NO%)", "ITEMNO", -1},
        {"%![ab%]%j", "c", 1},
        {"%![ab%]%j", "b", -1},
    });
    // A successful negation leaves no captures behind.
    Caps caps;
    EXPECT_EQ(Anchored("%!(%{a%}b%)%j", "ac", "", &caps), 1);
    EXPECT_EQ(caps, Caps{});
}

TEST(PatternRepetition, CountedCapturesAppendOneCapturePerRepetition)
{
    EXPECT_EQ(AnchoredCaps("%2{%j%}", "ab"), (Caps{"a", "b"}));
    EXPECT_EQ(AnchoredCaps("%/{%d%}", "123x"), (Caps{"1", "2", "3"}));
}

TEST(PatternRepetition, ChoiceIsCommitted)
{
    // The alternative "a" stays chosen although "c" does not follow.
    EXPECT_EQ(Search("abc", "%[%(a%)%(ab%)%]c", "g").count, 0);
    EXPECT_EQ(Anchored("%[%(a%)%(ab%)%]c", "ac"), 2);
    EXPECT_EQ(Anchored("%[%(ab%)%(a%)%]c", "abc"), 3);
    // A lazy element inside a group only looks at the rest of the group.
    ptest::Found f = Search("xaxab", "%(%+ja%)b", "");
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 4}}));
    // A greedy element inside a capture takes the rest of the text; the
    // element after the capture is never reached by its backtracking.
    EXPECT_EQ(Search("aaab", "%{%*j%}b", "g").count, 0);
    EXPECT_EQ(Anchored("%(%*j%)b", "ab"), -1);
    // A finished lazy capture is not re-entered.
    f = Search("abx", "%{%+0j%}x", "");
    EXPECT_EQ(f.hits, (std::vector<Hit>{{2, 1}}));
    EXPECT_EQ(f.caps, (Caps{""}));
}

TEST(PatternRepetition, CapturesOfFailedAttemptsAreRemoved)
{
    Caps caps;
    // Rest attempts of a lazy element that fail leave no captures.
    EXPECT_EQ(Anchored("%+0j%{a%}b", "acab", "", &caps), 4);
    EXPECT_EQ(caps, (Caps{"a"}));
    // A failed alternative removes its captures.
    EXPECT_EQ(Anchored("%[%(%{a%}x%)%(%{a%}y%)%]", "ay", "", &caps), 2);
    EXPECT_EQ(caps, (Caps{"a"}));
    // A failed match leaves no captures.
    EXPECT_EQ(Anchored("%{a%}x", "ab", "", &caps), -1);
    EXPECT_EQ(caps, Caps{});
    // A failed position leaves nothing for the next one.
    ptest::Found f = Search("aab", "%{a%}b", "");
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 2}}));
    EXPECT_EQ(f.caps, (Caps{"a"}));
}

TEST(PatternRepetition, MatchEndMarkers)
{
    CheckRows({
        // %p: the elements after it must match but are not consumed.
        {"ab%pcd", "abcd", 2},
        {"ab%pcd", "abce", -1},
        // %P: as %p, and the sequence succeeds at once at the end of the text.
        {"ab%Pcd", "ab", 2},
        {"ab%Pcd", "abcd", 2},
        {"ab%Pcd", "abx", -1},
        // Inside a rest scan.
        {"%+j%p;", "ab;", 2},
        {"%+0j%P\n", "abc", 3},
        {"%+0j%P\n", "ab\ncd", 2},
        {"%+0j%P\n", "", 0},
        // As children of alternatives: %p is skipped, %P matches only at the end.
        {"a%[%Px%]", "a", 1},
        {"a%[%Px%]", "ax", 2},
        {"a%[%Px%]", "ay", -1},
        {"a%[%px%]", "a", -1},
        {"a%[%px%]", "ax", 2},
    });
    ptest::Replaced r = Replace("ab;cd;", "%+j%p;", "g", "X");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.text, "XX;");
}

TEST(PatternRepetition, CaptureEndMarker)
{
    Caps caps;
    EXPECT_EQ(Anchored("%{ab%ecd%}", "abcd", "", &caps), 4);
    EXPECT_EQ(caps, (Caps{"ab"}));
    // Lazy up to the first "=".
    EXPECT_EQ(Anchored("%{%+j%e=%}", "a=b=c", "", &caps), 2);
    EXPECT_EQ(caps, (Caps{"a"}));
    // Greedy up to the last ";".
    EXPECT_EQ(Anchored("%{%*j%e;%}", "a;b;c", "", &caps), 4);
    EXPECT_EQ(caps, (Caps{"a;b"}));
    // A match end inside a capture also ends the captured text.
    EXPECT_EQ(Anchored("%{ab%pcd%}", "abcd", "", &caps), 2);
    EXPECT_EQ(caps, (Caps{"ab"}));
    EXPECT_EQ(Anchored("%{ab%Pcd%}", "ab", "", &caps), 2);
    EXPECT_EQ(caps, (Caps{"ab"}));
    // Capture end taken over from a nested lazy element in the rest.
    EXPECT_EQ(Anchored("%{%+0j%ex%+0j%ey%}", "axby", "", &caps), 4);
    EXPECT_EQ(caps, (Caps{"axb"}));
}

TEST(PatternRepetition, RestScanRunsTheFollowingElementsWithTheirPrefixes)
{
    CheckRows({
        {"%+j=%*j;", "a=b;c;", 6},
        {"%+j%/d;", "ab12;", 5},
        {"%+j%/d;", "a1b2;", 5},
        {"%+0j%!d%$", "12", 2},
        {"%+j%3d", "ab1234", 5},
    });
}

TEST(PatternRepetition, PrefixesOnZAlternativesAndNestedRepetition)
{
    CheckRows({
        // %z operands with lazy and greedy prefixes cover the rest of the body.
        {"%+0z-x", "--x", 3},
        {"%*z--x", "---x", 4},
        {"%*[ab%]b", "abab", 4},
        {"%[%/dx%]", "123", 3},
        // Maxima count all repetitions.
        {"%*2,3d", "1234", 3},
        {"%+2,3j;", "abc;", 4},
        {"%+2,3j;", "abcd;", -1},
        // A greedy element inside a repeated group covers only the group.
        {"%*(%*j%)x", "abx", -1},
        // Match end and capture end reported through a greedy element.
        {"%*j%p;", "a;b;", 3},
    });
    Caps caps;
    EXPECT_EQ(Anchored("%{%+j%p;%}", "ab;", "", &caps), 2);
    EXPECT_EQ(caps, (Caps{"ab"}));
}
