// The two entry points: scanning, options, hit lists, match functions,
// match history, replacement templates, and the system's own patterns.
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
using ptest::SearchStr;

namespace {

const char* const kSettingsLine = "%/0w%{%+j%e=%}%{%+0j%P\n%}";
const char* const kTrim = "%/0W%{%+0j%e%/0W%$%}";
const char* const kTrimNonEmpty = "%/0W%{%+j%e%/0W%$%}";

const char* const kBlocksIncludeOff =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "INCLUDE%)%(IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";
const char* const kBlocksIncludeOn =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";

// The blocks that the reader's split pattern cuts out of `text`.
std::vector<std::string> Blocks(const std::string& text, const char* pattern)
{
    CStrRegexHitList hits;
    int32_t n = StrRegex(text.c_str(), pattern, "gi", nullptr, nullptr, &hits);
    std::vector<std::string> out;
    EXPECT_EQ(static_cast<uint32_t>(n), hits.GetCount());
    for (uint32_t i = 0; i < hits.GetCount(); ++i)
        out.push_back(text.substr(hits[i].offset, hits[i].length));
    return out;
}

std::string Join(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& p : parts)
        out += p;
    return out;
}

}  // namespace

TEST(PatternSearch, StringSearchAlsoTriesTheEndPosition)
{
    // Empty matches at 0, 1 and 2 against 0 and 1 only.
    ptest::Found s = SearchStr("ab", "%/0w", "g");
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.hits, (std::vector<Hit>{{0, 0}, {1, 0}, {2, 0}}));
    ptest::Found p = Search("ab", "%/0w", "g");
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(p.hits, (std::vector<Hit>{{0, 0}, {1, 0}}));
    // An empty text: only the string entry point tries a position.
    EXPECT_EQ(SearchStr("", "", "g").count, 1);
    EXPECT_EQ(Search("", "", "g").count, 0);
}

TEST(PatternSearch, NegationSearch)
{
    // "%!d" without options.
    EXPECT_EQ(Search("12a", "%!d", "").count, 1);
    EXPECT_EQ(Search("12a", "%!d", "").hits, (std::vector<Hit>{{2, 0}}));
    EXPECT_EQ(Search("123", "%!d", "").count, 0);
    EXPECT_EQ(SearchStr("123", "%!d", "").hits, (std::vector<Hit>{{3, 0}}));
}

TEST(PatternSearch, OptionG)
{
    EXPECT_EQ(Search("aaa", "a", "").count, 1);
    EXPECT_EQ(Search("aaa", "a", "g").count, 3);
    EXPECT_EQ(Search("xaxa", "a", "g").hits, (std::vector<Hit>{{1, 1}, {3, 1}}));
    EXPECT_EQ(Search("aaaa", "aa", "g").hits, (std::vector<Hit>{{0, 2}, {2, 2}}));
    // Letters are found anywhere in the options; other characters are ignored.
    EXPECT_EQ(Search("aaa", "a", "x g").count, 3);
    EXPECT_EQ(Search("aaa", "a", "G").count, 1);
    EXPECT_EQ(Search("aAa", "a", "ig").count, 3);
}

TEST(PatternSearch, OptionS)
{
    EXPECT_EQ(Search("baa", "a", "s").count, 0);
    EXPECT_EQ(Search("aab", "a", "s").count, 1);
    EXPECT_EQ(Search("aaba", "a", "gs").count, 2);
    EXPECT_EQ(Search("baa", "a", "sg").count, 0);
    EXPECT_EQ(Search("aab", "a", "gs").hits, (std::vector<Hit>{{0, 1}, {1, 1}}));
}

TEST(PatternSearch, OptionI)
{
    EXPECT_EQ(Search("xABC", "abc", "").count, 0);
    EXPECT_EQ(Search("xABC", "abc", "i").hits, (std::vector<Hit>{{1, 3}}));
    EXPECT_EQ(Search("ABC", "aBc", "i").count, 1);
    EXPECT_EQ(Anchored("%[xa%]", "A", "i"), 1);
    // Double-byte characters are compared byte for byte.
    EXPECT_EQ(Search(SJ_DI_KATA, SJ_A_KATA, "i").count, 0);
    EXPECT_EQ(Search(SJ_FW_UPPER_A, SJ_FW_LOWER_A, "i").count, 0);
    EXPECT_EQ(Search("x" SJ_HYO "A", SJ_HYO "a", "i").hits, (std::vector<Hit>{{1, 3}}));
    // Text ending inside a literal fails.
    EXPECT_EQ(Search("AB", "abc", "i").count, 0);
    // Classes are not affected.
    EXPECT_EQ(Anchored("%a", "A", "i"), -1);
    // The flag is set anew by every call.
    EXPECT_EQ(Search("A", "a", "").count, 0);
}

