// The 0x5C completion in its modes, with the question answered by a stub.
#include "document/backslash_completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

namespace {

struct StubQuestion : CYesNoQuestion {
    bool answer = false;
    std::vector<std::string> asked;
    bool AskYesNo(const char* text) override { return asked.emplace_back(text), answer; }
};

} // namespace

// "表示ソ\フト" holds 表 and ソ, whose second bytes are 0x5C; ソ already has
// its backslash, and so has a path.
TEST(BackslashCompletion, Modes)
{
    const std::string text = SJ("表示ソ\\フト");
    const std::string completed = SJ("表\\示ソ\\フト");
    const std::string question = SJ("2 箇所に0x5c('\\')補完が必要と思われます。補完しますか？");
    const struct {
        int32_t mode;
        bool answer;
        std::string text;
        int32_t inserted;
        std::string result;
        std::string asked;
    } cases[] = {
        {2, false, text, 1, completed, ""}, // inserts without asking
        {2, false, completed, 0, completed, ""},
        {0, true, SJ("能力表"), 2, SJ("能\\力表\\"), question},
        {0, false, SJ("能力表"), 0, SJ("能力表"), question},
        {0, true, SJ("ソ\\フト C:\\dir"), 0, SJ("ソ\\フト C:\\dir"), ""}, // nothing missing: not asked
        {1, true, text, 0, text, ""},
        {3, true, text, 0, text, ""},
        {-1, true, text, 0, text, ""},
    };
    for (const auto& c : cases) {
        StubQuestion stub;
        stub.answer = c.answer;
        CMerxString value(c.text.c_str());
        EXPECT_EQ(CompleteBackslashes(value, c.mode, stub), c.inserted) << c.mode << c.text;
        EXPECT_EQ(std::string(value.GetBuffer()), c.result) << c.mode << c.text;
        EXPECT_EQ(stub.asked, c.asked.empty() ? std::vector<std::string>{} : std::vector{c.asked}) << c.mode << c.text;
    }
    EXPECT_EQ(CountMissingBackslashes(CMerxString(text.c_str())), 1);
}
