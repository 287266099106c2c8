// The lower and upper user-matcher registries, and the editor's matcher 0
// with the 0x5C completion patterns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern/sjis_backslash_matcher.h"
#include "pattern_test_helpers.h"

using ptest::Anchored;
using ptest::Hit;
using ptest::Replace;
using ptest::Search;

namespace {

int32_t MatchX(const char* pos, CStrRegexStruct*, CStrRegexBody*, uint32_t)
{
    return *pos == 'x' ? 1 : -1;
}

int32_t MatchDigitPair(const char* pos, CStrRegexStruct*, CStrRegexBody*, uint32_t)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return (digit(pos[0]) && digit(pos[1])) ? 2 : -1;
}

// What a matcher saw while it ran (the compiled pattern is gone after the call).
struct SeenCall {
    bool nodeIsInBody = false;
    uint32_t bodyCount = 0;
    uint32_t index = 0;
    char kind = 0;
    char letter = 0;
    int32_t escapeNumber = 0;
    int calls = 0;
};
SeenCall g_seen;

int32_t RecordingMatcher(const char* pos, CStrRegexStruct* node, CStrRegexBody* body, uint32_t index)
{
    ++g_seen.calls;
    g_seen.index = index;
    g_seen.bodyCount = body ? body->GetCount() : 0;
    g_seen.nodeIsInBody = body && index < body->GetCount() && &(*body)[index] == node;
    g_seen.kind = node->kind;
    g_seen.letter = node->letter;
    g_seen.escapeNumber = node->index;
    return *pos == '!' ? 1 : -1;
}

// Upper matcher: the newest capture once more at this position.
int32_t MatchNewestCaptureAgain(const char* pos, CStrRegexStruct*, CStrRegexBody*, uint32_t,
                                CStrRegexMatchStruct* captures)
{
    if (!captures || captures->GetCount() == 0)
        return -1;
    const CStr_base<16384>& newest = (*captures)[captures->GetCount() - 1];
    if (std::string(pos).compare(0, newest.GetLength(), newest.GetBuffer()) != 0)
        return -1;
    return static_cast<int32_t>(newest.GetLength());
}

class UserMatchers : public ::testing::Test {
protected:
    void SetUp() override { StrRegexClearUserMatchers(); }
    void TearDown() override { StrRegexClearUserMatchers(); }
};

}  // namespace

TEST_F(UserMatchers, EntryNumbersArePositionsInEachRegistry)
{
    EXPECT_EQ(StrRegexRegisterLower(&MatchX), 0u);
    EXPECT_EQ(StrRegexRegisterLower(&MatchDigitPair), 1u);
    EXPECT_EQ(StrRegexRegisterUpper(&MatchNewestCaptureAgain), 0u);

    EXPECT_EQ(Anchored("%0u", "x"), 1);
    EXPECT_EQ(Anchored("%0u", "y"), -1);
    EXPECT_EQ(Anchored("%1u", "12"), 2);
    EXPECT_EQ(Anchored("%1u", "1x"), -1);
    // No entry 2: the escape fails.
    EXPECT_EQ(Anchored("%2u", "x"), -1);
    // The upper registry is separate.
    EXPECT_EQ(Anchored("%0U", "x"), -1);
    EXPECT_EQ(Anchored("%1U", "x"), -1);
}

TEST_F(UserMatchers, ClearingEmptiesBothRegistries)
{
    StrRegexRegisterLower(&MatchX);
    StrRegexRegisterUpper(&MatchNewestCaptureAgain);
    EXPECT_EQ(Anchored("%0u", "x"), 1);
    StrRegexClearUserMatchers();
    EXPECT_EQ(Anchored("%0u", "x"), -1);
    EXPECT_EQ(Anchored("%{x%}%0U", "xx"), -1);
    EXPECT_EQ(StrRegexRegisterLower(&MatchDigitPair), 0u);
    EXPECT_EQ(Anchored("%0u", "42"), 2);
}

TEST_F(UserMatchers, LowerMatcherSeesItsNodeInItsBody)
{
    StrRegexRegisterLower(&MatchX);
    StrRegexRegisterLower(&RecordingMatcher);
    g_seen = SeenCall{};
    EXPECT_EQ(Anchored("ab%1u", "ab!"), 3);
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_TRUE(g_seen.nodeIsInBody);
    EXPECT_EQ(g_seen.bodyCount, 2u);
    EXPECT_EQ(g_seen.index, 1u);
    EXPECT_EQ(g_seen.kind, REGEX_KIND_ESCAPE);
    EXPECT_EQ(g_seen.letter, 'u');
    EXPECT_EQ(g_seen.escapeNumber, 1);

    // Inside a group the body is the group's body.
    g_seen = SeenCall{};
    EXPECT_EQ(Anchored("x%(%1uy%)", "x!y"), 3);
    EXPECT_TRUE(g_seen.nodeIsInBody);
    EXPECT_EQ(g_seen.bodyCount, 2u);
    EXPECT_EQ(g_seen.index, 0u);
}