TEST(PatternSearch, CaseFoldingTouchesLettersOnly)
{
    EXPECT_EQ(Search("[", "{", "i").count, 0);
    EXPECT_EQ(Search("@", "`", "i").count, 0);
    EXPECT_EQ(Search("^", "~", "i").count, 0);
    EXPECT_EQ(Search(SJ_HW_A, SJ_HW_A, "i").count, 1);
    EXPECT_EQ(Search("a\x95", "%j", "g").count, 2);
    EXPECT_EQ(Anchored("\x95", "\x95"), 1);
}

TEST(PatternSearch, StartOffsetWithOptionS)
{
    ptest::Found f = SearchStr("xaab", "a", "gs", 1);
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 1}, {2, 1}}));
    EXPECT_EQ(SearchStr("xab", "a", "s", 2).count, 0);
}

TEST(PatternSearch, HitListsInSearchModeAreSubjectOffsets)
{
    ptest::Found f = SearchStr("a12b345", "%/d", "g");
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 2}, {4, 3}}));
    f = SearchStr("aaa", "a", "g", 1);
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{1, 1}, {2, 1}}));
    // The hit list is cleared by the call.
    CStrRegexHitList hits;
    hits.Add()->offset = 99;
    EXPECT_EQ(StrRegex("xa", "a", "", nullptr, nullptr, &hits), 1);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{1, 1}}));
}

TEST(PatternSearch, CapturesAndHistory)
{
    // Without "g" the capture list holds the captures of the first match.
    ptest::Found f = Search("a1b2", "%{%d%}", "");
    EXPECT_EQ(f.caps, (Caps{"1"}));
    EXPECT_EQ(f.history, (std::vector<Caps>{{"1"}}));
    // With "g" it is cleared after each match; the history keeps a copy of each.
    f = Search("a1b2", "%{%a%}%{%d%}", "g");
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.caps, Caps{});
    EXPECT_EQ(f.history, (std::vector<Caps>{{"a", "1"}, {"b", "2"}}));
    f = SearchStr("a1b2", "%{%d%}", "g");
    EXPECT_EQ(f.history, (std::vector<Caps>{{"1"}, {"2"}}));

    // The history is only appended to; the capture list is cleared first.
    CStrRegexHistory history;
    *history.Add()->Add() = "old";
    CStrRegexMatchStruct caps;
    *caps.Add() = "stale";
    EXPECT_EQ(StrRegex("x9", "%{%d%}", "", &caps, &history), 1);
    EXPECT_EQ(ptest::ToCaps(caps), (Caps{"9"}));
    EXPECT_EQ(ptest::ToHistory(history), (std::vector<Caps>{{"old"}, {"9"}}));
    EXPECT_EQ(StrRegex("x", "%{%d%}", "", &caps, &history), 0);
    EXPECT_EQ(ptest::ToCaps(caps), Caps{});
    EXPECT_EQ(history.GetCount(), 2u);

    // Optional results may be left out.
    EXPECT_EQ(StrRegex("abab", "b", "g"), 2);
    CStr_base<32> s("abab");
    EXPECT_EQ(s.Regex("b", "g"), 2);
}

