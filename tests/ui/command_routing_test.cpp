// Notifications and keys: the command filter, the key filter, the handlers
// they reach, and what the window does with a key nobody takes.
#include <gtest/gtest.h>

#include "probe_dialog.h"

namespace {

using Shown = ShownProbe;

// What a person cannot use gives no notification, only a problem.
TEST(CommandRouting, FilterSeesEveryNotificationFirstAndCanTakeIt)
{
    Shown s;
    s.dialog.filter = [](int32_t id, UiEvent event) { return id == kProbeApply && event == UiEvent::kClicked; };
    s.dialog.Control(kProbeApply).Enable(false);
    EXPECT_FALSE(s.user.Click(s.dialog, kProbeApply));
    EXPECT_FALSE(s.user.Click(s.dialog, kProbeHidden));
    EXPECT_FALSE(s.user.Click(s.dialog, kProbeLine));
    EXPECT_FALSE(s.user.TypeText(s.dialog, kProbeCheck, "x"));
    EXPECT_EQ(s.user.TakeProblems(),
              (Log{"click: \"Probe\" (template 900) has control 19 disabled",
                   "click: \"Probe\" (template 900) shows no control 20",
                   "click: control 11 of \"Probe\" (template 900) is no button",
                   "type: control 13 of \"Probe\" (template 900) takes no typing"}));
    s.dialog.Control(kProbeApply).Enable(true);
    ASSERT_TRUE(s.user.Click(s.dialog, kProbeApply));
    ASSERT_TRUE(s.user.TypeText(s.dialog, kProbeLine, "x"));
    // A check box toggles; setting its check clicks only for a change.
    ASSERT_TRUE(s.user.Click(s.dialog, kProbeCheck));
    EXPECT_TRUE(s.dialog.Control(kProbeCheck).GetCheck());
    ASSERT_TRUE(s.user.SetCheck(s.dialog, kProbeCheck, true));
    ASSERT_TRUE(s.user.SetCheck(s.dialog, kProbeCheck, false));
    EXPECT_FALSE(s.dialog.Control(kProbeCheck).GetCheck());
    ASSERT_TRUE(s.user.Click(s.dialog, kIdCancel));
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 19 clicked", "probe: cmd 11 changed", "probe: cmd 13 clicked",
                                      "probe: cmd 13 clicked", "probe: cmd 2 clicked", "probe: cancel",
                                      "probe: hidden"}));
}

TEST(CommandRouting, KeysNobodyTakesMoveTheFocusOrPressButtons)
{
    struct Case {
        const char* name;
        int32_t focus;
        UiKey key;
        bool ctrl, shift;
        int32_t disabled;  // a control to disable first, or 0
        int32_t focusAfter;
        Log tail;          // log entries after the key filter's
    };
    const Case cases[] = {
        {"Tab skips the label", kProbeLine, UiKey::kTab, false, false, 0, kProbeText, {}},
        {"Shift+Tab wraps backwards", kProbeLine, UiKey::kTab, false, true, 0, kIdCancel, {}},
        {"Tab skips hidden and disabled", kProbeList, UiKey::kTab, false, false, kProbeApply, kIdOk, {}},
        {"Enter presses the default button", kProbeLine, UiKey::kEnter, false, false, 0, kProbeLine,
         {"probe: cmd 1 clicked", "probe: ok", "probe: hidden"}},
        {"Enter presses a focused button", kProbeApply, UiKey::kEnter, false, false, 0, kProbeApply,
         {"probe: cmd 19 clicked", "probe: apply"}},
        {"Enter with the default button disabled", kProbeLine, UiKey::kEnter, false, false, kIdOk, kProbeLine, {}},
        {"Enter in a multi-line edit is text", kProbeText, UiKey::kEnter, false, false, 0, kProbeText,
         {"probe: cmd 12 changed"}},
        {"Escape cancels", kProbeLine, UiKey::kEscape, false, false, 0, kProbeLine,
         {"probe: cmd 2 clicked", "probe: cancel", "probe: hidden"}},
    };
    for (const Case& c : cases) {
        Shown s;
        ASSERT_TRUE(s.user.Focus(s.dialog, c.focus)) << c.name;
        if (c.disabled)
            s.dialog.Control(c.disabled).Enable(false);
        s.dialog.m_ownLog.clear();
        ASSERT_TRUE(s.user.PressKey(s.dialog, c.key, c.ctrl, c.shift)) << c.name;
        Log expected{"probe: key " + std::to_string(static_cast<int>(c.key)) + (c.ctrl ? " ctrl" : "") + " at " +
                     std::to_string(c.focus)};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(s.dialog.m_ownLog, expected) << c.name;
        EXPECT_EQ(s.user.LookAt(s.dialog).FocusedControl(), c.focusAfter) << c.name;
        EXPECT_TRUE(s.user.TakeProblems().empty()) << c.name;
    }
    Shown s;
    ASSERT_TRUE(s.user.TypeText(s.dialog, kProbeText, "ab"));
    ASSERT_TRUE(s.user.PressKey(s.dialog, UiKey::kEnter));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, "ab\r\n");
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
