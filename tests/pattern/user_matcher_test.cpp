// The lower and upper user-matcher registries, and the editor's matcher 0
// with the 0x5C completion's search.
#include <gtest/gtest.h>

#include <string>

#include "pattern/editor_matchers.h"
#include "pattern/regex_node.h"
#include "pattern_test_helpers.h"

using ptest::Hits;

namespace {

int32_t MatchX(const char* pos, const CStrRegexStruct*, const CStrRegexBody*, uint32_t) { return *pos == 'x' ? 1 : -1; }

int32_t MatchDigitPair(const char* pos, const CStrRegexStruct*, const CStrRegexBody*, uint32_t)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return (digit(pos[0]) && digit(pos[1])) ? 2 : -1;
}

// What a matcher saw of its node and body while it ran.
std::string g_seen;

int32_t RecordingMatcher(const char* pos, const CStrRegexStruct* node, const CStrRegexBody* body, uint32_t index)
{
    const bool inBody = body && index < body->GetCount() && &(*body)[index] == node;
    g_seen = std::string(1, node->letter) + std::to_string(node->index) + (inBody ? " at " : " not at ") +
             std::to_string(index) + " of " + std::to_string(body ? body->GetCount() : 0);
    return *pos == '!' ? 1 : -1;
}

// Upper matcher: the newest capture once more at this position.
int32_t MatchNewestCaptureAgain(const char* pos, const CStrRegexStruct*, const CStrRegexBody*, uint32_t,
                                CStrRegexMatchStruct* captures)
{
    if (!captures || captures->GetCount() == 0)
        return -1;
    const CStr_base<16384>& newest = *captures->GetLast();
    const bool same = std::string(pos).compare(0, newest.GetLength(), newest.GetBuffer()) == 0;
    return same ? static_cast<int32_t>(newest.GetLength()) : -1;
}

class UserMatchers : public ::testing::Test {
protected:
    void SetUp() override { StrRegexClearUserMatchers(); }
    void TearDown() override { StrRegexClearUserMatchers(); }
};

}  // namespace

TEST_F(UserMatchers, EntriesAreNumberedByPositionInTwoRegistries)
{
    EXPECT_EQ(StrRegexRegisterLower(&MatchX), 0u);
    EXPECT_EQ(StrRegexRegisterLower(&MatchDigitPair), 1u);
    EXPECT_EQ(StrRegexRegisterUpper(&MatchNewestCaptureAgain), 0u);
    ptest::CheckRows({
        {"%0u", "x", 1}, {"%0u", "y", -1}, {"%1u", "12", 2}, {"%1u", "1x", -1},
        {"%2u", "x", -1},  // no entry 2: the escape fails
        {"%0U", "x", -1},  // the upper registry is separate
        {"%1U", "x", -1},
        // User matchers repeat and negate like other escapes.
        {"%/1u", "123456x", 6}, {"%1.2u", "123456", 4}, {"%1.2u", "12a", -1}, {"%!0ux", "x", -1}, {"%!0u%j", "y", 1},
        {"%*0u%0u", "xxx", 3},
        // The upper matcher receives the capture list.
        {"%{ab%}%0U", "abab", 4}, {"%{ab%}%0U", "abax", -1}, {"%{a%}%{bc%}%0U", "abcbc", 5},
    });
    EXPECT_EQ(ptest::Search("a12b34", "%1u", "g").hits, (Hits{{1, 2}, {4, 2}}));
    // A lower matcher sees its node in the body that holds it.
    StrRegexRegisterLower(&RecordingMatcher);
    EXPECT_EQ(ptest::Anchored("ab%2u", "ab!"), 3);
    EXPECT_EQ(g_seen, "u2 at 1 of 2");
    EXPECT_EQ(ptest::Anchored("x%(%2uy%)", "x!y"), 3);
    EXPECT_EQ(g_seen, "u2 at 0 of 2");
}

TEST_F(UserMatchers, TheEditorsMatchersAreRegisteredOnce)
{
    RegisterEditorMatchers();
    RegisterEditorMatchers();
    EXPECT_EQ(StrRegexRegisterLower(&MatchX), 1u);
    // Entry 0 taken by another matcher is an internal error.
    StrRegexClearUserMatchers();
    StrRegexRegisterLower(&MatchX);
    EXPECT_THROW(RegisterEditorMatchers(), int32_t);
}

// The completion that uses the matcher is tested with the document.
TEST_F(UserMatchers, BackslashCharacterMatcher)
{
    RegisterEditorMatchers();
    ptest::CheckClasses({{"%0u", {SJ_HYO, SJ_SO}, {SJ_BU, "a\\", "\\", ""}}});
    EXPECT_EQ(ptest::Anchored("%0u", SJ_NOU "x"), 2);
    // Counting characters that lack their backslash: 表 a ソ\ b 能. Scanning
    // moves over whole characters: 0x95 0x5C inside "\x81\x95" "\\" is none.
    const std::pair<std::string, Hits> counted[] = {
        {SJ_HYO "a" SJ_SO "\\b" SJ_NOU, {{0, 2}, {7, 2}}}, {SJ_HYO "\\" SJ_SO "\\", {}}, {"C:\\dir\\file", {}},
        {"\x81\x95\\", {}}, {"\x81\x95" SJ_HYO, {{2, 2}}}};
    for (const auto& [text, hits] : counted)
        EXPECT_EQ(ptest::Search(text, "%0u%!z\\", "g").hits, hits) << ptest::Trace("%0u%!z\\", text);
    EXPECT_EQ(ptest::Call(SJ_SO "x" SJ_HYO, "%0u%!z\\", "g", false).count, 2);
}
