// The five comparison methods of the find window.
#include <gtest/gtest.h>

#include <string>

#include "editing/find_methods.h"
#include "foundation/cp932.h"
#include "pattern/str_regex.h"

namespace {

CFindQuery Query(int32_t method, const std::string& search, const std::string& replacement = "",
                 uint32_t options = 0)
{
    return CFindQuery::FromMode(static_cast<uint32_t>(method) | options, Utf8ToCp932(search).c_str(),
                                Utf8ToCp932(replacement).c_str());
}

int32_t Compare(const CFindQuery& query, const std::string& utf8)
{
    const std::string text = Utf8ToCp932(utf8);
    return CompareFindText(query, text.c_str(), static_cast<uint32_t>(text.size()));
}

// The text after the replacement and the count, "text|count".
std::string Replace(const CFindQuery& query, const std::string& utf8)
{
    CStr_base<16384> text(Utf8ToCp932(utf8).c_str());
    const int32_t count = ReplaceFindText(query, text);
    return Cp932ToUtf8(text.GetBuffer()) + "|" + std::to_string(count);
}

struct Case {
    int32_t method;
    const char* search;
    const char* text;
    int32_t found;
    const char* replacement;
    const char* replaced; // "text|count"
};

TEST(FindMethods, FindAndReplaceByMethod)
{
    const Case cases[] = {
        {kFindExact, "剣", "剣", 1, "盾", "盾|1"},
        {kFindExact, "剣", "剣士", 0, "盾", "剣士|0"},
        {kFindExact, "", "", 1, "x", "x|1"},
        {kFindPrefix, "剣", "剣士", 1, "盾", "盾士|1"},
        {kFindPrefix, "士", "剣士", 0, "盾", "剣士|0"},
        {kFindPrefix, "", "ab", 1, "x", "xab|1"},
        {kFindContains, "ab", "xabyab", 1, "Z", "xZyZ|2"},
        {kFindContains, "", "abc", 1, "Z", "abc|0"},
        {kFindContains, "", "", 1, "Z", "|0"},
        // "ソ" ends in the byte of "\"; "\" never matches inside it.
        {kFindContains, "\\", "ソ", 0, "/", "ソ|0"},
        {kFindContains, "A", "ＡA", 1, "b", "Ａb|1"},
        {kFindWildcard, "a*c", "xxabcyy", 1, "%", "xx%yy|1"},
        {kFindWildcard, "a*c", "abc", 1, "%", "%|1"},
        {kFindWildcard, "a*c", "abcbc", 1, "Z", "Zbc|1"},
        {kFindWildcard, "a?c", "a剣c aXc ac", 1, "Z", "Z Z ac|2"},
        {kFindWildcard, "*b", "abab", 1, "Z", "ZZ|2"},
        {kFindWildcard, "b*", "abab", 1, "Z", "aZaZ|2"},
        {kFindWildcard, "a*b*c", "c b a b", 0, "Z", "c b a b|0"},
        {kFindWildcard, "a*b*c", "a b c", 1, "Z", "Z|1"},
        {kFindWildcard, "*", "abc", 1, "Z", "abc|0"},
        {kFindWildcard, "**", "", 1, "Z", "|0"},
        {kFindWildcard, "", "", 0, "Z", "|0"},
        {kFindWildcard, "", "abc", 1, "Z", "abc|0"},
        {kFindWildcard, "?", "", 0, "Z", "|0"},
        {kFindWildcard, "100%", "100% ok", 1, "all", "all ok|1"},
        {kFindPattern, "%d", "a1b22", 1, "#", "a#b22|1"},
        {kFindPattern, "\\t", "a\tb", 1, " ", "a b|1"},
        {kFindPattern, "x\\", "x", 1, "y", "y|1"},
        {kFindPattern, "%d", "abc", 0, "#", "abc|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.method) + " '" + c.search + "' in '" + c.text + "'");
        EXPECT_EQ(Compare(Query(c.method, c.search), c.text), c.found);
        EXPECT_EQ(Replace(Query(c.method, c.search, c.replacement), c.text), c.replaced);
    }
}

TEST(FindMethods, PatternOptionsFromTheModeWord)
{
    EXPECT_STREQ(FindOptionLetters(kFindOptionSerial | kFindOptionIgnoreCase | kFindOptionRepeat).GetBuffer(),
                 "sig");
    EXPECT_STREQ(FindOptionLetters(kFindOptionRepeat).GetBuffer(), "g");
    EXPECT_EQ(Replace(Query(kFindPattern, "%d", "#", kFindOptionRepeat), "a1b22"), "a#b##|3");
    EXPECT_EQ(Compare(Query(kFindPattern, "abc", "", kFindOptionIgnoreCase), "xABC"), 1);
    EXPECT_EQ(Compare(Query(kFindPattern, "abc"), "xABC"), 0);
    // Options belong to the pattern method alone; its texts are unescaped.
    EXPECT_TRUE(Query(kFindContains, "\\t", "", kFindOptionRepeat).options.IsEmpty());
    EXPECT_STREQ(Query(kFindContains, "\\t").search.GetBuffer(), "\\t");
    EXPECT_EQ(Replace(Query(kFindPattern, "b", "\\n", kFindOptionRepeat), "abab"), "a\na\n|2");
}

TEST(FindMethods, UnescapeStepsOverWholeCharacters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a\\\\b", "a\\b"}, {"\\n\\t", "\n\t"}, {"\\x\\y", ""}, {"end\\", "end"},
        {"ソ\\n", "ソ\n"},   {"\\ソa", "a"},     {"", ""},
    };
    for (const auto& [typed, unescaped] : cases)
        EXPECT_EQ(Cp932ToUtf8(UnescapeFindText(Utf8ToCp932(typed).c_str()).GetBuffer()), unescaped) << typed;
}

TEST(FindMethods, BudgetStopsARunawayPattern)
{
    CStrRegexBudget budget;
    budget.maxSteps = 10'000;
    CFindQuery query = Query(kFindPattern, "%*0j%*0j%*0j%*0jx");
    query.budget = &budget;
    const std::string text(2000, 'a');
    EXPECT_EQ(CompareFindText(query, text.c_str(), static_cast<uint32_t>(text.size())), kStrRegexStopped);
    EXPECT_EQ(budget.stop, StrRegexStop::kSteps);
    CStr_base<16384> subject(text.c_str());
    EXPECT_EQ(ReplaceFindText(query, subject), kStrRegexStopped);
    EXPECT_EQ(subject.GetLength(), text.size());
}

} // namespace
