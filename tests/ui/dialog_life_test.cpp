// Modal, modeless and page windows: their lives and their order of
// handlers. (What a modal dialog blocks is tested on Qt.)
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "ui/ui_backend.h"
#include "ui/ui_services.h"

namespace {

// Escape, Enter and the close box are tested on Qt.
TEST(DialogLife, ModalRunsInitShowDriverThenDestroysAndEachWayOfClosingGivesItsResult)
{
    struct Case {
        const char* name;
        std::function<void(CScriptedUser&, CProbeDlg&)> act;
        int32_t result;
    };
    const Case cases[] = {
        {"OK button", [](CScriptedUser& u, CProbeDlg& d) { u.Click(d, kIdOk); }, kIdOk},
        {"Cancel button", [](CScriptedUser& u, CProbeDlg& d) { u.Click(d, kIdCancel); }, kIdCancel},
        {"EndDialog from a handler",
         [](CScriptedUser& u, CProbeDlg& d) {
             d.onApply = [&d] { d.EndDialog(7); };
             u.Click(d, kProbeApply);
         },
         7},
    };
    for (const Case& c : cases) {
        CScriptedUser user;
        CProbeDlg dialog;
        user.OnModal([&](CDialogBase&) { c.act(user, dialog); }, 900);
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_FALSE(dialog.HasWindow());
        EXPECT_EQ(dialog.m_ownLog.front(), "probe: init") << c.name;
        EXPECT_EQ(dialog.m_ownLog[1], "probe: shown") << c.name;
        EXPECT_EQ(dialog.m_ownLog.back(), "probe: destroy, label readable") << c.name;
        EXPECT_TRUE(user.TakeProblems().empty()) << c.name;
    }
}

TEST(DialogLife, ModalLeftOpenUndrivenOrEndedInInitIsNoticed)
{
    CScriptedUser user;
    CProbeDlg dialog;
    user.OnModal([](CDialogBase&) {});
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(user.TakeProblems(), (Log{"the modal dialog \"Probe\" (template 900) was left open"}));

    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(user.TakeProblems(), (Log{"nobody drove the modal dialog \"Probe\" (template 900)"}));

    user.OnModal([](CDialogBase&) { ADD_FAILURE() << "driven"; }, 137);
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(user.TakeProblems(),
              (Log{"the modal dialog \"Probe\" (template 900) opened where template 137 was expected"}));

    // Ending in the initialisation never shows the window.
    dialog.onInit = [&] {
        dialog.EndDialog(5);
        return true;
    };
    dialog.m_ownLog.clear();
    user.OnModal([](CDialogBase&) { ADD_FAILURE() << "driven"; });
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(Entries(dialog.m_ownLog, "probe: shown").size(), 0u);
    EXPECT_EQ(user.TakeProblems(), (Log{"1 modal drivers were not used"}));
}

TEST(DialogLife, ModelessStartsHiddenAndEndingItHidesIt)
{
    CScriptedUser user;
    CProbeDlg main(ProbeTemplate(), "main"), tool(ProbeTemplate(), "tool");
    EXPECT_FALSE(tool.CreateChild(main));  // a parent without a window
    ASSERT_TRUE(main.Create());
    EXPECT_FALSE(main.Create());
    EXPECT_FALSE(main.IsWindowVisible());
    main.ShowWindow(UiShow::kShow);
    EXPECT_TRUE(user.Click(main, kIdOk));
    EXPECT_TRUE(main.HasWindow());
    EXPECT_FALSE(main.IsWindowVisible());
    EXPECT_TRUE(user.TakeProblems().empty());
}

TEST(DialogLife, DestroyingGoesOwnedWindowsFirstThenTheDialogThenItsPages)
{
    CScriptedUser user;
    Log log;
    CProbeDlg owner(ProbeTemplate(), "owner"), popup(ProbeTemplate(), "popup"), page(ProbeTemplate(), "page");
    owner.log = popup.log = page.log = &log;
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(popup.Create(&owner));
    ASSERT_TRUE(page.CreateChild(owner));
    log.clear();
    owner.DestroyWindow();
    EXPECT_EQ(log, (Log{"popup: destroy, label readable", "owner: destroy, label readable",
                        "page: destroy, label readable"}));
    EXPECT_FALSE(popup.HasWindow());
    EXPECT_FALSE(page.HasWindow());
    EXPECT_EQ(popup.Owner(), nullptr);
}

TEST(DialogLife, WindowOperationsWithoutAWindowOrBackendRaiseZero)
{
    auto raised = [](auto call) {
        try {
            call();
        } catch (int32_t value) {
            return value;
        }
        return -1;
    };
    CProbeDlg dialog;  // outlives the person: its window lives on without a backend
    EXPECT_EQ(raised([] { UiBackend(); }), 0);
    CScriptedUser user;
    EXPECT_EQ(raised([&] { dialog.Control(kProbeLine); }), 0);
    EXPECT_EQ(raised([&] { dialog.GetWindowRect(); }), 0);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(raised([&] { dialog.Control(4711).SetText("x"); }), 0);
}

}  // namespace
