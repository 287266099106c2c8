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

// How the controls of a page take the room is the template layout's test.
TEST_F(MainWindow, ThePageFollowsTheWindow)
{
    Run([&](CMainDlg& main) {
        CMainPage& page = *main.CurrentPage();
        const CUiRect drawn = page.GetWindowRect();
        const CUiRect list = page.Control(item_page::IDC_ITEM_LIST).GetRect();
        const CUiSize first = main.GetClientSize();
        ASSERT_TRUE(user.Resize(main, main.GetWindowRect().w + 300, main.GetWindowRect().h + 200));
        const CUiRect grown{drawn.x, drawn.y, drawn.w + 300, drawn.h + 200};
        EXPECT_EQ(page.GetWindowRect(), grown);
        EXPECT_EQ(user.Look(main, CMainDlg::IDC_TAB).rect, (CUiRect{0, 0, first.w + 300, first.h + 200}));
        EXPECT_EQ(page.Control(item_page::IDC_ITEM_LIST).GetRect().h, list.h + 200);
        // The page built by a tab switch has the window's size at once.
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kEventTab);
        EXPECT_EQ(main.CurrentPage()->GetWindowRect(), grown);
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
