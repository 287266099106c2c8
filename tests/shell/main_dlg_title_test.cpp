// Knowing which file is open: the file dialogs start in the project's
// folder (the title is the Save As tests', the recent projects' paths are
// in the history's test).
#include "main_dlg_fixture.h"

namespace {

using MainTitle = MainDlgTest;

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
