// The two entry points: scanning, options, hit lists, match functions,
// match history, replacement templates, and the system's own patterns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hits;
using ptest::Replace;
using ptest::Search;
using ptest::SearchStr;

namespace {

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
    ptest::Found f = Search(text, pattern, "gi");
    EXPECT_EQ(static_cast<size_t>(f.count), f.hits.size());
    std::vector<std::string> out;
    for (const ptest::Hit& h : f.hits)
        out.push_back(text.substr(h.first, h.second));
    return out;
}

struct SearchRow {
    std::string text;
    const char* pattern;
    const char* options;
    Hits hits;  // also gives the count
};

}  // namespace

TEST(PatternSearch, ScanAndOptions)
{
    const std::vector<SearchRow> plain = {
        // The plain search never tries the end position, nor any position of an empty text.
        {"ab", "%/0w", "g", {{0, 0}, {1, 0}}}, {"", "", "g", {}}, {"12a", "%!d", "", {{2, 0}}}, {"123", "%!d", "", {}},
        // "g" goes on after a match; option letters count anywhere in the options text.
        {"aaa", "a", "", {{0, 1}}}, {"xaxa", "a", "g", {{1, 1}, {3, 1}}}, {"aaaa", "aa", "g", {{0, 2}, {2, 2}}},
        {"aaa", "a", "x g", {{0, 1}, {1, 1}, {2, 1}}}, {"aaa", "a", "G", {{0, 1}}},
        {"aAa", "a", "ig", {{0, 1}, {1, 1}, {2, 1}}},
        // "s" stops at the first position where no match starts.
        {"baa", "a", "s", {}}, {"aab", "a", "s", {{0, 1}}}, {"aaba", "a", "gs", {{0, 1}, {1, 1}}},
        {"baa", "a", "sg", {}},
        // "i" folds single-byte letters only, and every call sets it anew.
        {"xABC", "abc", "", {}}, {"xABC", "abc", "i", {{1, 3}}}, {"A", "a", "", {}}, {"AB", "abc", "i", {}},
        {SJ_DI_KATA, SJ_A_KATA, "i", {}}, {SJ_FW_UPPER_A, SJ_FW_LOWER_A, "i", {}},
        {"x" SJ_HYO "A", SJ_HYO "a", "i", {{1, 3}}}, {"[", "{", "i", {}}, {"@", "`", "i", {}}, {"^", "~", "i", {}},
        {SJ_HW_A, SJ_HW_A, "i", {{0, 1}}}, {"a\x95", "%j", "g", {{0, 1}, {1, 1}}},
    };
    for (const SearchRow& r : plain) {
        SCOPED_TRACE(ptest::Trace(r.pattern, r.text) + " options " + r.options);
        ptest::Found f = Search(r.text, r.pattern, r.options);
        EXPECT_EQ(f.count, static_cast<int32_t>(r.hits.size()));
        EXPECT_EQ(f.hits, r.hits);
    }
    // The string search also tries the end position; its hits are subject
    // offsets, also from a start offset.
    EXPECT_EQ(SearchStr("ab", "%/0w", "g").hits, (Hits{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(SearchStr("", "", "g").hits, (Hits{{0, 0}}));
    EXPECT_EQ(SearchStr("123", "%!d", "").hits, (Hits{{3, 0}}));
    EXPECT_EQ(SearchStr("a12b345", "%/d", "g").hits, (Hits{{1, 2}, {4, 3}}));
    EXPECT_EQ(SearchStr("aaa", "a", "g", 1).hits, (Hits{{1, 1}, {2, 1}}));
    EXPECT_EQ(SearchStr("xaab", "a", "gs", 1).hits, (Hits{{1, 1}, {2, 1}}));
    EXPECT_EQ(SearchStr("xab", "a", "s", 2).count, 0);
    ptest::CheckRows({
        {"%[xa%]", "A", 1, "i"},
        {"%a", "A", -1, "i"},  // classes are not affected by "i"
        {"\x95", "\x95", 1},
    });
}

TEST(PatternSearch, CapturesHistoryAndHitList)
{
    // Without "g" the capture list holds the captures of the first match;
    // with "g" it is cleared after each match and the history keeps a copy.
    ptest::Found f = Search("a1b2", "%{%d%}", "");
    EXPECT_EQ(f.caps, (Caps{"1"}));
    EXPECT_EQ(f.history, (std::vector<Caps>{{"1"}}));
    f = Search("a1b2", "%{%a%}%{%d%}", "g");
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.caps, Caps{});
    EXPECT_EQ(f.history, (std::vector<Caps>{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(SearchStr("a1b2", "%{%d%}", "g").history, (std::vector<Caps>{{"1"}, {"2"}}));

    // The history is only appended to; capture list and hit list are cleared first.
    CStrRegexHistory history;
    *history.Add()->Add() = "old";
    CStrRegexMatchStruct caps;
    *caps.Add() = "stale";
    CStrRegexHitList hits;
    hits.Add()->offset = 99;
    EXPECT_EQ(StrRegex("x9", "%{%d%}", "", &caps, &history, &hits), 1);
    EXPECT_EQ(ptest::ToCaps(caps), (Caps{"9"}));
    EXPECT_EQ(ptest::ToHistory(history), (std::vector<Caps>{{"old"}, {"9"}}));
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{1, 1}}));
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
    std::vector<ptest::Hit> seen;
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
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{2, 1}}));
    EXPECT_EQ(seen, (Hits{{0, 1}, {2, 1}}));
    ASSERT_EQ(seenCaps.size(), 2u);
    EXPECT_EQ(seenCaps[0], (Caps{"a"}));
    ASSERT_FALSE(seenCaps[1].empty());
    EXPECT_EQ(seenCaps[1].back(), "a");

    // The answer replaces the length; a zero length goes on at the next character.
    auto longer = [](const char*, uint32_t offset, uint32_t length, CStrRegexMatchStruct*) -> int32_t {
        return offset == 0 ? 3 : static_cast<int32_t>(length);
    };
    EXPECT_EQ(StrRegex("aaaaa", "a", "g", nullptr, nullptr, &hits, longer), 3);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 3}, {3, 1}, {4, 1}}));
    auto empty = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return 0; };
    EXPECT_EQ(StrRegex("abab", "ab", "g", nullptr, nullptr, &hits, empty), 2);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 0}, {2, 0}}));

    // A rejection with "s" ends the scan.
    auto rejectAll = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return -5; };
    EXPECT_EQ(StrRegex("aaa", "a", "gs", nullptr, nullptr, &hits, rejectAll), 0);
}

