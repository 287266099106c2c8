// The main window as a window: it grows and maximizes, the page follows it,
// and its place, size and maximized state are kept in the settings file
// for the next run.
#include <algorithm>

#include "main_dlg_fixture.h"
#include "pages/page_item_template.h"

namespace {

class MainWindow : public MainDlgTest {
protected:
    // The keys of the settings file's section "MainDialog", sorted.
    std::vector<std::string> MainDialogKeys() const
    {
        const std::string text = Settings();
        const size_t from = text.find("[MainDialog]\n");
        if (from == std::string::npos)
            return {};
        std::vector<std::string> keys;
        size_t at = from + 13;
        for (size_t end; (end = text.find('\n', at)) != std::string::npos && text[at] == '\t'; at = end + 1)
            keys.push_back(text.substr(at + 1, end - at - 1));
        std::sort(keys.begin(), keys.end());
        return keys;
    }
};

TEST_F(MainWindow, ThePageFollowsTheWindowItsListAndScriptTakingTheRoom)
{
    Run([&](CMainDlg& main) {
        CMainPage& page = *main.CurrentPage();
        const CUiRect list = page.Control(item_page::IDC_ITEM_LIST).GetRect();
        const CUiRect script = page.Control(item_page::IDC_FUNC_EDIT).GetRect();
        const CUiRect apply = page.Control(kIdOk).GetRect();
        const CUiSize first = main.GetClientSize();
        ASSERT_TRUE(user.Resize(main, main.GetWindowRect().w + 300, main.GetWindowRect().h + 200));
        EXPECT_EQ(main.GetClientSize().w, first.w + 300);
        EXPECT_EQ(page.GetWindowRect(), (CUiRect{20, 35, 820 + 300, 560 + 200}));
        EXPECT_EQ(user.Look(main, CMainDlg::IDC_TAB).rect, (CUiRect{0, 0, first.w + 300, first.h + 200}));
        const CUiRect grownList = page.Control(item_page::IDC_ITEM_LIST).GetRect();
        const CUiRect grownScript = page.Control(item_page::IDC_FUNC_EDIT).GetRect();
        const CUiRect movedApply = page.Control(kIdOk).GetRect();
        EXPECT_EQ(grownList.h, list.h + 200);
        EXPECT_GT(grownList.w, list.w);
        EXPECT_EQ(grownScript.h, script.h + 200);
        EXPECT_GT(grownScript.w, script.w);
        EXPECT_EQ(movedApply.w, apply.w);  // buttons keep their size
        EXPECT_EQ(movedApply.x + movedApply.w, 820 + 300 - 5);
        EXPECT_EQ(movedApply.y, apply.y + 200);
        // The page built by a tab switch has the window's size at once.
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kEventTab);
        EXPECT_EQ(main.CurrentPage()->GetWindowRect(), (CUiRect{20, 35, 820 + 300, 560 + 200}));
        // It never gets smaller than it was drawn.
        ASSERT_TRUE(user.Resize(main, 100, 100));
        EXPECT_EQ(main.GetClientSize(), first);
    });
}

TEST_F(MainWindow, PlaceSizeAndMaximizedStateAreKeptForTheNextRun)
{
    const CUiRect placed{40, 30, 900, 760};
    Run([&](CMainDlg& main) {
        ASSERT_TRUE(user.MoveTo(main, placed.x, placed.y));
        ASSERT_TRUE(user.Resize(main, placed.w, placed.h));
    });
    EXPECT_EQ(MainDialogKeys(), (std::vector<std::string>{"Maximize=false", "h=760", "w=900", "x=40", "y=30"}));
    Run([&](CMainDlg& main) {
        EXPECT_EQ(main.GetWindowRect(), placed);
        EXPECT_FALSE(main.IsZoomed());
        ASSERT_TRUE(user.Maximize(main));
    });
    EXPECT_EQ(MainDialogKeys(), (std::vector<std::string>{"Maximize=true", "h=760", "w=900", "x=40", "y=30"}));
    Run([&](CMainDlg& main) {
        EXPECT_TRUE(main.IsZoomed());
        EXPECT_EQ(main.GetNormalRect(), placed);
        EXPECT_EQ(main.CurrentPage()->GetWindowRect().w, main.GetClientSize().w - 40);
    });
}

// A window opened over the main window is centred over it.
TEST_F(MainWindow, DialogsOpenCentredOverTheMainWindow)
{
    Run([&](CMainDlg& main) {
        ASSERT_TRUE(user.MoveTo(main, 100, 80));
        CUiRect about;
        user.OnModal([&](CDialogBase& dialog) {
            about = dialog.GetWindowRect();
            user.Close(dialog);
        });
        user.ChooseMenu(main, ID_ABOUT);
        const CUiRect m = main.GetWindowRect();
        EXPECT_NEAR(about.x + about.w / 2, m.x + m.w / 2, 1);
        EXPECT_NEAR(about.y + about.h / 2, m.y + m.h / 2, 1);
    });
}

}  // namespace
