// Menus and pages on Qt: the menu bar follows the dialog's menu, its window
// menu steers the frame, and a page lies in its parent's client area with
// the parent's key filter behind its own.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QKeySequence>
#include <QTest>

#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/qt/qt_font.h"
#include "ui/qt/qt_frame.h"

namespace {

CUiMenuItem Item(int32_t id, const std::string& text, bool enabled = true)
{
    CUiMenuItem item;
    item.id = id;
    item.text = text.c_str();
    item.enabled = enabled;
    return item;
}

const CUiDialogTemplate& MenuTemplate()
{
    static const CUiDialogTemplate t = [] {
        CUiDialogTemplate made = ProbeTemplate();
        made.style = kUiMinimizeBox;
        CUiMenuItem file = Item(0, S("ファイル(&F)"));
        file.items.push_back(Item(32772, S("新規作成(&N)")));
        file.items.back().shortcut = "Ctrl+N";
        CUiMenuItem history = Item(0, S("最近使ったプロジェクト(&H)"));
        history.items.push_back(Item(32782, S("(なし)"), false));
        file.items.push_back(history);
        made.menu.items.push_back(file);
        return made;
    }();
    return t;
}

std::vector<QAction*> Actions(const CDialogBase& dialog) { return QtTest::MenuActions(dialog); }

using QtMenuTest = QtTest;

TEST_F(QtMenuTest, TheMenuBarFollowsTheDialogsMenu)
{
    CProbeDlg probe(MenuTemplate());
    ASSERT_TRUE(probe.Create());
    std::vector<QAction*> actions = Actions(probe);
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0]->text(), QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(actions[3]->text(), QString::fromUtf8("(なし)"));
    EXPECT_FALSE(actions[3]->isEnabled());
    actions[1]->trigger();
    actions[3]->trigger();  // grayed: chosen by nobody
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: cmd 32"), std::vector<std::string>{"772 clicked"});
    // The client area lies below the menu bar, as large as the template says.
    EXPECT_EQ(probe.GetClientSize(), (CUiSize{400, 300}));

    // A new text and state of an item change the bar in place, keys and all.
    QMenuBar* bar = MenuBarOf(probe);
    probe.Menu().items[0].items[0].text.Assign(S("新規作成: 名前(&N)").c_str());
    probe.Menu().items[0].items[0].enabled = false;
    probe.DrawMenuBar();
    EXPECT_EQ(MenuBarOf(probe), bar);
    EXPECT_EQ(Actions(probe)[1], actions[1]);
    EXPECT_EQ(actions[1]->text(), QString::fromUtf8("新規作成: 名前(&N)"));
    EXPECT_FALSE(actions[1]->isEnabled());
    EXPECT_EQ(actions[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    probe.Menu().items[0].items[0].text.Assign(S("新規作成(&N)").c_str());
    probe.Menu().items[0].items[0].enabled = true;
    probe.DrawMenuBar();
    EXPECT_TRUE(actions[1]->isEnabled());

    // The history is rebuilt from inside a command of the menu itself.
    probe.filter = [&](int32_t id, UiEvent) {
        if (id != 32782)
            return false;
        std::vector<CUiMenuItem>& items = probe.Menu().items[0].items[1].items;
        items.clear();
        items.push_back(Item(32782, S("a.cgi / 標準")));
        items.push_back(Item(32783, S("b.cgi / 標準")));
        probe.DrawMenuBar();
        return true;
    };
    probe.Menu().items[0].items[1].items[0].enabled = true;
    probe.DrawMenuBar();
    Actions(probe)[3]->trigger();
    Settle();
    actions = Actions(probe);
    ASSERT_EQ(actions.size(), 5u);
    EXPECT_EQ(actions[4]->text(), QString::fromUtf8("b.cgi / 標準"));
    actions[4]->trigger();
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: cmd 327"), (std::vector<std::string>{"72 clicked", "82 clicked", "83 clicked"}));
    EXPECT_EQ(probe.GetClientSize(), (CUiSize{400, 300}));
}

TEST_F(QtMenuTest, TheWindowMenuSteersTheFrame)
{
    CProbeDlg probe;  // resizable, with a maximize box
    ASSERT_TRUE(probe.Create());
    QWidget* frame = WindowOf(probe).Frame();
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(frame->minimumSize(), frame->maximumSize());
    probe.SystemMenu().items[2].enabled = false;  // size
    probe.SystemMenu().items[4].enabled = false;  // maximize
    probe.SystemMenu().items[6].enabled = false;  // close
    probe.DrawMenuBar();
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    probe.ShowWindow(UiShow::kShow);
    frame->close();
    Settle();
    EXPECT_TRUE(Entries(probe.m_ownLog, "probe: cancel").empty());
}

TEST_F(QtMenuTest, AMenuItemsShortcutChoosesIt)
{
    CProbeDlg probe(MenuTemplate());
    ASSERT_TRUE(probe.Create());
    ShowActive(probe);
    probe.Control(kProbeLine).SetFocus();
    PressKey(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: cmd 32"), std::vector<std::string>{"772 clicked"});
}

TEST_F(QtMenuTest, APageLiesInItsParentAndKeysReachBothFilters)
{
    std::vector<std::string> log;
    CProbeDlg parent(ProbeTemplate(), "parent"), page(ProbeTemplate(), "page");
    parent.log = page.log = &log;
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(page.CreateChild(parent));
    page.MoveWindow({20, 35, 300, 200});
    page.ShowWindow(UiShow::kShow);
    EXPECT_EQ(WindowOf(page).Client()->parentWidget(), WindowOf(parent).Client());
    EXPECT_EQ(WindowOf(page).Client()->geometry(), QtPixels({20, 35, 300, 200}, QtTemplateUnit(QtDialogFont())));
    EXPECT_EQ(page.GetWindowRect(), (CUiRect{20, 35, 300, 200}));
    ShowActive(parent);
    page.Control(kProbeLine).SetFocus();
    EXPECT_EQ(WindowOf(page).FocusedControl(), kProbeLine);
    EXPECT_EQ(WindowOf(parent).FocusedControl(), 0);
    log.clear();
    PressKey(Qt::Key_Escape);  // the top-level dialog cancels
    EXPECT_EQ(log, (std::vector<std::string>{"page: key 2 at 11", "parent: key 2 at 11", "parent: cmd 2 clicked",
                                             "parent: cancel", "parent: hidden"}));
}

}  // namespace