TEST(PatternSearch, StringMatchFunction)
{
    // Search mode: -1 rejects, -2 keeps the match, any other value is its length.
    CStr_base<32> s("aXaXa");
    CStrRegexHitList hits;
    std::vector<ptest::Hit> seen;
    auto fn = [&](const char* at, uint32_t offset, uint32_t length, const char* replace, CStr_base<16384>*,
                  CStrRegexMatchStruct*) -> int32_t {
        seen.emplace_back(offset, length);
        EXPECT_TRUE(replace == nullptr || *replace == 0);
        EXPECT_EQ(*at, 'a');
        return offset == 0 ? -1 : offset == 2 ? 2 : -2;
    };
    EXPECT_EQ(s.Regex("a", "g", nullptr, nullptr, nullptr, 0, &hits, fn), 2);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{2, 2}, {4, 1}}));
    EXPECT_EQ(seen, (Hits{{0, 1}, {2, 1}, {4, 1}}));
    EXPECT_EQ(s, "aXaXa");
    s = "aXaa";

    // Replace mode: -1 rejects (the character is copied), -2 keeps the match
    // and its template expansion, any other value means the function wrote
    // the output; such a match is recorded with its subject position.
    auto writer = [](const char*, uint32_t offset, uint32_t, const char* replace, CStr_base<16384>* out,
                     CStrRegexMatchStruct* caps) -> int32_t {
        EXPECT_STREQ(replace, "<%0v>");
        if (offset != 3)
            return offset == 0 ? -1 : -2;
        out->Append("[");
        out->Append((*caps)[0]);
        out->Append("]");
        return 1;
    };
    EXPECT_EQ(s.Regex("%{a%}", "g", nullptr, "<%0v>", nullptr, 0, &hits, writer), 2);
    EXPECT_EQ(s, "aX<a>[a]");
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{2, 3}, {3, 1}}));
}

