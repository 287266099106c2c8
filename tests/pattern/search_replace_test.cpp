// The two entry points: scanning, options, hit lists, match functions,
// match history, replacement templates, and the system's trimming patterns.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "pattern_test_helpers.h"

using ptest::Caps;
using ptest::Hits;
using ptest::Replace;
using ptest::Search;

namespace {

const char* const kTrim = "%/0W%{%+0j%e%/0W%$%}";
const char* const kTrimNonEmpty = "%/0W%{%+j%e%/0W%$%}";

}  // namespace

TEST(PatternSearch, ScanAndOptions)
{
    const struct {
        std::string text;
        const char* pattern;
        const char* options;
        Hits hits;  // also gives the count
        bool string = false;  // CStr_base::Regex instead of StrRegex
        int32_t start = 0;
    } rows[] = {
        // The plain search never tries the end position, nor any position of
        // an empty text; the string search does, also from a start offset.
        {"ab", "%/0w", "g", {{0, 0}, {1, 0}}}, {"ab", "%/0w", "g", {{0, 0}, {1, 0}, {2, 0}}, true},
        {"", "", "g", {}}, {"", "", "g", {{0, 0}}, true}, {"12a", "%!d", "", {{2, 0}}}, {"123", "%!d", "", {}},
        {"123", "%!d", "", {{3, 0}}, true}, {"aaa", "a", "g", {{1, 1}, {2, 1}}, true, 1},
        {"xaab", "a", "gs", {{1, 1}, {2, 1}}, true, 1}, {"xab", "a", "s", {}, true, 2},
        // "g" and "s" over a plain literal, and option letters anywhere in the
        // options text, are the regex fuzz target's check, over a seed of each.
        // "i" folds single-byte letters only, and every call sets it anew.
        {"xABC", "abc", "", {}}, {"xABC", "abc", "i", {{1, 3}}}, {"aAa", "a", "ig", {{0, 1}, {1, 1}, {2, 1}}},
        {"AB", "abc", "i", {}}, {SJ_DI_KATA, SJ_A_KATA, "i", {}}, {SJ_FW_UPPER_A, SJ_FW_LOWER_A, "i", {}},
        {"x" SJ_HYO "A", SJ_HYO "a", "i", {{1, 3}}}, {"[", "{", "i", {}}, {"@", "`", "i", {}}, {"^", "~", "i", {}},
        {SJ_HW_A, SJ_HW_A, "i", {{0, 1}}}, {"A", "%[xa%]", "i", {{0, 1}}}, {"A", "%a", "i", {}},  // classes ignore "i"
        {"a\x95", "%j", "g", {{0, 1}, {1, 1}}}, {"\x95", "\x95", "", {{0, 1}}},
        {"a12b345", "%/d", "g", {{1, 2}, {4, 3}}, true},
        // Steps over double-byte characters: 0x5C or "A" as a second byte is no character.
        {SJ_HYO, "\\", "g", {}}, {SJ_HYO "\\", "\\", "g", {{2, 1}}}, {SJ_DI_KATA, "a", "g", {}},
        {SJ_A_KATA "A", "%A", "g", {{2, 1}}}, {SJ_HYO "a" SJ_HYO, "%J", "g", {{0, 2}, {3, 2}}, true},
        // The plain search never tries the end position; %$ and %G there.
        {"abc", "%$", "g", {}}, {"abc", "%$", "g", {{3, 0}}, true}, {"ba", "a%$", "g", {{1, 1}}},
        {"a\na a", "a%G", "g", {{0, 1}, {4, 1}}},
        // %^ compares with the origin, the start of the search (with a start
        // offset, there), not with the start of each attempt; %g also after "\n".
        {"aaa", "%^a", "g", {{0, 1}}}, {"", "%^", "", {{0, 0}}, true}, {"baa", "%^a", "g", {{1, 1}}, true, 1},
        {"aab", "%^b", "g", {}, true, 1}, {"a\na\nba", "%ga", "g", {{0, 1}, {2, 1}}},
        {"ab", "%gb", "g", {{1, 1}}, true, 1}, {"x\n", "%g", "g", {{0, 0}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(ptest::Trace(r.pattern, r.text) + " options " + r.options);
        const ptest::Found f = ptest::Call(r.text, r.pattern, r.options, !r.string, nullptr, r.start);
        EXPECT_EQ(f.count, static_cast<int32_t>(r.hits.size()));
        EXPECT_EQ(f.hits, r.hits);
    }
}

TEST(PatternSearch, CapturesHistoryAndHitList)
{
    // Without "g" the capture list holds the captures of the first match;
    // with "g" it is cleared after each match and the history keeps a copy.
    ptest::Found f = Search("a1b2", "%{%d%}", "");
    EXPECT_EQ(std::tie(f.caps, f.history), std::tuple(Caps{"1"}, std::vector<Caps>{{"1"}}));
    f = Search("a1b2", "%{%a%}%{%d%}", "g");
    EXPECT_EQ(std::tie(f.caps, f.history), std::tuple(Caps{}, std::vector<Caps>{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(ptest::Call("a1b2", "%{%d%}", "g", false).history, (std::vector<Caps>{{"1"}, {"2"}}));

    // The history is only appended to; capture list and hit list are cleared
    // first; the capture list keeps its owning setting.
    CStrRegexHistory history;
    *history.Add()->Add() = "old";
    CStrRegexMatchStruct caps;
    *caps.Add() = "stale";
    CStrRegexHitList hits;
    hits.Add()->offset = 99;
    EXPECT_EQ(StrRegex("x9", "%{%d%}", "", &caps, &history, &hits), 1);
    EXPECT_EQ(std::tuple(ptest::ToCaps(caps), ptest::ToHistory(history), ptest::ToHits(hits)),
              std::tuple(Caps{"9"}, std::vector<Caps>{{"old"}, {"9"}}, Hits{{1, 1}}));
    EXPECT_EQ(StrRegex("ab", "%{a%}%{x%}%[%]", "", &caps, &history), 0);
    EXPECT_TRUE(caps.GetCount() == 0 && history.GetCount() == 2 && caps.IsOwning());
    caps.SetOwning(false);
    EXPECT_EQ(StrRegex("ab", "%{b%}", "", &caps), 1);
    EXPECT_FALSE(caps.IsOwning());
    caps.SetOwning(true);
}

TEST(PatternSearch, PlainSearchMatchFunction)
{
    // The answer is the length to use; a negative one rejects the match, and
    // with "s" ends the scan; an empty length goes on at the next character.
    Hits seen;
    std::vector<Caps> seenCaps;
    auto reject0 = [&](const char* at, uint32_t offset, uint32_t length, CStrRegexMatchStruct* caps) -> int32_t {
        seen.emplace_back(offset, length);
        seenCaps.push_back(ptest::ToCaps(*caps));
        EXPECT_EQ(*at, 'a');
        return offset == 0 ? -1 : static_cast<int32_t>(length);
    };
    auto longer = [](const char*, uint32_t offset, uint32_t length, CStrRegexMatchStruct*) -> int32_t {
        return offset == 0 ? 3 : static_cast<int32_t>(length);
    };
    auto empty = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return 0; };
    auto rejectAll = [](const char*, uint32_t, uint32_t, CStrRegexMatchStruct*) -> int32_t { return -5; };
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex("aXa", "%{a%}", "g", nullptr, nullptr, &hits, reject0), 1);
    EXPECT_EQ(std::tuple(ptest::ToHits(hits), seen, seenCaps),
              std::tuple(Hits{{2, 1}}, Hits{{0, 1}, {2, 1}}, std::vector<Caps>{{"a"}, {"a"}}));
    EXPECT_EQ(StrRegex("aaaaa", "a", "g", nullptr, nullptr, &hits, longer), 3);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 3}, {3, 1}, {4, 1}}));
    EXPECT_EQ(StrRegex("abab", "ab", "g", nullptr, nullptr, &hits, empty), 2);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 0}, {2, 0}}));
    EXPECT_EQ(StrRegex("aaa", "a", "gs", nullptr, nullptr, &hits, rejectAll), 0);
}

