// The save question before New, Open, a recent project and Exit: Cancel,
// and a Yes whose save fails, keep the window, the project and its edits
// (Open asks before its file dialog, which then does not come).
#include <filesystem>

#include "main_dlg_fixture.h"

namespace {

using MainSaveQuestion = MainDlgTest;

const std::string kQuestion = "プロジェクトが更新されています。\n保存しますか？";

TEST_F(MainSaveQuestion, ACancelOrAFailedSaveKeepsTheProjectAndItsEdits)
{
    const int32_t commands[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_HISTORY_FIRST, ID_FILE_EXIT};
    for (const UiAnswer answer : {UiAnswer::kCancel, UiAnswer::kYes}) {
        for (const int32_t command : commands) {
            SCOPED_TRACE(std::to_string(command) + (answer == UiAnswer::kYes ? " yes" : " cancel"));
            std::filesystem::create_directories(folder.Path("work"));
            startup.commandLine = Project("work/harbor.cgi", "港町");
            user.TakeMessages();  // the question of the last run's close
            Run([&](CMainDlg& main) {
                Modify(main);
                // A save into a folder that went fails.
                if (answer == UiAnswer::kYes)
                    std::filesystem::remove_all(folder.Path("work"));
                user.Answer(answer);
                user.ChooseMenu(main, command);
                const std::vector<std::string> messages = user.TakeMessages();
                ASSERT_FALSE(messages.empty());
                EXPECT_EQ(messages.front(), kQuestion);
                EXPECT_EQ(messages.size(), answer == UiAnswer::kYes ? 2u : 1u);  // and the failure
                EXPECT_TRUE(main.HasWindow());
                EXPECT_TRUE(main.IsModified());
                EXPECT_EQ(Title(main), "*harbor.cgi ― 港町 ― Tavaro Item Editor");
                EXPECT_EQ(Cp932ToUtf8(user.Look(*main.CurrentPage(), 1084).text.GetBuffer()), "icons");
                user.Answer(UiAnswer::kNo);  // the save question on closing
            });
        }
    }
}

}  // namespace
