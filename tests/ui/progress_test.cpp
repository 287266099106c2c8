// The progress service under the scripted person: the work runs on a
// thread of its own, a cancel answered beforehand reaches it from its first
// look, and a fault of the work reaches the caller. The window, what it
// blocks and its delay are tested on Qt.
#include <gtest/gtest.h>

#include <thread>

#include "probe_dialog.h"
#include "ui/ui_progress.h"

namespace {

TEST(UiProgress, WorkRunsOnItsOwnThreadAndACancelOrAFaultReachesTheCaller)
{
    struct Case {
        bool cancel;
        bool fault;
        uint32_t steps;  // how far the work comes
    };
    const Case cases[] = {{false, false, 5}, {true, false, 0}, {false, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        CScriptedUser user;
        if (c.cancel)
            user.CancelProgress();
        std::thread::id worker;
        uint32_t steps = 0;
        const auto run = [&] {
            return UiRunWithProgress("t", "l", [&](const std::atomic<bool>& cancel, const CUiProgressReport& report) {
                worker = std::this_thread::get_id();
                for (uint32_t i = 0; i < 5 && !cancel; ++i) {
                    report(++steps, 5);
                    if (c.fault)
                        throw static_cast<int32_t>(0);
                }
            });
        };
        if (c.fault) {
            EXPECT_THROW(run(), int32_t);
        } else {
            EXPECT_EQ(run(), c.cancel);
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_NE(worker, std::this_thread::get_id());
        EXPECT_EQ(user.ProgressRuns().size(), 1u);
        EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{});
    }
}

}  // namespace
