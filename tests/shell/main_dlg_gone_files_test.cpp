// Files that went under the editor: a recent project whose file is gone,
// and a settings file that cannot be written when the editor closes.
#include <filesystem>

#include "main_dlg_fixture.h"

namespace {

using MainGoneFiles = MainDlgTest;

TEST_F(MainGoneFiles, ARecentProjectWhoseFileWentIsToldOfAndTheOpenProjectStays)
{
    const std::string gone = Project("gone.cgi", "消えた");
    startup.commandLine = Project("harbor.cgi", "港町");
    Run([&](CMainDlg& main) {
        user.AnswerFile(gone.c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        user.AnswerFile(folder.Path("harbor.cgi").c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        ASSERT_GE(HistoryMenu(main).size(), 2u);
        std::filesystem::remove(gone);
        user.TakeMessages();

        user.ChooseMenu(main, ID_HISTORY_FIRST + 1);  // gone.cgi, below harbor.cgi
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages.front().find("gone.cgi"), std::string::npos) << messages.front();
        EXPECT_EQ(Title(main), "harbor.cgi ― 港町 ― Tavaro Item Editor");
        EXPECT_EQ(main.Document().itemdata.GetCount(), 1u);
    });
}

TEST_F(MainGoneFiles, ASettingsFileThatCannotBeWrittenIsToldOfAndTheEditorCloses)
{
    startup.commandLine = Project("harbor.cgi", "港町");
    // A folder where the settings file should be: it cannot be written.
    std::filesystem::create_directories(folder.Path("program/TavaroItemEditor.ini"));
    Run([&](CMainDlg& main) {
        user.TakeMessages();
        user.ChooseMenu(main, ID_FILE_EXIT);
        EXPECT_TRUE(user.LookAt(main).IsEnded());
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"設定ファイル\"" + folder.Path("program/TavaroItemEditor.ini") +
                                                                 "\"に書き込めません。\n設定は保存されませんでした。"});
    });
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("program/TavaroItemEditor.ini")));
}

}  // namespace