TEST(PatternReplace, Replacements)
{
    ptest::CheckReplacements({
        {"a\tb\t\tc", "\t", "g", " ", 3, "a b  c"}, {"bab a", "a", "", "X", 1, "bXb a"},
        {"bbb", "a", "g", "X", 0, "bbb"}, {"a\r\nb\r\n", "\r\n", "g", "\r\n\t\t", 2, "a\r\n\t\tb\r\n\t\t"},
        {SJ_HYO "\\" SJ_SO, "\\", "g", "/", 1, SJ_HYO "/" SJ_SO}, {"a-b-c", "-", "g", "", 2, "abc"},
        // Empty matches copy the character after them; anchors follow the origin.
        {"a b", "%*0W", "g", "-", 4, "-a--b-"}, {"ab", "%/0w", "g", "-", 3, "-a-b-"},
        {"aaa", "%^a", "g", "X", 1, "Xaa"}, {"a\nb\n", "%g", "g", "> ", 3, "> a\n> b\n> "},
        // With "s" the first failing position ends the scan; the rest stays.
        {"aabaa", "a", "gs", "X", 2, "XXbaa"}, {"baa", "a", "gs", "X", 0, "baa"}, {"aab", "a", "s", "X", 1, "Xab"},
        // Templates: %Nv, %NV, "%%"; a missing capture inserts nothing, "%q" inserts "q".
        {"5", "%{%d%}", "", "%0v%%", 1, "5%"}, {"ab", "%{a%}%{b%}", "", "%0V%1V", 1, "ba"},
        {"ab", "%{a%}%{b%}", "", "%1v%0v", 1, "ba"}, {"ab", "%{a%}%{b%}", "", "[%5v][%5V]", 1, "[][]"},
        {"x", "x", "", "%q%3q", 1, "qq"}, {"x", "x", "", "100%%", 1, "100%"},
        {"x", "x", "", "\x95%" "0v", 1, "\x95%" "0v"},  // "%" as a second byte
        {"x", "%{x%}", "", SJ_HYO "%0v", 1, SJ_HYO "x"}, {"abcdefghijkl", "%12{%j%}", "", "%11v%10v%0v", 1, "lka"},
        {"k1=v1;k2=v2", "%{%/L%}=%{%/L%}", "g", "%1v=%0v", 2, "v1=k1;v2=k2"},
        // Trimming.
        {"  abc  ", kTrim, "s", "%0v", 1, "abc"}, {"\t a b \r\n", kTrim, "s", "%0v", 1, "a b"},
        {"abc", kTrim, "s", "%0v", 1, "abc"}, {" " SJ_KEN SJ_FW_SPACE " ", kTrim, "s", "%0v", 1, SJ_KEN SJ_FW_SPACE},
        {"", kTrim, "s", "%0v", 1, ""}, {"   ", kTrimNonEmpty, "s", "%0v", 0, "   "},
        {" x ", kTrimNonEmpty, "s", "%0v", 1, "x"},
        // Up to two leading white-space characters; common indentation.
        {"\t\t\tx", "%/0,2W", "s", "", 1, "\tx"}, {" x", "%/0,2W", "s", "", 1, "x"},
        {"\t\ta\r\n\t\t\tb", "\n%2w", "g", "\n", 1, "\t\ta\r\n\tb"},
        {"\t\ta\r\n\t\t\tb", "%^%2w", "s", "", 1, "a\r\n\t\t\tb"},
    });
    // Hits in replace mode are places in the output.
    EXPECT_EQ(Replace("bab a", "a", "", "XY").hits, (Hits{{1, 2}}));
    EXPECT_EQ(Replace("ab", "%/0w", "g", "-").hits, (Hits{{0, 1}, {2, 1}, {4, 1}}));
    EXPECT_EQ(Replace("a12b345", "%{%/d%}", "g", "<%0v>").hits, (Hits{{1, 4}, {6, 5}}));
    EXPECT_EQ(Replace("xx", "x", "g", "").hits, (Hits{{0, 0}, {0, 0}}));
    // Replace mode also appends to the history.
    EXPECT_EQ(Replace("a1b2", "%{%d%}", "g", "#").history, (std::vector<Caps>{{"1"}, {"2"}}));
}

