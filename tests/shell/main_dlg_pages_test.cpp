// The pages under the tabs: the project page, the navigation the tools use,
// and the switch that applies first.
#include <array>

#include "main_dlg_fixture.h"

namespace {

using MainPages = MainDlgTest;

// Storing the icon folder typed here is in the new-project test.
TEST_F(MainPages, TheProjectPageShowsCountsAndTheIconFolderWithoutMarkingTheProject)
{
    startup.commandLine = Project("a.cgi", "港");
    Run([&](CMainDlg& main) {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kProjectTab);
        CMainPage& page = *main.CurrentPage();
        EXPECT_EQ(Cp932ToUtf8(user.Look(page, 1093).text.GetBuffer()),
                  "1\n0\n14\n" + kBetaRule + "\n" + folder.Path("a.cgi"));
        EXPECT_EQ(std::string(user.Look(page, 1084).text), "..\\Image");
        EXPECT_FALSE(main.IsModified());  // opening and filling the page are no edits
        user.Click(page, 1027);           // nor is "元に戻す"
        EXPECT_FALSE(main.IsModified());
        EXPECT_TRUE(main.m_bNotifyReady);
        user.TypeText(page, 1084, "icons");
        EXPECT_TRUE(main.IsModified());
        user.Answer(UiAnswer::kNo);  // the save question on exit
    });
}

// What the tools do with the pages: jump to an element, ask what is shown,
// reload after a replace. Test pages lie behind the item and event tabs.
TEST_F(MainPages, ToolsShowElementsOnTheirPagesAndARefusingPageKeepsItsTab)
{
    bool refuse = false;
    std::array<TestPage*, 2> pages{};
    Run(
        [&](CMainDlg& main) {
            CPageContext& context = main;
            EXPECT_EQ(context.CurrentElement(), (CPageElement{0, -1}));
            EXPECT_TRUE(context.ShowElement(0, 3));  // on the current page
            EXPECT_EQ(context.CurrentElement(), (CPageElement{0, 3}));
            EXPECT_TRUE(context.ShowElement(1, 7));  // another page, selected when it is made
            EXPECT_EQ(SelectedTab(main), 1);
            EXPECT_EQ(context.CurrentElement(), (CPageElement{1, 7}));
            context.ReloadCurrentPage();
            EXPECT_EQ(pages[1]->reloads, 1);
            EXPECT_EQ(pages[0]->reloads, 0);

            // A page that cannot apply keeps its tab and its edits: the jump
            // ends there, and a save writes nothing.
            refuse = true;
            user.TypeText(*pages[1], 1084, "half done");
            EXPECT_FALSE(context.ShowElement(0, 2));
            user.Select(main, CMainDlg::IDC_TAB, 3);
            EXPECT_EQ(SelectedTab(main), 1);
            user.PressKey(*pages[1], UiKey::kPageDown, true);  // a switch by key as well
            EXPECT_EQ(SelectedTab(main), 1);
            EXPECT_EQ(context.CurrentElement(), (CPageElement{1, 7}));
            EXPECT_EQ(std::string(user.Look(*pages[1], 1084).text), "half done");
            EXPECT_FALSE(main.Page(3).HasWindow());
            user.AnswerFile(folder.Path("never.cgi").c_str());
            user.ChooseMenu(main, ID_FILE_SAVE);
            EXPECT_FALSE(std::filesystem::exists(folder.Path("never.cgi")));
            refuse = false;
            user.PressKey(*pages[1], UiKey::kPageDown, true);
            EXPECT_EQ(SelectedTab(main), 2);

            // The function page shows the block jumped to and keeps it as
            // the selection a save stores.
            EXPECT_TRUE(context.ShowElement(2, 4));
            EXPECT_EQ(context.CurrentElement(), (CPageElement{2, 4}));
            CProjectInfo stored;
            main.ApplyCurrentPage(stored);
            EXPECT_EQ(stored.funcId, 4);
            EXPECT_FALSE(context.ShowElement(6, 0));
            EXPECT_FALSE(main.m_nModalWait.IsWaiting());
        },
        [&](CMainDlg& main) {
            for (int32_t tab : {0, 1}) {
                auto page = std::make_unique<TestPage>(main, [&](CMainDlg&) {
                    return refuse ? CApplyResult::Cancel() : CApplyResult();
                });
                pages[tab] = page.get();
                main.SetPage(tab, std::move(page));
            }
        });
}

}  // namespace
