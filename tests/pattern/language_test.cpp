// The pattern language: the node trees the compiler builds, and what one
// occurrence of every escape, range and %z operand matches.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "pattern_test_helpers.h"

TEST(PatternCompile, RootIsAPlainGroup)
{
    for (const auto& [pattern, root] : {std::pair{"", "()"}, std::pair{"%+3.4,5(a%)b", "(('a')<+ c3 i4 m5> 'b')"}}) {
        CStrRegexStruct node;
        StrRegexCompile(pattern, &node);
        EXPECT_EQ(ptest::RenderNode(node), root);
    }
}

TEST(PatternCompile, Trees)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        // Literal runs; "%%" joins the run, which ends at an escape or the end of its body.
        {"abc", "'abc'"}, {"ab%dcd", "'ab' %d 'cd'"}, {"a%%b", "'a%b'"}, {"%%/0w", "'%/0w'"},
        {"%(ab%)cd", "('ab') 'cd'"},
        // Double-byte characters are taken whole; a lead byte before "%" is a character of its own.
        {"\x95%d", "'\\x95' %d"}, {SJ_HYO "%d", "'\\x95\\\\' %d"},
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

TEST(PatternEscapes, CharacterClasses)
{
    // "Any character except ..." takes a double-byte character whole; every
    // class fails at the end of the text.
    ptest::CheckClasses({
        // A lead byte before the terminator, or before a byte that cannot be
        // a second byte, is a character of its own.
        {"%j", {"a", SJ_HYO, "\n", "\x95"}, {""}}, {"%2j", {SJ_HYO "a", "\x95\n", "\xfc\x7f", "\xe0\xfd"}, {}},
        {"%J", {SJ_HYO, "\x81\x40", "\xfc\xfc"}, {"a", "", "\x95", "\x95\n", "\x81\x3f", "\x81\x7f", "\x81\xfd"}},
        {"%?", {"a", SJ_HW_A}, {SJ_HYO, ""}},
        {"%C", {"a", "\r", SJ_HYO}, {"\n", ""}}, {"%w", {"\t", " "}, {"\n", "\r", "a", SJ_FW_SPACE, ""}},
        {"%W", {"\t", " ", "\n", "\r"}, {"a", ""}}, {"%i", {"a", "\n", SJ_HYO, SJ_FW_SPACE}, {" ", "\t", ""}},
        {"%I", {"a", SJ_HYO}, {"\n", "\r", " ", "\t", ""}}, {"%d", {"0", "9"}, {"/", ":", SJ_FW_ZERO, ""}},
        {"%D", {"a", SJ_FW_ZERO}, {"5", ""}}, {"%a", {"a", "z"}, {"A", "`", "{", SJ_FW_LOWER_A}},
        {"%A", {"A", "Z"}, {"a", "@", "["}}, {"%l", {"a", "Z"}, {"_", SJ_A_KATA}},
        {"%b", {"1", "_", SJ_A_KATA}, {"a", ""}},  // the second byte "A" belongs to the character
        {"%L", {"a", "Z", "5"}, {"_"}}, {"%B", {"_", SJ_A_KATA}, {"a", "5", ""}},
        {"%s", {"_", "a", "5"}, {"-", SJ_A_KATA}}, {"%S", {"-", SJ_A_KATA}, {"_", ""}}, {"%x", {"0", "f"}, {"F", "g"}},
        {"%X", {"9", "F"}, {"f", "G"}}, {"%n", {"f", "F", "7"}, {"g"}}, {"%N", {"g", SJ_A_KATA}, {"a", "A", "0", ""}},
        {"%k", {"!", "~"}, {" ", "\x7f", SJ_HW_A, SJ_A_KATA}}, {"%K", {"a", SJ_A_KATA}, {" ", "\t", SJ_HW_A, ""}},
        {"%y", {"!", "/", ":", "@", "[", "`", "{", "~"}, {"0", "A", "a", " "}},
        {"%Y", {"a", " ", SJ_A_KATA}, {"!", ""}}, {"%c", {"\x01", "\t", "\x1f", "\x7f"}, {" ", "\x80", ""}},
        // Ranges compare signed bytes: 0xA0 is -96, so "%-\xa0\x7e" runs from
        // -96 to 0x7E, and the range from 1 to 0xDF (-33) is empty.
        {"%-09", {"5"}, {"a", ""}}, {"%2-09", {"12"}, {}}, {"%-az", {}, {SJ_A_KATA}},
        {"%-\xa0\x7e", {"a", SJ_HW_A}, {}}, {"%-\x01\xdf", {}, {"a"}},
        {"%-" SJ_HYO "~", {"a"}, {"\t"}},  // a blank bound from a double-byte character
        // %z repeats or negates one literal character, double-byte ones whole.
        {"%z-", {"-"}, {}}, {"%/z\t", {}, {"x"}}, {"%3z" SJ_HYO, {SJ_HYO SJ_HYO SJ_HYO}, {}},
        {"%2z" SJ_HYO, {}, {SJ_HYO SJ_BU}}, {"%z%%", {"%"}, {}}, {"%!z\\", {""}, {"\\"}},
        // The empty pattern matches empty; "%[ab%]" is one character of two.
        {"", {""}, {}}, {"%%/0w", {"%/0w"}, {"  "}}, {"%[ab%]", {"a", "b"}, {}},
        {"%[%(ab%)%(c%)%]", {"ab", "c"}, {"a"}},
    });
    ptest::CheckRows({
        {"%-\x80\xff", SJ_HYO, 1},  // a range consumes one byte, also a lead byte
        {"%/z\t", "\t\t\tx", 3}, {"%!z\\", "a", 0}, {"", "abc", 0}, {"%[ab%]c", "abc", -1},
        // A lead byte before "%" in a pattern is a literal byte of its own; in
        // a text, one before a tab or a line feed is a character of its own.
        {"\x81%d", "\x81" "5", 2}, {"%[\x81%]%d", "\x81" "5", 2}, {"%z\x81%d", "\x81" "5", 2},
        {"%i%w", "\x81\t", 2}, {"%C%G", "\x81\n", 1},
        // Anchors at the end of the text and of a line.
        {"%$", "", 0}, {"%$", "a", -1}, {"a%$", "ab", -1}, {"%G", "", 0}, {"%G", "\n", 0}, {"%G", "a", -1},
        {"a%G", "a\n", 1},
    });
}