TEST(PatternReadings, KeyValueLines)
{
    const char* settings = "%/0w%{%+j%e=%}%{%+0j%P\n%}";
    const char* items = "%{%/k%e%/0W%{%/0j%}%$%}";
    const char* events = "%{%/k%e%*0W%{%/0j%}%$%}";
    const char* opener = "_local_%/0W%[%$%((%+0j)%$%)%]";
    ptest::CheckCaps({
        {settings, "\tSaveAutoBackup=ON", 18, {"SaveAutoBackup", "ON"}}, {settings, "key=", 4, {"key", ""}},
        {settings, "=x", -1, {}}, {settings, "a=b=c", 5, {"a", "b=c"}}, {settings, "  key = v ", 10, {"key ", " v "}},
        {settings, "k=v\nnext=1", 3, {"k", "v"}},
        {settings, "Path=C:\\" SJ_HYO "\\x", 12, {"Path", "C:\\" SJ_HYO "\\x"}}, {settings, "[Custom]", -1, {}},
        {items, "price\t100", 9, {"100", "price"}}, {items, "name " SJ_KEN, 7, {SJ_KEN, "name"}},
        {items, SJ_KEN " x", -1, {}}, {events, "param a b", 9, {"a b", "param"}},
        // An event value that opens a _local_ block.
        {opener, "_local_", 7, {}}, {opener, "_local_ (a, b)", 14, {}}, {opener, "_local_ (a) x", -1, {}},
        {opener, "_local_x", -1, {}},
    });
    // Words of a use line.
    ptest::Found f = Search("use\titem 1  100", "%{%+j%e%[%/W%$%]%}", "g");
    EXPECT_EQ(f.count, 4);
    EXPECT_EQ(f.history, (std::vector<Caps>{{"use"}, {"item"}, {"1"}, {"100"}}));
    // The closing line of a _local_ block is found anywhere in the line.
    EXPECT_EQ(Search("\t_local_", "%/0W_local_%/0W%[#%$%]", "").count, 1);
    EXPECT_EQ(Search("x _local_ # end", "%/0W_local_%/0W%[#%$%]", "").count, 1);
    EXPECT_EQ(Search("_local_ x", "%/0W_local_%/0W%[#%$%]", "").count, 0);
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
    EXPECT_EQ(Blocks(text, kBlocksIncludeOff), expected);

    // With the include-as-element flag on, "@@include" does not start a block.
    std::vector<std::string> on = expected;
    on[4] += on[5];
    on.erase(on.begin() + 5);
    EXPECT_EQ(Blocks(text, kBlocksIncludeOn), on);

    // A text that begins with a keyword; an IF line at the very end; free text only.
    EXPECT_EQ(Blocks("@@DEFINE\ntype1 a\n@@IF x", kBlocksIncludeOff),
              (std::vector<std::string>{"@@DEFINE\ntype1 a\n", "@@IF x"}));
    EXPECT_EQ(Blocks("just text\nmore\n", kBlocksIncludeOff), (std::vector<std::string>{"just text\nmore\n"}));
    // "@@ITEMNO" at the start of a line does not start a block; "@@ITEM" in
    // the middle of a line neither.
    EXPECT_EQ(Blocks("a\n@@ITEMNO\nb @@ITEM\n\t@@SKIP\n@@ENDSKIP\n", kBlocksIncludeOff),
              (std::vector<std::string>{"a\n@@ITEMNO\nb @@ITEM\n\t", "@@SKIP\n", "@@ENDSKIP\n"}));
    // The string entry point finds the same blocks.
    EXPECT_EQ(SearchStr("x\n@@EVENT\ny", kBlocksIncludeOff, "gi").hits, (Hits{{0, 2}, {2, 9}}));
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
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 1}, {2, 1}}));
    EXPECT_EQ(inner, 2);
}
