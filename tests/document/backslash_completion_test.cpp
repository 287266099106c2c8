// The 0x5C completion in its modes, with the question answered by a stub.
#include "document/backslash_completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

namespace {

class StubQuestion : public CYesNoQuestion {
public:
    explicit StubQuestion(bool answer) : m_bAnswer(answer) {}
    bool AskYesNo(const char* text) override
    {
        asked.emplace_back(text);
        return m_bAnswer;
    }
    std::vector<std::string> asked;

private:
    bool m_bAnswer;
};

// "表示ソ\フト" holds 表 and ソ, whose second bytes are 0x5C; ソ already
// has its backslash.
const std::string kText = SJ("表示ソ\\フト");
const std::string kCompleted = SJ("表\\示ソ\\フト");

} // namespace

TEST(BackslashCompletion, ModeTwoInsertsWithoutAsking)
{
    StubQuestion question(false);
    CMerxString text(kText.c_str());
    EXPECT_EQ(CompleteBackslashes(text, 2, question), 1);
    EXPECT_EQ(text, kCompleted.c_str());
    EXPECT_TRUE(question.asked.empty());
    // Nothing is left to do.
    EXPECT_EQ(CompleteBackslashes(text, 2, question), 0);
    EXPECT_EQ(text, kCompleted.c_str());
}

TEST(BackslashCompletion, ModeZeroAsksWithTheCount)
{
    StubQuestion yes(true);
    CStr_base<1024> text(SJ("能力表"));
    EXPECT_EQ(CompleteBackslashes(text, 0, yes), 2);
    EXPECT_EQ(text, SJ("能\\力表\\"));
    EXPECT_EQ(yes.asked, (std::vector<std::string>{SJ("2 箇所に0x5c('\\')補完が必要と思われます。補完しますか？")}));

    StubQuestion no(false);
    CMerxString kept(kText.c_str());
    EXPECT_EQ(CompleteBackslashes(kept, 0, no), 0);
    EXPECT_EQ(kept, kText.c_str());
    EXPECT_EQ(no.asked.size(), 1u);
}

TEST(BackslashCompletion, ModeZeroDoesNotAskWhenNothingIsMissing)
{
    StubQuestion question(true);
    CMerxString text(SJ("ソ\\フト C:\\dir"));
    EXPECT_EQ(CompleteBackslashes(text, 0, question), 0);
    EXPECT_TRUE(question.asked.empty());
}

TEST(BackslashCompletion, OtherModesDoNothing)
{
    for (int32_t mode : {1, 3, -1}) {
        StubQuestion question(true);
        CMerxString text(kText.c_str());
        EXPECT_EQ(CompleteBackslashes(text, mode, question), 0) << mode;
        EXPECT_EQ(text, kText.c_str());
        EXPECT_TRUE(question.asked.empty());
    }
    EXPECT_EQ(CountMissingBackslashes(CMerxString(kText.c_str())), 1);
}
