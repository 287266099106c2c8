// Node trees produced by the pattern compiler.
#include <gtest/gtest.h>

#include <string>

#include "pattern_test_helpers.h"

using ptest::Tree;

TEST(PatternCompile, EmptyPatternGivesEmptyRootGroup)
{
    CStrRegexStruct root;
    StrRegexCompile("", &root);
    EXPECT_EQ(root.kind, REGEX_KIND_GROUP);
    EXPECT_EQ(root.prefix, ' ');
    EXPECT_EQ(root.count, -1);
    EXPECT_EQ(root.index, -1);
    EXPECT_EQ(root.max, -1);
    EXPECT_EQ(root.children.GetCount(), 0u);
}

TEST(PatternCompile, RootCarriesNoPrefixOrNumbers)
{
    CStrRegexStruct root;
    StrRegexCompile("%+3.4,5(a%)b", &root);
    EXPECT_EQ(root.kind, REGEX_KIND_GROUP);
    EXPECT_EQ(ptest::RenderAttrs(root), "");
    EXPECT_EQ(ptest::RenderBody(root.children), "('a')<+ c3 i4 m5> 'b'");
}

TEST(PatternCompile, LiteralRuns)
{
    EXPECT_EQ(Tree("abc"), "'abc'");
    EXPECT_EQ(Tree("ab%dcd"), "'ab' %d 'cd'");
    EXPECT_EQ(Tree("%w%W"), "%w %W");
    // "%%" joins the current run.
    EXPECT_EQ(Tree("a%%b"), "'a%b'");
    EXPECT_EQ(Tree("%%/0w"), "'%/0w'");
    EXPECT_EQ(Tree("%%%%"), "'%%'");
    // A literal run ends at the end of its body.
    EXPECT_EQ(Tree("%(ab%)cd"), "('ab') 'cd'");
}

TEST(PatternCompile, DoubleByteCharactersAreTakenWhole)
{
    // 0x95 0x25 is one character: its second byte is not an escape.
    EXPECT_EQ(Tree("\x95%d"), "'\\x95%d'");
    // The second byte 0x5C of 表 belongs to the character.
    EXPECT_EQ(Tree(SJ_HYO "%d"), "'\\x95\\\\' %d");
    EXPECT_EQ(Tree("a" SJ_BU SJ_KI "b"), "'a\\x95\\x90\\x8a\\xedb'");
}

TEST(PatternCompile, PrefixAndNumbers)
{
    EXPECT_EQ(Tree("%+3.4,5(x%)"), "('x')<+ c3 i4 m5>");
    EXPECT_EQ(Tree("%*{a%}"), "{'a'}<*>");
    EXPECT_EQ(Tree("%!2[ab%]"), "['a' 'b']<! c2>");
    EXPECT_EQ(Tree("%/0w"), "%w</ c0>");
    EXPECT_EQ(Tree("%0012d"), "%d<c12>");
    EXPECT_EQ(Tree("%123456789d"), "%d<c123456789>");
    EXPECT_EQ(Tree("%.5d"), "%d<i5>");
    EXPECT_EQ(Tree("%,7d"), "%d<m7>");
    EXPECT_EQ(Tree("%0,1(a%)"), "('a')<c0 m1>");
    EXPECT_EQ(Tree("%+0,2j"), "%j<+ c0 m2>");
}

TEST(PatternCompile, ClosingDesignatorsCloseAnyBody)
{
    EXPECT_EQ(Tree("%(a%}b"), "('a') 'b'");
    EXPECT_EQ(Tree("%{a%]%[b%)"), "{'a'} ['b']");
    EXPECT_EQ(Tree("%[a%}x"), "['a'] 'x'");
    EXPECT_EQ(Tree("%(%{%[a%]%)%}z"), "({['a']}) 'z'");
}

TEST(PatternCompile, ClosingAtTopLevelEndsCompilation)
{
    EXPECT_EQ(Tree("ab%)cd"), "'ab'");
    EXPECT_EQ(Tree("%}x"), "");
    EXPECT_EQ(Tree("a%]%(b%)"), "'a'");
}

TEST(PatternCompile, UnclosedBodiesCloseAtTheEnd)
{
    EXPECT_EQ(Tree("%(ab"), "('ab')");
    EXPECT_EQ(Tree("%{%[a"), "{['a']}");
    EXPECT_EQ(Tree("x%(%(y"), "'x' (('y'))");
}

TEST(PatternCompile, AlternativesMakeOneNodePerLiteralCharacter)
{
    EXPECT_EQ(Tree("%[;\t %]"), "[';' '\\t' ' ']");
    EXPECT_EQ(Tree("%[a%%b%]"), "['a' '%' 'b']");
    EXPECT_EQ(Tree("%[" SJ_HYO "x%]"), "['\\x95\\\\' 'x']");
    EXPECT_EQ(Tree("%[a%(bc%)d%]"), "['a' ('bc') 'd']");
    EXPECT_EQ(Tree("%[%(ab%)%(c%)%]"), "[('ab') ('c')]");
    EXPECT_EQ(Tree("%[%p%P%$%]"), "[%p %P %$]");
}