TEST(PatternSearch, PlainSearchMatchFunction)
{
    std::vector<Hit> seen;
    std::vector<Caps> seenCaps;
    auto reject0 = [&](const char* at, uint32_t offset, uint32_t length, CStrRegexMatchStruct* caps) -> int32_t {
        seen.emplace_back(offset, length);
        seenCaps.push_back(ptest::ToCaps(*caps));
        EXPECT_EQ(*at, 'a');
        return offset == 0 ? -1 : static_cast<int32_t>(length);
    };
    CStrRegexHitList hits;
    CStrRegexMatchStruct caps;
    EXPECT_EQ(StrRegex("aXa", "%{a%}", "g", &caps, nullptr, &hits, reject0), 1);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{2, 1}}));
    EXPECT_EQ(seen, (std::vector<Hit>{{0, 1}, {2, 1}}));
    ASSERT_EQ(seenCaps.size(), 2u);
    EXPECT_EQ(seenCaps[0], (Caps{"a"}));
    ASSERT_FALSE(seenCaps[1].empty());
    EXPECT_EQ(seenCaps[1].back(), "a");

    // The answer replaces the length.
    auto longer = [](const char*, uint32_t offset, uint32_t length, CStrRegexMatchStruct*) -> int32_t {
        return offset == 0 ? 3 : static_cast<int32_t>(length);
    };
    EXPECT_EQ(StrRegex("aaaaa", "a", "g", nullptr, nullptr, &hits, longer), 3);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 3}, {3, 1}, {4, 1}}));

    // A zero length: the scan goes on at the next character.
    auto empty = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return 0; };
    EXPECT_EQ(StrRegex("abab", "ab", "g", nullptr, nullptr, &hits, empty), 2);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 0}, {2, 0}}));

    // A rejection with "s" ends the scan.
    auto rejectAll = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return -5; };
    EXPECT_EQ(StrRegex("aaa", "a", "gs", nullptr, nullptr, &hits, rejectAll), 0);
}

TEST(PatternSearch, StringMatchFunctionInSearchMode)
{
    CStr_base<32> s("aXaa");
    CStrRegexHitList hits;
    std::vector<Hit> seen;
    auto fn = [&](const char* at, uint32_t offset, uint32_t length, const char* replace, CStr_base<16384>*,
                  CStrRegexMatchStruct*) -> int32_t {
        seen.emplace_back(offset, length);
        EXPECT_TRUE(replace == nullptr || *replace == 0);
        EXPECT_EQ(*at, 'a');
        if (offset == 0)
            return -1;  // reject
        if (offset == 2)
            return 2;  // longer
        return -2;     // unchanged
    };
    EXPECT_EQ(s.Regex("a", "g", nullptr, nullptr, nullptr, 0, &hits, fn), 1);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{2, 2}}));
    EXPECT_EQ(seen, (std::vector<Hit>{{0, 1}, {2, 1}}));
    EXPECT_EQ(s, "aXaa");

    seen.clear();
    auto keep = [&](const char*, uint32_t offset, uint32_t length, const char*, CStr_base<16384>*,
                    CStrRegexMatchStruct*) -> int32_t {
        seen.emplace_back(offset, length);
        return -2;
    };
    EXPECT_EQ(s.Regex("a", "g", nullptr, nullptr, nullptr, 0, &hits, keep), 3);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 1}, {2, 1}, {3, 1}}));
}

TEST(PatternReplace, BasicReplacement)
{
    // Every tab becomes a blank.
    ptest::Replaced r = Replace("a\tb\t\tc", "\t", "g", " ");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.text, "a b  c");
    // Without "g" only the first match is replaced.
    r = Replace("bab a", "a", "", "X");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.text, "bXb a");
    // No match: the subject stays.
    r = Replace("bbb", "a", "g", "X");
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.text, "bbb");
    // The writer's line-end indentation.
    r = Replace("a\r\nb\r\n", "\r\n", "g", "\r\n\t\t");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.text, "a\r\n\t\tb\r\n\t\t");
    // Double-byte characters are copied whole.
    r = Replace(SJ_HYO "\\" SJ_SO, "\\", "g", "/");
    EXPECT_EQ(r.text, SJ_HYO "/" SJ_SO);
    // The replacement may be empty.
    r = Replace("a-b-c", "-", "g", "");
    EXPECT_EQ(r.text, "abc");
}

TEST(PatternReplace, AnchorsAndEmptyMatchesInReplaceMode)
{
    ptest::Replaced r = Replace("a b", "%*0W", "g", "-");
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.text, "-a--b-");
    r = Replace("aaa", "%^a", "g", "X");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.text, "Xaa");
    // %g also matches at the end of a text that ends in a line feed.
    r = Replace("a\nb\n", "%g", "g", "> ");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.text, "> a\n> b\n> ");
    r = Replace("bab a", "a", "", "XY");
    EXPECT_EQ(r.hits, (std::vector<Hit>{{1, 2}}));
    // Replace mode also appends to the history.
    CStr_base<32> s("a1b2");
    CStrRegexHistory history;
    EXPECT_EQ(s.Regex("%{%d%}", "g", nullptr, "#", &history), 2);
    EXPECT_EQ(s, "a#b#");
    EXPECT_EQ(ptest::ToHistory(history), (std::vector<Caps>{{"1"}, {"2"}}));
}

