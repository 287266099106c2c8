// Knowing which file is open: the title names the file, the project and
// the program once, with the mark of unsaved changes; the file dialogs
// start in the project's folder (the recent projects' paths are in the
// history's test).
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
        user.ChooseMenu(main, ID_FILE_SAVE);  // Save As is the Save As test's
        EXPECT_EQ(Title(main), "harbor.cgi ― 港町 ― Tavaro Item Editor");
    });
    startup.commandLine.clear();
    Run([&](CMainDlg& main) { EXPECT_EQ(Title(main), "無題 ― Tavaro Item Editor"); });
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
