// Save As through the main window: a new file becomes the project's file
// (title, recent projects, the next save), and one that cannot be written
// leaves the project where it was, with its edits.
#include "main_dlg_fixture.h"

namespace {

using MainSaveAs = MainDlgTest;

TEST_F(MainSaveAs, ANewFileBecomesTheProjectsFile)
{
    startup.commandLine = Project("harbor.cgi", "港町");
    const std::string original = folder.Get("harbor.cgi");
    Run([&](CMainDlg& main) {
        Modify(main);
        user.AnswerFile(folder.Path("copy.cgi").c_str());
        user.ChooseMenu(main, ID_FILE_SAVE_AS);
        // The file, the project and the program once, with Qt's mark of
        // unsaved changes.
        EXPECT_EQ(Cp932ToUtf8(user.LookAt(main).GetCaption()), "[*]copy.cgi ― 港町 ― Tavaro Item Editor");
        EXPECT_EQ(Title(main), "copy.cgi ― 港町 ― Tavaro Item Editor");
        EXPECT_FALSE(main.IsModified());
        const std::vector<CUiMenuItem>& entries = main.Menu().items[0].items[7].items;
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(Cp932ToUtf8(entries.front().tip.GetBuffer()), folder.Path("copy.cgi"));

        // The next save goes to the new file; the old one stays as it was.
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kProjectTab);
        user.TypeText(*main.CurrentPage(), 1084, "pictures");
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
    });
    EXPECT_EQ(folder.Get("harbor.cgi"), original);
    EXPECT_NE(folder.Get("copy.cgi").find("pictures"), std::string::npos);
}

TEST_F(MainSaveAs, AFileThatCannotBeWrittenLeavesTheProjectWhereItWas)
{
    startup.commandLine = Project("harbor.cgi", "港町");
    const std::string original = folder.Get("harbor.cgi");
    Run([&](CMainDlg& main) {
        Modify(main);
        user.AnswerFile(folder.Path("no-such-folder/copy.cgi").c_str());
        user.ChooseMenu(main, ID_FILE_SAVE_AS);
        // The failure is told with the file and the reason below it.
        const std::string failed = "ファイルの作成に失敗しました。\n" + folder.Path("no-such-folder/copy.cgi");
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{failed + ": No such file or directory"});
        EXPECT_EQ(Title(main), "*harbor.cgi ― 港町 ― Tavaro Item Editor");
        EXPECT_TRUE(main.IsModified());
        EXPECT_EQ(Cp932ToUtf8(main.ProjectInfo().iconImagePath.GetBuffer()), "icons");
        user.ChooseMenu(main, ID_FILE_SAVE);  // the old file takes the save
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Title(main), "harbor.cgi ― 港町 ― Tavaro Item Editor");
    });
    EXPECT_NE(folder.Get("harbor.cgi"), original);
    EXPECT_NE(folder.Get("harbor.cgi").find("icons"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("no-such-folder")));
}

}  // namespace