TEST(PatternReplace, OptionSEndsTheScanAtTheFirstFailure)
{
    ptest::Replaced r = Replace("aabaa", "a", "gs", "X");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.text, "XXbaa");
    r = Replace("baa", "a", "gs", "X");
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.text, "baa");
    r = Replace("aab", "a", "s", "X");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.text, "Xab");
}

TEST(PatternReplace, EmptyMatchesAndOutputOffsets)
{
    ptest::Replaced r = Replace("ab", "%/0w", "g", "-");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.text, "-a-b-");
    EXPECT_EQ(r.hits, (std::vector<Hit>{{0, 1}, {2, 1}, {4, 1}}));

    r = Replace("a12b345", "%{%/d%}", "g", "<%0v>");
    EXPECT_EQ(r.text, "a<12>b<345>");
    EXPECT_EQ(r.hits, (std::vector<Hit>{{1, 4}, {6, 5}}));

    r = Replace("xx", "x", "g", "");
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(r.hits, (std::vector<Hit>{{0, 0}, {0, 0}}));
}

TEST(PatternReplace, Templates)
{
    EXPECT_EQ(Replace("5", "%{%d%}", "", "%0v%%").text, "5%");
    EXPECT_EQ(Replace("ab", "%{a%}%{b%}", "", "%0V%1V").text, "ba");
    EXPECT_EQ(Replace("ab", "%{a%}%{b%}", "", "%1v%0v").text, "ba");
    // A capture that does not exist inserts nothing; "%q" inserts "q".
    EXPECT_EQ(Replace("ab", "%{a%}%{b%}", "", "[%5v]").text, "[]");
    EXPECT_EQ(Replace("ab", "%{a%}%{b%}", "", "[%5V]").text, "[]");
    EXPECT_EQ(Replace("x", "x", "", "%q").text, "q");
    EXPECT_EQ(Replace("x", "x", "", "%3q").text, "q");
    EXPECT_EQ(Replace("x", "x", "", "100%%").text, "100%");
    // A double-byte character is copied whole, even with "%" as its second byte.
    EXPECT_EQ(Replace("x", "x", "", "\x95%" "0v").text, "\x95%" "0v");
    EXPECT_EQ(Replace("x", "%{x%}", "", SJ_HYO "%0v").text, SJ_HYO "x");
    // Two-digit capture numbers.
    EXPECT_EQ(Replace("abcdefghijkl", "%12{%j%}", "", "%11v%10v%0v").text, "lka");
    // Captures of the match being replaced.
    EXPECT_EQ(Replace("k1=v1;k2=v2", "%{%/L%}=%{%/L%}", "g", "%1v=%0v").text, "v1=k1;v2=k2");
}

TEST(PatternReplace, TrimEdgeCases)
{
    ptest::Replaced r = Replace("  abc  ", kTrim, "s", "%0v");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.text, "abc");
    EXPECT_EQ(Replace("\t a b \r\n", kTrim, "s", "%0v").text, "a b");
    EXPECT_EQ(Replace("abc", kTrim, "s", "%0v").text, "abc");
    EXPECT_EQ(Replace(" " SJ_KEN SJ_FW_SPACE " ", kTrim, "s", "%0v").text, SJ_KEN SJ_FW_SPACE);
    r = Replace("", kTrim, "s", "%0v");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.text, "");
    r = Replace("   ", kTrimNonEmpty, "s", "%0v");
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.text, "   ");
    EXPECT_EQ(Replace(" x ", kTrimNonEmpty, "s", "%0v").text, "x");
}