TEST(PatternSearch, StringMatchFunction)
{
    // Search mode: -1 rejects, -2 keeps the match, any other value is its length.
    CStr_base<32> s("aXaXa");
    CStrRegexHitList hits;
    Hits seen;
    auto fn = [&](const char* at, uint32_t offset, uint32_t length, const char* replace, CStr_base<16384>*,
                  CStrRegexMatchStruct*) -> int32_t {
        seen.emplace_back(offset, length);
        EXPECT_TRUE(replace == nullptr || *replace == 0);
        EXPECT_EQ(*at, 'a');
        return offset == 0 ? -1 : offset == 2 ? 2 : -2;
    };
    EXPECT_EQ(s.Regex("a", "g", nullptr, nullptr, nullptr, 0, &hits, fn), 2);
    EXPECT_EQ(std::tuple(ptest::ToHits(hits), seen, std::string(s)),
              std::tuple(Hits{{2, 2}, {4, 1}}, Hits{{0, 1}, {2, 1}, {4, 1}}, "aXaXa"));
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
    s = "aXaa";
    EXPECT_EQ(s.Regex("%{a%}", "g", nullptr, "<%0v>", nullptr, 0, &hits, writer), 2);
    EXPECT_EQ(std::tuple(std::string(s), ptest::ToHits(hits)), std::tuple("aX<a>[a]", Hits{{2, 3}, {3, 1}}));
}