TEST_F(UserMatchers, UserMatchersRepeatLikeOtherEscapes)
{
    StrRegexRegisterLower(&MatchX);
    StrRegexRegisterLower(&MatchDigitPair);
    EXPECT_EQ(Anchored("%/1u", "123456x"), 6);
    EXPECT_EQ(Anchored("%1.2u", "123456"), 4);
    EXPECT_EQ(Anchored("%1.2u", "12a"), -1);
    EXPECT_EQ(Anchored("%!0ux", "x"), -1);
    EXPECT_EQ(Anchored("%!0u%j", "y"), 1);
    EXPECT_EQ(Anchored("%*0u%0u", "xxx"), 3);
    EXPECT_EQ(Search("a12b34", "%1u", "g").hits, (std::vector<Hit>{{1, 2}, {4, 2}}));
}

TEST_F(UserMatchers, UpperMatcherReceivesTheCaptureList)
{
    StrRegexRegisterUpper(&MatchNewestCaptureAgain);
    EXPECT_EQ(Anchored("%{ab%}%0U", "abab"), 4);
    EXPECT_EQ(Anchored("%{ab%}%0U", "abax"), -1);
    EXPECT_EQ(Anchored("%{a%}%{bc%}%0U", "abcbc"), 5);
    EXPECT_EQ(Anchored("%0U", "x"), -1);
}

TEST_F(UserMatchers, BackslashCharacterMatcher)
{
    EXPECT_EQ(RegisterSjisBackslashMatcher(), 0u);
    EXPECT_EQ(Anchored("%0u", SJ_HYO), 2);
    EXPECT_EQ(Anchored("%0u", SJ_SO), 2);
    EXPECT_EQ(Anchored("%0u", SJ_NOU "x"), 2);
    EXPECT_EQ(Anchored("%0u", SJ_BU), -1);
    EXPECT_EQ(Anchored("%0u", "a\\"), -1);
    EXPECT_EQ(Anchored("%0u", "\\"), -1);
    EXPECT_EQ(Anchored("%0u", ""), -1);
}

TEST_F(UserMatchers, CountingCharactersThatNeedABackslash)
{
    RegisterSjisBackslashMatcher();
    const char* count = "%0u%!z\\";
    // 表 a ソ\ b 能: 表 and 能 lack the backslash.
    ptest::Found f = Search(SJ_HYO "a" SJ_SO "\\b" SJ_NOU, count, "g");
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(f.hits, (std::vector<Hit>{{0, 2}, {7, 2}}));
    EXPECT_EQ(Search(SJ_HYO "\\" SJ_SO "\\", count, "g").count, 0);
    EXPECT_EQ(Search("C:\\dir\\file", count, "g").count, 0);
    // Scanning moves over whole characters: 0x95 0x5C inside "\x81\x95" "\\"
    // is not a character.
    EXPECT_EQ(Search("\x81\x95\\", count, "g").count, 0);
    EXPECT_EQ(Search("\x81\x95" SJ_HYO, count, "g").hits, (std::vector<Hit>{{2, 2}}));
    // The string entry point counts the same way.
    CStr_base<64> s(SJ_SO "x" SJ_HYO);
    EXPECT_EQ(s.Regex(count, "g"), 2);
}

TEST_F(UserMatchers, CompletionInsertsTheMissingBackslash)
{
    RegisterSjisBackslashMatcher();
    const char* pattern = "%{%0u%}%!z\\%P";
    const char* replace = "%0v\\";
    ptest::Replaced r = Replace(SJ_HYO "a" SJ_SO "\\b" SJ_NOU, pattern, "g", replace);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.text, SJ_HYO "\\a" SJ_SO "\\b" SJ_NOU "\\");
    EXPECT_EQ(r.hits, (std::vector<Hit>{{0, 3}, {8, 3}}));
    // Running it again changes nothing.
    ptest::Replaced again = Replace(r.text, pattern, "g", replace);
    EXPECT_EQ(again.count, 0);
    EXPECT_EQ(again.text, r.text);
    // "ソフト表示" becomes "ソ\フト表\示".
    const std::string text = SJ_SO "\x83\x74\x83\x67" SJ_HYO "\x8e\xa6";
    r = Replace(text, pattern, "g", replace);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.text, SJ_SO "\\\x83\x74\x83\x67" SJ_HYO "\\\x8e\xa6");
    // Plain text stays as it is.
    r = Replace("print \"a\\n\";", pattern, "g", replace);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.text, "print \"a\\n\";");
}