TEST(PatternReplace, StringMatchFunctionInReplaceMode)
{
    // -1 rejects (the character is copied), -2 keeps the match and its
    // template expansion, any other value means the function wrote the output.
    CStr_base<32> s("aXaa");
    CStrRegexHitList hits;
    auto fn = [](const char*, uint32_t offset, uint32_t, const char* replace, CStr_base<16384>* out,
                 CStrRegexMatchStruct* caps) -> int32_t {
        EXPECT_STREQ(replace, "<%0v>");
        if (offset == 0)
            return -1;
        if (offset == 2)
            return -2;
        out->Append("[");
        out->Append((*caps)[0]);
        out->Append("]");
        return 1;
    };
    EXPECT_EQ(s.Regex("%{a%}", "g", nullptr, "<%0v>", nullptr, 0, &hits, fn), 2);
    EXPECT_EQ(s, "aX<a>[a]");
    // A match the function took over is recorded with its subject position.
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{2, 3}, {3, 1}}));
}

TEST(PatternReadings, SettingsLine)
{
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "\tSaveAutoBackup=ON"), (Caps{"SaveAutoBackup", "ON"}));
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "key="), (Caps{"key", ""}));
    EXPECT_EQ(Anchored(kSettingsLine, "=x"), -1);
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "=x"), Caps{});
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "a=b=c"), (Caps{"a", "b=c"}));
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "  key = v "), (Caps{"key ", " v "}));
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "k=v\nnext=1"), (Caps{"k", "v"}));
    EXPECT_EQ(AnchoredCaps(kSettingsLine, "Path=C:\\" SJ_HYO "\\x"), (Caps{"Path", "C:\\" SJ_HYO "\\x"}));
    EXPECT_EQ(Anchored(kSettingsLine, "[Custom]"), -1);
    EXPECT_EQ(Anchored(kSettingsLine, "\tSaveAutoBackup=ON"), 18);
    // The full settings-file flow: one Regex call per line with option "s".
    CStr_base<64> line("Info[0]=C:\\data\\inc-item-data.cgi");
    CStrRegexMatchStruct caps;
    EXPECT_EQ(line.Regex(kSettingsLine, "s", &caps), 1);
    EXPECT_EQ(ptest::ToCaps(caps), (Caps{"Info[0]", "C:\\data\\inc-item-data.cgi"}));
}

TEST(PatternReadings, KeyValueSplitOfElementLines)
{
    const char* items = "%{%/k%e%/0W%{%/0j%}%$%}";
    const char* events = "%{%/k%e%*0W%{%/0j%}%$%}";
    EXPECT_EQ(AnchoredCaps(items, "price\t100"), (Caps{"100", "price"}));
    EXPECT_EQ(AnchoredCaps(items, "name " SJ_KEN), (Caps{SJ_KEN, "name"}));
    EXPECT_EQ(AnchoredCaps(events, "name " SJ_KEN), (Caps{SJ_KEN, "name"}));
    EXPECT_EQ(AnchoredCaps(events, "param a b"), (Caps{"a b", "param"}));
    EXPECT_EQ(Anchored(items, SJ_KEN " x"), -1);
    // Words of a use line.
    ptest::Found f = Search("use\titem 1  100", "%{%+j%e%[%/W%$%]%}", "g");
    EXPECT_EQ(f.count, 4);
    EXPECT_EQ(f.history, (std::vector<Caps>{{"use"}, {"item"}, {"1"}, {"100"}}));
    // The closing line of a _local_ block is found anywhere in the line.
    EXPECT_EQ(Search("\t_local_", "%/0W_local_%/0W%[#%$%]", "").count, 1);
    EXPECT_EQ(Search("x _local_ # end", "%/0W_local_%/0W%[#%$%]", "").count, 1);
    EXPECT_EQ(Search("_local_ x", "%/0W_local_%/0W%[#%$%]", "").count, 0);
    // An event value that opens a _local_ block.
    const char* opener = "_local_%/0W%[%$%((%+0j)%$%)%]";
    EXPECT_EQ(Anchored(opener, "_local_"), 7);
    EXPECT_EQ(Anchored(opener, "_local_ (a, b)"), 14);
    EXPECT_EQ(Anchored(opener, "_local_ (a) x"), -1);
    EXPECT_EQ(Anchored(opener, "_local_x"), -1);
    // Up to two leading white-space characters.
    EXPECT_EQ(Replace("\t\t\tx", "%/0,2W", "s", "").text, "\tx");
    EXPECT_EQ(Replace(" x", "%/0,2W", "s", "").text, "x");
    // Common indentation.
    EXPECT_EQ(Replace("\t\ta\r\n\t\t\tb", "\n%2w", "g", "\n").text, "\t\ta\r\n\tb");
    EXPECT_EQ(Replace("\t\ta\r\n\t\t\tb", "%^%2w", "s", "").text, "a\r\n\t\t\tb");
}

