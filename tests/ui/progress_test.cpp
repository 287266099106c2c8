// The progress service under the scripted person: the work runs on a
// thread of its own, a cancel answered beforehand reaches it from its first
// look, a window shows only for work that outlasts the delay (every window
// blocked meanwhile), and a fault of the work reaches the caller.
#include <gtest/gtest.h>

#include <thread>

#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"
#include "probe_dialog.h"
#include "ui/ui_progress.h"

namespace {

TEST(UiProgress, WorkRunsOnItsOwnThreadAndACancelAnsweredBeforeReachesIt)
{
    struct Case {
        bool cancel;
        uint32_t steps;  // how far the work comes
    };
    const Case cases[] = {{false, 5}, {true, 0}};
    for (const Case& c : cases) {
        CScriptedUser user;
        if (c.cancel)
            user.CancelProgress();
        std::thread::id worker;
        uint32_t steps = 0;
        const bool cancelled = UiRunWithProgress(SJ("検索/置換"), SJ("検索しています..."),
                                                 [&](const std::atomic<bool>& cancel, const CUiProgressReport& report) {
                                                     worker = std::this_thread::get_id();
                                                     for (uint32_t i = 0; i < 5 && !cancel; ++i)
                                                         report(++steps, 5);
                                                 });
        EXPECT_EQ(cancelled, c.cancel);
        EXPECT_EQ(steps, c.steps);
        EXPECT_NE(worker, std::this_thread::get_id());
        ASSERT_EQ(user.ProgressRuns().size(), 1u);
        EXPECT_EQ(Cp932ToUtf8(user.ProgressRuns()[0].title.GetBuffer()), "検索/置換");
        EXPECT_EQ(Cp932ToUtf8(user.ProgressRuns()[0].label.GetBuffer()), "検索しています...");
        EXPECT_EQ(user.ProgressRuns()[0].cancelled, c.cancel);
        EXPECT_FALSE(user.ProgressRuns()[0].shown);
        EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{});
    }
}

TEST(UiProgress, LongWorkShowsTheWindowAndBlocksEveryWindowMeanwhile)
{
    CScriptedUser user;
    CProbeDlg probe;
    probe.Create();
    probe.ShowWindow(UiShow::kShow);
    bool usableDuring = true;
    UiRunWithProgress("t", "l", [&](const std::atomic<bool>&, const CUiProgressReport&) {
        std::this_thread::sleep_for(kUiProgressDelay * 2);
        usableDuring = CHeadlessBackend::WindowOf(probe)->IsUsable();
    });
    ASSERT_EQ(user.ProgressRuns().size(), 1u);
    EXPECT_TRUE(user.ProgressRuns()[0].shown);
    EXPECT_FALSE(usableDuring);
    EXPECT_TRUE(CHeadlessBackend::WindowOf(probe)->IsUsable());
    EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{});
}

TEST(UiProgress, AFaultOfTheWorkReachesTheCallerAndAnUnusedCancelIsAProblem)
{
    CScriptedUser user;
    EXPECT_THROW(UiRunWithProgress("t", "l", [](const std::atomic<bool>&, const CUiProgressReport&) {
                     throw static_cast<int32_t>(0);
                 }),
                 int32_t);
    user.CancelProgress();
    EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{"1 progress answers were not used"});
}

}  // namespace
