// Capture order, back-references and the capture-list escapes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Anchored;
using ptest::AnchoredCaps;
using ptest::Caps;
using ptest::Hit;
using ptest::Search;

TEST(PatternCaptures, InnerCapturesComeBeforeTheirOuterCapture)
{
    EXPECT_EQ(AnchoredCaps("%{%{a%}b%}", "ab"), (Caps{"a", "ab"}));
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}", "ab"), (Caps{"a", "b"}));
    EXPECT_EQ(AnchoredCaps("%{x%{a%}%{b%}%}", "xab"), (Caps{"a", "b", "xab"}));
    EXPECT_EQ(AnchoredCaps("%{%(%{a%}%)%}", "a"), (Caps{"a", "a"}));
    EXPECT_EQ(AnchoredCaps("%{%}", "abc"), (Caps{""}));
    // The key of "name 剣" closes after the value.
    EXPECT_EQ(AnchoredCaps("%{%/k%e%*0W%{%/0j%}%$%}", "name " SJ_KEN), (Caps{SJ_KEN, "name"}));
    EXPECT_EQ(AnchoredCaps("%{%/k%e%*0W%{%/0j%}%$%}", "name"), (Caps{"", "name"}));
}

TEST(PatternCaptures, BackReferenceByNumber)
{
    EXPECT_EQ(Anchored("%{%/a%}-%0v", "ab-ab"), 5);
    EXPECT_EQ(Anchored("%{%/a%}-%0v", "ab-ax"), -1);
    EXPECT_EQ(Anchored("%{a%}%{b%}%1v%0v", "abba"), 4);
    // Case-insensitive with "i", single-byte characters only.
    EXPECT_EQ(Anchored("%{%/a%}-%0v", "ab-aB"), -1);
    EXPECT_EQ(Anchored("%{%/a%}-%0v", "ab-aB", "i"), 5);
    EXPECT_EQ(Anchored("%{%j%}%0v", SJ_A_KATA SJ_DI_KATA, "i"), -1);
    EXPECT_EQ(Anchored("%{%j%}%0v", SJ_FW_UPPER_A SJ_FW_LOWER_A, "i"), -1);
    EXPECT_EQ(Anchored("%{%j%}%0v", SJ_HYO SJ_HYO), 4);
    // A missing capture matches empty.
    EXPECT_EQ(Anchored("a%3vb", "ab"), 2);
    EXPECT_EQ(Anchored("%{a%}%1vb", "ab"), 2);
    // The number after the dot repeats the reference.
    EXPECT_EQ(Anchored("%{x%}%0.3v", "xxxx"), 4);
    EXPECT_EQ(Anchored("%{x%}%0.3v", "xxx"), -1);
    // Text ending inside the reference is a failure.
    EXPECT_EQ(Anchored("%{ab%}-%0v", "ab-a"), -1);
    EXPECT_EQ(Anchored("%{ab%}-%0v", "ab-a", "i"), -1);
}

TEST(PatternCaptures, BackReferencesCountFromTheCurrentAttempt)
{
    ptest::Found f = Search("1122x33", "%{%d%}%0v", "g");
    EXPECT_EQ(f.count, 3);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{0, 2}, {2, 2}, {5, 2}}));
}

TEST(PatternCaptures, BackReferenceFromTheNewest)
{
    EXPECT_EQ(Anchored("%{a%}%{b%}%0V%1V", "abba"), 4);
    EXPECT_EQ(Anchored("%{a%}%{b%}%0V%1V", "abab"), -1);
    EXPECT_EQ(Anchored("%{a%}%{b%}%1V", "aba"), 3);
    EXPECT_EQ(Anchored("%{a%}%5Vb", "ab"), 2);
    EXPECT_EQ(Anchored("%{k%}-%0V", "k-K", "i"), 3);
    EXPECT_EQ(Anchored("%{k%}-%0.2V", "k-kk"), 4);
}

TEST(PatternCaptures, AppendAndRemoveEscapes)
{
    // %T appends an empty capture.
    EXPECT_EQ(AnchoredCaps("a%Tb", "ab"), (Caps{""}));
    EXPECT_EQ(AnchoredCaps("%T%{c%}", "c"), (Caps{"", "c"}));
    // %H removes the newest capture.
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}%H", "ab"), (Caps{"a"}));
    EXPECT_EQ(AnchoredCaps("%{a%}%H%H", "a"), Caps{});
    // %Nh removes capture N when it exists.
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}%{c%}%1h", "abc"), (Caps{"a", "c"}));
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}%5h", "ab"), (Caps{"a", "b"}));
    // All of them are zero-width.
    EXPECT_EQ(Anchored("a%T%H%0hb", "ab"), 2);
}

TEST(PatternCaptures, SetEscapeCopiesTheNewestCapture)
{
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}%0t", "ab"), (Caps{"b", "b"}));
    EXPECT_EQ(AnchoredCaps("%{a%}%3t", "a"), (Caps{"a", "", "", "a"}));
    EXPECT_EQ(AnchoredCaps("%{a%}%{b%}%1t%{c%}", "abc"), (Caps{"a", "b", "c"}));
    EXPECT_EQ(Anchored("%{a%}%3t%3v", "aa"), 2);
}

TEST(PatternCaptures, SystemReadingsOfTheSettingsAndDefinitionPatterns)
{
    EXPECT_EQ(AnchoredCaps("type%{%/d%}%/w%{%/j%}", "type3\t" SJ_BU SJ_KI), (Caps{"3", SJ_BU SJ_KI}));
    EXPECT_EQ(AnchoredCaps("type%{%/d%}%/w%{%/j%}", "TYPE12 " SJ_KEN, "i"), (Caps{"12", SJ_KEN}));
    EXPECT_EQ(Anchored("type%{%/d%}%/w%{%/j%}", "TYPE12 " SJ_KEN), -1);
    EXPECT_EQ(Anchored("type%{%/d%}%/w%{%/j%}", "type\t" SJ_KEN), -1);
    EXPECT_EQ(AnchoredCaps("job%/w%{%/a%}%/w%{%/j%}", "job\tsmith\t" SJ_TAN SJ_YA SJ_OKU),
              (Caps{"smith", SJ_TAN SJ_YA SJ_OKU}));
    EXPECT_EQ(Anchored("job%/w%{%/a%}%/w%{%/j%}", "job\tSmith\tx"), -1);
    EXPECT_EQ(AnchoredCaps("set%/wjob_%{%/L%}_time_rate", "set job_smith2_time_rate"), (Caps{"smith2"}));
    EXPECT_EQ(AnchoredCaps("%/0w[%{%+j%e]%}", "[Custom]"), (Caps{"Custom"}));
    EXPECT_EQ(AnchoredCaps("%/0w[%{%+j%e]%}", "\t[A]junk]"), (Caps{"A"}));
    EXPECT_EQ(Anchored("%/0w[%{%+j%e]%}", "[]"), -1);
    EXPECT_EQ(AnchoredCaps("%/0w%{%/k%}", "  FUNCITEM\n"), (Caps{"FUNCITEM"}));
}
