// Modal loops of the Qt backend: questions answered inside handlers, keys
// through the key filter, posted messages, and what a modal window blocks.
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/qt/qt_frame.h"
#include "ui/ui_services.h"

namespace {

using QtModalTest = QtTest;

void Click(CDialogBase& dialog, int32_t id) { QTest::mouseClick(QtTest::ControlOfDialog(dialog, id), Qt::LeftButton); }

// A question and a modal dialog inside a handler return their answers there,
// the dialog blocking its owner while its loop runs.
TEST_F(QtModalTest, NestedLoopsReturnInsideTheHandlerThatOpenedThem)
{
    std::vector<std::string> log;
    CProbeDlg outer(ProbeTemplate(), "outer"), inner(ProbeTemplate(), "inner");
    outer.log = inner.log = &log;
    int32_t innerResult = 0;
    UiAnswer answer = UiAnswer::kNone;
    std::string seen;
    outer.onApply = [&] {
        Soon([&] {
            EXPECT_TRUE(WindowOf(outer).IsBlocked());
            inner.EndDialog(5);
        });
        innerResult = inner.DoModal(&outer);
        EXPECT_FALSE(WindowOf(outer).IsBlocked());
        AnswerMessageBox("いいえ(&N)", &seen);
        answer = UiMessageBox(S("保存しますか？").c_str(), UiButtons::kYesNoCancel, &outer);
        outer.EndDialog(6);
    };
    Soon([&] { Click(outer, kProbeApply); });
    EXPECT_EQ(outer.DoModal(), 6);
    EXPECT_EQ(innerResult, 5);
    EXPECT_EQ(answer, UiAnswer::kNo);
    EXPECT_EQ(seen, "保存しますか？");
    EXPECT_EQ(Entries(log, "inner: "), (std::vector<std::string>{"init", "shown", "hidden", "destroy, label readable"}));
}

TEST_F(QtModalTest, MessageBoxKeysTakeTheDefaultAndCancelButtons)
{
    const struct {
        UiButtons buttons;
        UiAnswer defaultButton;
        Qt::Key key;
        UiAnswer expected;
    } cases[] = {
        {UiButtons::kOk, UiAnswer::kNone, Qt::Key_Return, UiAnswer::kOk},
        {UiButtons::kOkCancel, UiAnswer::kNone, Qt::Key_Return, UiAnswer::kOk},
        {UiButtons::kOkCancel, UiAnswer::kCancel, Qt::Key_Return, UiAnswer::kCancel},
        {UiButtons::kOkCancel, UiAnswer::kNone, Qt::Key_Escape, UiAnswer::kCancel},
        {UiButtons::kYesNo, UiAnswer::kNo, Qt::Key_Return, UiAnswer::kNo},
        {UiButtons::kYesNo, UiAnswer::kCancel, Qt::Key_Return, UiAnswer::kYes},
        {UiButtons::kYesNoCancel, UiAnswer::kYes, Qt::Key_Escape, UiAnswer::kCancel},
    };
    for (const auto& c : cases) {
        const Qt::Key key = c.key;
        OnShown<QMessageBox>([key](QMessageBox& box) { QTest::keyClick(&box, key); });
        EXPECT_EQ(UiMessageBox("?", c.buttons, nullptr, c.defaultButton), c.expected)
            << static_cast<int>(c.buttons) << " " << static_cast<int>(c.defaultButton);
    }
}

TEST_F(QtModalTest, KeysGoThroughTheKeyFilterThenDoWhatDialogsDo)
{
    CProbeDlg probe;
    Soon([&] {
        ASSERT_TRUE(WaitFor([&] { return probe.IsActive(); }));
        EXPECT_EQ(WindowOf(probe).FocusedControl(), kProbeLine);
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(WindowOf(probe).FocusedControl(), kProbeText);
        PressKey(Qt::Key_Return);  // the multi-line edit takes it
        PressKey(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(WindowOf(probe).FocusedControl(), kProbeLine);
        PressKey(Qt::Key_Return);  // OK, the default button
    });
    EXPECT_EQ(probe.DoModal(), kIdOk);
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: key "),
              (std::vector<std::string>{"0 at 11", "1 at 12", "0 at 12", "1 at 11"}));
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: cmd 12 "), std::vector<std::string>{"changed"});

    // A filter that takes a key stops it; Escape cancels.
    probe.m_ownLog.clear();
    probe.keyFilter = [](const CUiMessage& message) { return message.key == UiKey::kEnter; };
    Soon([&] {
        ASSERT_TRUE(WaitFor([&] { return probe.IsActive(); }));
        PressKey(Qt::Key_Return);
        PressKey(Qt::Key_Tab, Qt::ControlModifier);
        PressKey(Qt::Key_Escape);
    });
    EXPECT_EQ(probe.DoModal(), kIdCancel);
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: key "), (std::vector<std::string>{"1 at 11", "0 ctrl at 11", "2 at 12"}));
    EXPECT_TRUE(Entries(probe.m_ownLog, "probe: ok").empty());
}

TEST_F(QtModalTest, PostedMessagesReachTheKeyFilterOnceTheLoopRuns)
{
    CProbeDlg gone(ProbeTemplate(), "gone");
    ASSERT_TRUE(gone.Create());
    gone.PostMessage(0x7002);
    gone.DestroyWindow();

    CProbeDlg probe;
    probe.onInit = [&] {
        probe.PostMessage(0x7001);
        return true;
    };
    probe.keyFilter = [&](const CUiMessage& message) {
        if (message.kind == UiMessageKind::kPosted)
            probe.EndDialog(7);
        return message.kind == UiMessageKind::kPosted;
    };
    EXPECT_EQ(probe.DoModal(), 7);
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: posted "), std::vector<std::string>{"28673"});
    EXPECT_TRUE(Entries(gone.m_ownLog, "gone: posted").empty());
}

// A window with an owner is the owner's dialog: the window manager keeps it
// above its owner (a click into the main window does not bury the find
// window) and minimizes it with the owner, as owned windows behave on
// Windows. The window menu steering the frame keeps it so.
TEST_F(QtModalTest, AnOwnedWindowStaysAboveItsOwner)
{
    CProbeDlg owner(ProbeTemplate(), "owner"), tool(ProbeTemplate(), "tool");
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(tool.Create(&owner));
    QWidget* ownerFrame = WindowOf(owner).Frame();
    QWidget* toolFrame = WindowOf(tool).Frame();
    tool.SystemMenu().items[4].enabled = false;  // maximize
    tool.DrawMenuBar();
    owner.ShowWindow(UiShow::kShow);
    tool.ShowWindow(UiShow::kShow);
    Settle();
    EXPECT_EQ(ownerFrame->windowType(), Qt::Window);
    EXPECT_EQ(toolFrame->windowType(), Qt::Dialog);
    EXPECT_FALSE(toolFrame->windowFlags() & Qt::WindowMaximizeButtonHint);
    ASSERT_NE(toolFrame->windowHandle(), nullptr);
    EXPECT_EQ(toolFrame->windowHandle()->transientParent(), ownerFrame->windowHandle());
}

TEST_F(QtModalTest, AModalWindowBlocksItsOwnerButNotTheOwnersOtherWindows)
{
    std::vector<std::string> log;
    CProbeDlg owner(ProbeTemplate(), "owner"), tool(ProbeTemplate(), "tool"), modal(ProbeTemplate(), "modal");
    owner.log = tool.log = modal.log = &log;
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(tool.Create(&owner));
    owner.ShowWindow(UiShow::kShow);
    tool.ShowWindow(UiShow::kShow);
    Soon([&] {
        Click(owner, kProbeApply);
        Click(tool, kProbeApply);
        WindowOf(owner).Frame()->close();  // its close box
        WindowOf(modal).Frame()->close();
    });
    EXPECT_EQ(modal.DoModal(&owner), kIdCancel);
    EXPECT_EQ(Entries(log, "owner: apply"), std::vector<std::string>{});
    EXPECT_EQ(Entries(log, "owner: cancel"), std::vector<std::string>{});
    EXPECT_EQ(Entries(log, "tool: apply"), std::vector<std::string>{""});
    EXPECT_EQ(Entries(log, "modal: cancel"), std::vector<std::string>{""});
    // Unblocked again.
    Click(owner, kProbeApply);
    EXPECT_EQ(Entries(log, "owner: apply"), std::vector<std::string>{""});
}

}  // namespace