TEST(PatternReadings, ReaderBlockSplit)
{
    const std::string text =
        "free text\n"
        "@@ITEM\nname\tsword\n@@use\nuse\tx\n@@ITEMNO 5\nx @@EVENT\n"
        "@@IF a\n  \n@@event\nname\tev # note\n"
        "  @@FuncItem\nbody\n"
        "@@include x\n"
        "@@iF b\n"
        "@@End\nrest\n@@ITEM\n";
    const std::vector<std::string> expected = {
        "free text\n",
        "@@ITEM\nname\tsword\n@@use\nuse\tx\n@@ITEMNO 5\nx @@EVENT\n",
        "@@IF a\n  \n",
        "@@event\nname\tev # note\n  ",
        "@@FuncItem\nbody\n",
        "@@include x\n",
        "@@iF b\n",
        "@@End\nrest\n",
        "@@ITEM\n",
    };
    std::vector<std::string> blocks = Blocks(text, kBlocksIncludeOff);
    EXPECT_EQ(blocks, expected);
    EXPECT_EQ(Join(blocks), text);

    // With the include-as-element flag on, "@@include" does not start a block.
    std::vector<std::string> on = Blocks(text, kBlocksIncludeOn);
    ASSERT_EQ(on.size(), expected.size() - 1);
    EXPECT_EQ(on[4], "@@FuncItem\nbody\n@@include x\n");
    EXPECT_EQ(Join(on), text);
}

TEST(PatternReadings, ReaderBlockSplitEdges)
{
    // A text that begins with a keyword; an IF line at the very end.
    EXPECT_EQ(Blocks("@@DEFINE\ntype1 a\n@@IF x", kBlocksIncludeOff),
              (std::vector<std::string>{"@@DEFINE\ntype1 a\n", "@@IF x"}));
    // Free text only.
    EXPECT_EQ(Blocks("just text\nmore\n", kBlocksIncludeOff), (std::vector<std::string>{"just text\nmore\n"}));
    // "@@ITEMNO" at the start of a line does not start a block; "@@ITEM" in
    // the middle of a line neither.
    EXPECT_EQ(Blocks("a\n@@ITEMNO\nb @@ITEM\n\t@@SKIP\n@@ENDSKIP\n", kBlocksIncludeOff),
              (std::vector<std::string>{"a\n@@ITEMNO\nb @@ITEM\n\t", "@@SKIP\n", "@@ENDSKIP\n"}));
    // The string entry point finds the same blocks.
    CStr_base<64> s("x\n@@EVENT\ny");
    CStrRegexHitList hits;
    EXPECT_EQ(s.Regex(kBlocksIncludeOff, "gi", nullptr, nullptr, nullptr, 0, &hits), 2);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 2}, {2, 9}}));
}

TEST(PatternSearch, CaptureListOwnershipIsRestored)
{
    CStrRegexMatchStruct caps;
    EXPECT_EQ(StrRegex("ab", "%{a%}%{x%}%[%]", "", &caps), 0);
    EXPECT_TRUE(caps.IsOwning());
    EXPECT_EQ(StrRegex("ab", "%{a%}", "", &caps), 1);
    EXPECT_TRUE(caps.IsOwning());
    caps.SetOwning(false);
    EXPECT_EQ(StrRegex("ab", "%{b%}", "", &caps), 1);
    EXPECT_FALSE(caps.IsOwning());
    EXPECT_EQ(ptest::ToCaps(caps), (Caps{"b"}));
    caps.SetOwning(true);
}

TEST(PatternSearch, NestedCallFromAMatchFunctionLeavesItsFlagInForce)
{
    // The ignore-case flag is process-wide: an engine call made by a match
    // function sets it for the rest of the outer call.
    int inner = 0;
    auto fn = [&](const char*, uint32_t, uint32_t length, CStrRegexMatchStruct*) -> int32_t {
        inner += StrRegex("x", "x", "");
        return static_cast<int32_t>(length);
    };
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex("aAa", "a", "gi", nullptr, nullptr, &hits, fn), 2);
    EXPECT_EQ(ptest::ToHits(hits), (std::vector<Hit>{{0, 1}, {2, 1}}));
    EXPECT_EQ(inner, 2);
}
