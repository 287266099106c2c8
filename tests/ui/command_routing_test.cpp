// Notifications and keys: the command filter, the key filter, the handlers
// they reach.
#include <gtest/gtest.h>

#include "probe_dialog.h"

namespace {

using Shown = ShownProbe;

// The filter takes what it wants; what it leaves reaches the bound handler
// or the OK and Cancel handlers.
TEST(CommandRouting, FilterSeesEveryNotificationFirstAndCanTakeIt)
{
    Shown s;
    s.dialog.filter = [](int32_t id, UiEvent event) { return id == kProbeApply && event == UiEvent::kClicked; };
    ASSERT_TRUE(s.user.Click(s.dialog, kProbeApply));
    ASSERT_TRUE(s.user.TypeText(s.dialog, kProbeLine, "x"));
    s.dialog.filter = nullptr;
    ASSERT_TRUE(s.user.Click(s.dialog, kProbeApply));
    ASSERT_TRUE(s.user.Click(s.dialog, kIdCancel));
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 19 clicked", "probe: cmd 11 changed", "probe: cmd 19 clicked",
                                      "probe: apply", "probe: cmd 2 clicked", "probe: cancel", "probe: hidden"}));
}

TEST(CommandRouting, PageSeesItsKeysBeforeTheDialogItLiesInAndMayTakeThem)
{
    CScriptedUser user;
    Log log;
    CProbeDlg owner(ProbeTemplate(), "owner"), page(ProbeTemplate(), "page");
    owner.log = page.log = &log;
    owner.Create();
    page.CreateChild(owner);
    owner.ShowWindow(UiShow::kShow);
    page.ShowWindow(UiShow::kShow);
    ASSERT_TRUE(user.Focus(page, kProbeText));
    log.clear();
    ASSERT_TRUE(user.PressKey(page, UiKey::kTab, true));
    EXPECT_EQ(log, (Log{"page: key 0 ctrl at 12", "owner: key 0 ctrl at 12"}));

    // A filter that takes a key stops everything else.
    page.keyFilter = [](const CUiMessage&) { return true; };
    ASSERT_TRUE(user.Focus(page, kProbeText));
    log.clear();
    ASSERT_TRUE(user.PressKey(page, UiKey::kTab));
    ASSERT_TRUE(user.PressKey(page, UiKey::kEscape));
    EXPECT_EQ(log, (Log{"page: key 0 at 12", "page: key 2 at 12"}));
    EXPECT_TRUE(page.Control(kProbeText).HasFocus());
    EXPECT_TRUE(owner.IsWindowVisible());
}

}  // namespace
