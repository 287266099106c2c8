// Node trees produced by the pattern compiler.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "pattern_test_helpers.h"

TEST(PatternCompile, RootIsAPlainGroup)
{
    for (const char* pattern : {"", "%+3.4,5(a%)b"}) {
        CStrRegexStruct root;
        StrRegexCompile(pattern, &root);
        EXPECT_EQ(root.kind, REGEX_KIND_GROUP);
        EXPECT_EQ(ptest::RenderAttrs(root), "");
        EXPECT_EQ(ptest::RenderBody(root.children), *pattern ? "('a')<+ c3 i4 m5> 'b'" : "");
    }
}

TEST(PatternCompile, Trees)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        // Literal runs; "%%" joins the run, which ends at an escape or the end of its body.
        {"abc", "'abc'"}, {"ab%dcd", "'ab' %d 'cd'"}, {"a%%b", "'a%b'"}, {"%%/0w", "'%/0w'"},
        {"%(ab%)cd", "('ab') 'cd'"},
        // Double-byte characters are taken whole: their second byte is no "%" or backslash.
        {"\x95%d", "'\\x95%d'"}, {SJ_HYO "%d", "'\\x95\\\\' %d"},
        // Prefix and numbers; digits without a length limit.
        {"%*{a%}", "{'a'}<*>"}, {"%!2[ab%]", "['a' 'b']<! c2>"}, {"%/0w", "%w</ c0>"}, {"%0012d", "%d<c12>"},
        {"%123456789d", "%d<c123456789>"}, {"%.5d", "%d<i5>"}, {"%,7d", "%d<m7>"},
        // Closing designators close any body; at the top level they end the pattern.
        {"%(a%}b", "('a') 'b'"}, {"%{a%]%[b%)", "{'a'} ['b']"}, {"%(%{%[a%]%)%}z", "({['a']}) 'z'"}, {"ab%)cd", "'ab'"},
        {"%}x", ""},
        // Bodies still open close at the end.
        {"%(ab", "('ab')"}, {"%{%[a", "{['a']}"},
        // Inside alternatives every literal character is a node of its own.
        {"%[;\t %]", "[';' '\\t' ' ']"}, {"%[a%%b%]", "['a' '%' 'b']"}, {"%[" SJ_HYO "x%]", "['\\x95\\\\' 'x']"},
        {"%[a%(bc%)d%]", "['a' ('bc') 'd']"}, {"%[%p%P%$%]", "[%p %P %$]"},
        // Markers and anchors drop prefix and numbers.
        {"%*3.4,5$", "%$"}, {"%/2P", "%P"}, {"%+^", "%^"}, {"%3e", "%e"}, {"%!1,2p", "%p"},
        // v, V, h, t, u, U: the number before the dot is the index, after it the count.
        {"%v", "%v"}, {"%0v", "%v<i0>"}, {"%3.2v", "%v<c2 i3>"}, {"%1V", "%V<i1>"}, {"%2h", "%h<i2>"},
        {"%4t", "%t<i4>"}, {"%0u", "%u<i0>"}, {"%1.3U", "%U<c3 i1>"}, {"%/0u", "%u</ i0>"}, {"%3d", "%d<c3>"},
        // Ranges; a double-byte bound becomes a blank and both its bytes are skipped.
        {"%-09", "-09"}, {"%/-az", "-az</>"}, {"%-ab%d", "-ab %d"}, {"%-\x80\xff", "-\\x80\\xff"},
        {"%-" SJ_HYO "z", "- z"}, {"%-a" SJ_HYO "x", "-a  'x'"}, {"%-" SJ_HYO SJ_HYO "x", "-   'x'"},
        // With fewer than two characters the "-" is dropped.
        {"%-a", "'a'"}, {"%-", ""},
        // %z takes the next literal character (or the "%" of "%%") as its operand.
        {"%/z\t", "%z</>='\\t'"}, {"%z%%", "%z='%'"}, {"%z" SJ_HYO "a", "%z='\\x95\\\\' 'a'"},
        {"%3zab", "%z<c3>='a' 'b'"}, {"%!z\\", "%z<!>='\\\\'"},
        // Unknown letters are read again as literals; a trailing "%" is ignored.
        {"%Q", "'Q'"}, {"%+2.3,4Q", "'Q'"}, {"%[a%#%]", "['a' '#']"}, {"ab%", "'ab'"}, {"%(a%", "('a')"},
        // The system's own patterns.
        {"%/0w%{%+j%e=%}%{%+0j%P\n%}", "%w</ c0> {%j<+> %e '='} {%j<+ c0> %P '\\n'}"},
        {"%{%/k%e%*0W%{%/0j%}%$%}", "{%k</> %e %W<* c0> {%j</ c0>} %$}"},
        {"type%{%/d%}%/w%{%/j%}", "'type' {%d</>} %w</> {%j</>}"},
        {"%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(ab%)%]", "[('@@IF' %j<+ c0> [('\\n' %W</ c0>) %$]) ('ab')]"},
        {"ITEM%!(NO%)", "'ITEM' ('NO')<!>"}, {"\n%%%3w", "'\\n%' %w<c3>"},
        {"%{%0u%}%!z\\%P", "{%u<i0>} %z<!>='\\\\' %P"},
    };
    for (const auto& [pattern, tree] : rows)
        EXPECT_EQ(ptest::Tree(pattern), tree) << ptest::RenderBytes(pattern, strlen(pattern));
}

TEST(PatternCompile, EveryEscapeLetterMakesAnEscapeNode)
{
    for (char c : std::string("$^gGjJ?CwWiIdDaAlbLBsSxXnNkKyYcvVuUTHhtepP")) {
        const std::string pattern = std::string("%") + c;
        EXPECT_EQ(ptest::Tree(pattern.c_str()), pattern);
    }
}
