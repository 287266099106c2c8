// Knowing which file is open: the title names the file, the project and
// the program once, with the mark of unsaved changes; the recent projects
// show their paths; the file dialogs start in the project's folder.
#include "main_dlg_fixture.h"

namespace {

using MainTitle = MainDlgTest;

TEST_F(MainTitle, TheTitleNamesFileProjectAndProgramWithTheModifiedMark)
{
    startup.commandLine = Project("harbor.cgi", "港町");
    Run([&](CMainDlg& main) {
        EXPECT_EQ(Cp932ToUtf8(user.LookAt(main).GetCaption()), "[*]harbor.cgi ― 港町 ― Tavaro Item Editor");
        EXPECT_EQ(Title(main), "harbor.cgi ― 港町 ― Tavaro Item Editor");
        Modify(main);
        EXPECT_EQ(Title(main), "*harbor.cgi ― 港町 ― Tavaro Item Editor");
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kItemTab);
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(Title(main), "harbor.cgi ― 港町 ― Tavaro Item Editor");
        user.AnswerFile(folder.Path("copy.cgi").c_str());
        user.ChooseMenu(main, ID_FILE_SAVE_AS);
        EXPECT_EQ(Title(main), "copy.cgi ― 港町 ― Tavaro Item Editor");
    });
    startup.commandLine.clear();
    Run([&](CMainDlg& main) { EXPECT_EQ(Title(main), "無題 ― Tavaro Item Editor"); });
}

// Four copies of one project are four entries told apart by their paths.
TEST_F(MainTitle, RecentProjectsShowTheirPathsWholeInTheToolTip)
{
    const std::string longFolder = "a-rather-long-folder-name-for-the-projects-of-the-harbor/and-deeper";
    std::filesystem::create_directories(folder.Path(longFolder));
    const std::string paths[] = {Project("one.cgi", "港町"), Project("two.cgi", "港町"),
                                 Project(longFolder + "/three.cgi", "港町")};
    Run([&](CMainDlg& main) {
        for (const std::string& path : paths) {
            user.AnswerFile(path.c_str());
            user.ChooseMenu(main, ID_FILE_OPEN);
        }
        const std::vector<CUiMenuItem>& entries = main.Menu().items[0].items[7].items;
        ASSERT_EQ(entries.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            const std::string& path = paths[2 - i];
            EXPECT_EQ(Cp932ToUtf8(entries[i].tip.GetBuffer()), path);
            const std::string note = Cp932ToUtf8(entries[i].note.GetBuffer());
            if (path.size() <= 60) {
                EXPECT_EQ(note, path);
            } else {
                EXPECT_LE(note.size(), 60u) << note;
                EXPECT_EQ(note.substr(0, 4), ".../") << note;
                EXPECT_EQ(path.substr(path.size() - (note.size() - 3)), note.substr(3));
            }
        }
    });
}

TEST_F(MainTitle, OpenAndSaveAsStartInTheFolderOfTheProjectOrOfTheLastOne)
{
    std::filesystem::create_directories(folder.Path("work"));
    const std::string path = Project("work/harbor.cgi", "港町");
    const std::string work = folder.Path("work") + "/";
    Run([&](CMainDlg& main) {
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_OPEN);  // nothing open yet, nothing in the history
        EXPECT_EQ(Cp932ToUtf8(user.FileDialogs().back().initialName.GetBuffer()), "");
        user.AnswerFile(path.c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_SAVE_AS);
        EXPECT_EQ(Cp932ToUtf8(user.FileDialogs().back().initialName.GetBuffer()), work + "harbor.cgi");
    });
    Run([&](CMainDlg& main) {  // a new project: the folder of the last one
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_OPEN);
        EXPECT_EQ(Cp932ToUtf8(user.FileDialogs().back().initialName.GetBuffer()), work);
    });
}

}  // namespace
