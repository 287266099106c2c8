// The keyboard of the main window: tab switching with Ctrl (the refusal of a
// page that cannot apply is the pages' test), the keys of the element lists,
// Enter and F3 in the find window.
#include "main_dlg_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_func_template.h"
#include "pages/page_item_template.h"
#include "tools/find_dlg.h"
#include "editing/find_methods.h"
#include "editing/find_targets.h"

namespace {

using MainKeys = MainDlgTest;
using Lines = std::vector<std::string>;

const std::string kTwoItems = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\tsword\r\n"
                              "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\tshield\r\n";

Lines Items(CScriptedUser& user, CMainDlg& main)
{
    Lines lines;
    for (const CStr_base<64>& line : user.Look(main.Page(CMainDlg::kItemTab), item_page::IDC_ITEM_LIST).items)
        lines.push_back(Cp932ToUtf8(line.GetBuffer()));
    return lines;
}

TEST_F(MainKeys, CtrlWithPageDownPageUpAndTabSwitchTabsRoundTheEnds)
{
    Run([&](CMainDlg& main) {
        struct Case {
            UiKey key;
            bool shift;
            int32_t tab;
        };
        const Case cases[] = {
            {UiKey::kPageDown, false, 1}, {UiKey::kPageDown, false, 2}, {UiKey::kPageUp, false, 1},
            {UiKey::kTab, false, 2},      {UiKey::kTab, true, 1},       {UiKey::kPageUp, false, 0},
            {UiKey::kPageUp, false, 5},   {UiKey::kTab, false, 0},
        };
        for (const Case& c : cases) {
            CMainPage& page = *main.CurrentPage();
            user.PressKey(page, c.key, true, c.shift);
            EXPECT_EQ(SelectedTab(main), c.tab);
            EXPECT_EQ(main.CurrentPageIndex(), c.tab);
        }
        // Without Ctrl they are the keys of the control.
        user.PressKey(*main.CurrentPage(), UiKey::kPageDown);
        EXPECT_EQ(main.CurrentPageIndex(), 0);
    });
}

// In the script edit, where Tab is a character, Ctrl+Tab leaves the edit
// instead of switching tabs; Ctrl+PageDown still switches.
TEST_F(MainKeys, CtrlTabLeavesAnEditThatTakesTab)
{
    Run([&](CMainDlg& main) {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kFuncTab);
        CMainPage& page = *main.CurrentPage();
        page.Control(func_page::IDC_FUNC_EDIT).SetFocus();
        user.PressKey(page, UiKey::kTab, true);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kFuncTab);
        EXPECT_NE(user.LookAt(page).FocusedControl(), func_page::IDC_FUNC_EDIT);
        page.Control(func_page::IDC_FUNC_EDIT).SetFocus();
        user.PressKey(page, UiKey::kPageDown, true);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kDefineTab);
    });
}

// Which button a key stands for is the list buttons' test; the item list
// takes them (a move, and the delete with its question).
TEST_F(MainKeys, DeleteAndAltArrowsInTheItemListActAsItsButtons)
{
    startup.commandLine = PutFile("two.cgi", InfoBlock(kBetaRule, "p") + kTwoItems);
    Run([&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        const Lines before = Items(user, main);
        ASSERT_EQ(before.size(), 2u);
        user.Select(page, item_page::IDC_ITEM_LIST, 0);
        page.Control(item_page::IDC_ITEM_LIST).SetFocus();
        user.PressKey(page, UiKey::kDown, false, false, true);
        EXPECT_EQ(Items(user, main), (Lines{before[1], before[0]}));
        user.PressKey(page, UiKey::kDown);  // without Alt: the list's own key
        EXPECT_EQ(Items(user, main), (Lines{before[1], before[0]}));
        user.Answer(UiAnswer::kYes);
        user.PressKey(page, UiKey::kDelete);
        EXPECT_EQ(user.TakeMessages().size(), 1u);  // the question of "削除"
        EXPECT_EQ(Items(user, main).size(), 1u);
        user.Answer(UiAnswer::kNo);  // the save question
    });
}

// Enter in the find window searches; F3 searches again from the main
// window; with nothing to search for, F3 shows the find window.
TEST_F(MainKeys, EnterAndF3Search)
{
    startup.commandLine = PutFile("two.cgi", InfoBlock(kBetaRule, "p") + kTwoItems);
    Run([&](CMainDlg& main) {
        FindDlg& find = main.FindReplace();
        user.PressKey(*main.CurrentPage(), UiKey::kF3);
        EXPECT_TRUE(user.LookAt(find).IsVisible());
        user.Select(find, find_dlg::IDC_TARGET, kFindItems);
        user.TypeText(find, find_dlg::IDC_SEARCH, "shield");
        user.PressKey(find, UiKey::kEnter);
        EXPECT_TRUE(user.LookAt(find).IsVisible());
        EXPECT_EQ(user.Look(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST).items.size(), 1u);
        user.Close(main.ToolResults());
        user.Close(find);
        user.TakeMessages();
        user.PressKey(*main.CurrentPage(), UiKey::kF3);
        EXPECT_TRUE(user.LookAt(main.ToolResults()).IsVisible());
        EXPECT_FALSE(user.LookAt(find).IsVisible());
        user.TakeMessages();
    });
}

}  // namespace