TEST(PatternCompile, MarkerAndAnchorEscapesDropPrefixAndNumbers)
{
    EXPECT_EQ(Tree("%*3.4,5$"), "%$");
    EXPECT_EQ(Tree("%/2P"), "%P");
    EXPECT_EQ(Tree("%+^"), "%^");
    EXPECT_EQ(Tree("%3e"), "%e");
    EXPECT_EQ(Tree("%!1,2p"), "%p");
}

TEST(PatternCompile, NumberedEscapesKeepTheirNumberInIndex)
{
    EXPECT_EQ(Tree("%v"), "%v");
    EXPECT_EQ(Tree("%0v"), "%v<i0>");
    EXPECT_EQ(Tree("%3.2v"), "%v<c2 i3>");
    EXPECT_EQ(Tree("%1V"), "%V<i1>");
    EXPECT_EQ(Tree("%2h"), "%h<i2>");
    EXPECT_EQ(Tree("%4t"), "%t<i4>");
    EXPECT_EQ(Tree("%0u"), "%u<i0>");
    EXPECT_EQ(Tree("%1.3U"), "%U<c3 i1>");
    EXPECT_EQ(Tree("%/0u"), "%u</ i0>");
    // Other escapes keep the number before the dot as their count.
    EXPECT_EQ(Tree("%3d"), "%d<c3>");
}

TEST(PatternCompile, EveryEscapeLetterMakesAnEscapeNode)
{
    const std::string letters = "$^gGjJ?CwWiIdDaAlbLBsSxXnNkKyYcvVuUTHhtepP";
    for (char c : letters) {
        std::string pattern = std::string("%") + c;
        SCOPED_TRACE(pattern);
        EXPECT_EQ(Tree(pattern.c_str()), std::string("%") + c);
    }
}

TEST(PatternCompile, Ranges)
{
    EXPECT_EQ(Tree("%-09"), "-09");
    EXPECT_EQ(Tree("%/-az"), "-az</>");
    EXPECT_EQ(Tree("%3-09"), "-09<c3>");
    EXPECT_EQ(Tree("%-ab%d"), "-ab %d");
    EXPECT_EQ(Tree("%-\x80\xff"), "-\\x80\\xff");
    // A double-byte bound becomes a blank; both its bytes are skipped.
    EXPECT_EQ(Tree("%-" SJ_HYO "z"), "- z");
    EXPECT_EQ(Tree("%-a" SJ_HYO "x"), "-a  'x'");
    EXPECT_EQ(Tree("%-" SJ_HYO SJ_HYO "x"), "-   'x'");
}

TEST(PatternCompile, RangeWithTooFewCharactersDropsTheDash)
{
    EXPECT_EQ(Tree("%-a"), "'a'");
    EXPECT_EQ(Tree("%-"), "");
    EXPECT_EQ(Tree("x%-"), "'x'");
}

TEST(PatternCompile, ZTakesTheNextLiteralCharacterAsOperand)
{
    EXPECT_EQ(Tree("%/z\t"), "%z</>='\\t'");
    EXPECT_EQ(Tree("%z%%"), "%z='%'");
    EXPECT_EQ(Tree("%z" SJ_HYO "a"), "%z='\\x95\\\\' 'a'");
    EXPECT_EQ(Tree("%3zab"), "%z<c3>='a' 'b'");
    EXPECT_EQ(Tree("%!z\\"), "%z<!>='\\\\'");
    EXPECT_EQ(Tree("%0u%!z\\"), "%u<i0> %z<!>='\\\\'");
    EXPECT_EQ(Tree("%{%0u%}%!z\\%P"), "{%u<i0>} %z<!>='\\\\' %P");
}

TEST(PatternCompile, UnknownLettersAreReadAgainAsLiterals)
{
    EXPECT_EQ(Tree("%Q"), "'Q'");
    EXPECT_EQ(Tree("%3Q"), "'Q'");
    EXPECT_EQ(Tree("%+2.3,4Q"), "'Q'");
    EXPECT_EQ(Tree("%[a%#%]"), "['a' '#']");
}

TEST(PatternCompile, TrailingPercentIsIgnored)
{
    EXPECT_EQ(Tree("ab%"), "'ab'");
    EXPECT_EQ(Tree("%"), "");
    EXPECT_EQ(Tree("%(a%"), "('a')");
}

TEST(PatternCompile, SystemPatterns)
{
    EXPECT_EQ(Tree("%/0w%{%+j%e=%}%{%+0j%P\n%}"), "%w</ c0> {%j<+> %e '='} {%j<+ c0> %P '\\n'}");
    EXPECT_EQ(Tree("%{%/k%e%*0W%{%/0j%}%$%}"), "{%k</> %e %W<* c0> {%j</ c0>} %$}");
    EXPECT_EQ(Tree("type%{%/d%}%/w%{%/j%}"), "'type' {%d</>} %w</> {%j</>}");
    EXPECT_EQ(Tree("%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(ab%)%]"),
              "[('@@IF' %j<+ c0> [('\\n' %W</ c0>) %$]) ('ab')]");
    EXPECT_EQ(Tree("ITEM%!(NO%)"), "'ITEM' ('NO')<!>");
    EXPECT_EQ(Tree("\n%%%3w"), "'\\n%' %w<c3>");
}