TEST(PatternSearch, NestedCallsFromAMatchFunction)
{
    // Calls made by a match function push the outer pattern out of the store
    // of compiled patterns, which it keeps using; the outer call keeps its
    // own ignore-case flag whatever the inner calls ask for.
    int inner = 0;
    auto fn = [&](const char*, uint32_t, uint32_t length, CStrRegexMatchStruct*) -> int32_t {
        for (int i = 1; i <= 40; ++i)
            inner += StrRegex("x123", ("x%" + std::to_string(i) + ",100d").c_str(), "");
        return static_cast<int32_t>(length);
    };
    CStrRegexHitList hits;
    EXPECT_EQ(StrRegex("aAa", "a", "gi", nullptr, nullptr, &hits, fn), 3);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(StrRegex("ab1 ab22 ab333", "ab%{%/d%}", "g", nullptr, nullptr, &hits, fn), 3);
    EXPECT_EQ(ptest::ToHits(hits), (Hits{{0, 3}, {4, 4}, {9, 5}}));
    EXPECT_EQ(inner, 6 * 3);  // 3 of the 40 patterns match "x123"
}

TEST(PatternReplace, Replacements)
{
    ptest::CheckReplacements({
        // Plain literals replaced, also under "s", and the places of their
        // replacements are the regex fuzz target's check, over a seed of each.
        // Empty matches copy the character after them; anchors follow the origin.
        {"a b", "%*0W", "g", "-", 4, "-a--b-"}, {"ab", "%/0w", "g", "-", 3, "-a-b-"},
        {"aaa", "%^a", "g", "X", 1, "Xaa"}, {"a\nb\n", "%g", "g", "> ", 3, "> a\n> b\n> "},
        {"ab;cd;", "%+j%p;", "g", "X", 2, "XX;"},
        // Templates of captures past 9 and under "g" (each form of a template is
        // the regex fuzz target's check, over a seed of it).
        {"abcdefghijkl", "%12{%j%}", "", "%11v%10v%0v", 1, "lka"},
        {"k1=v1;k2=v2", "%{%/L%}=%{%/L%}", "g", "%1v=%0v", 2, "v1=k1;v2=k2"},
        // Trimming.
        {"  abc  ", kTrim, "s", "%0v", 1, "abc"}, {"\t a b \r\n", kTrim, "s", "%0v", 1, "a b"},
        {"abc", kTrim, "s", "%0v", 1, "abc"}, {" " SJ_KEN SJ_FW_SPACE " ", kTrim, "s", "%0v", 1, SJ_KEN SJ_FW_SPACE},
        {"", kTrim, "s", "%0v", 1, ""}, {"   ", kTrimNonEmpty, "s", "%0v", 0, "   "},
        {" x ", kTrimNonEmpty, "s", "%0v", 1, "x"}, {"sharp\x81\r\n", kTrim, "s", "%0v", 1, "sharp\x81"},
        // Up to two leading white-space characters; common indentation.
        {"\t\t\tx", "%/0,2W", "s", "", 1, "\tx"}, {" x", "%/0,2W", "s", "", 1, "x"},
        {"\t\ta\r\n\t\t\tb", "\n%2w", "g", "\n", 1, "\t\ta\r\n\tb"},
        {"\t\ta\r\n\t\t\tb", "%^%2w", "s", "", 1, "a\r\n\t\t\tb"},
    });
    // Hits in replace mode are places in the output; the history is kept too.
    EXPECT_EQ(Replace("ab", "%/0w", "g", "-").hits, (Hits{{0, 1}, {2, 1}, {4, 1}}));
    EXPECT_EQ(Replace("a12b345", "%{%/d%}", "g", "<%0v>").hits, (Hits{{1, 4}, {6, 5}}));
    EXPECT_EQ(Replace("a1b2", "%{%d%}", "g", "#").history, (std::vector<Caps>{{"1"}, {"2"}}));
}
