// Project files through the main window: the save question, backups, files
// the editor cannot take as they are, the review of reader messages, and a
// new project.
#include <filesystem>

#include "main_dlg_fixture.h"

namespace {

using MainProject = MainDlgTest;

TEST_F(MainProject, EachAnswerOfTheSaveQuestionOnExit)
{
    struct Case {
        UiAnswer answer;
        bool saved;
        bool closed;
    };
    for (const Case c : {Case{UiAnswer::kYes, true, true}, Case{UiAnswer::kNo, false, true},
                         Case{UiAnswer::kCancel, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        const std::string path = folder.Path("saved.cgi");
        std::filesystem::remove(path);
        Run([&](CMainDlg& main) {
            Modify(main);
            user.Answer(c.answer);
            if (c.answer == UiAnswer::kYes)
                user.AnswerFile(path.c_str());
            user.ChooseMenu(main, ID_FILE_EXIT);
            EXPECT_EQ(user.LookAt(main).IsEnded(), c.closed);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"プロジェクトが更新されています。\n保存しますか？"});
            if (!c.closed) {
                EXPECT_FALSE(main.m_nModalWait.IsWaiting());
                user.Answer(UiAnswer::kNo);
                user.ChooseMenu(main, ID_FILE_EXIT);
            }
        });
        EXPECT_EQ(std::filesystem::exists(path), c.saved);
        if (c.saved) {
            EXPECT_NE(folder.Get("saved.cgi").find("###IconImagePath=icons\r\n"), std::string::npos);
        }
    }
}

// Saving over an opened file keeps the previous file in the backup folder
// (a missing switch counts as on); without the folder, the user is asked.
TEST_F(MainProject, SavingKeepsABackupOrAsksWhetherToGoOnWithout)
{
    struct Case {
        bool folderThere;
        UiAnswer question;  // kNone: no question
        bool written;
    };
    for (const Case& c : {Case{true, UiAnswer::kNone, true}, Case{false, UiAnswer::kNo, false},
                          Case{false, UiAnswer::kYes, true}}) {
        SCOPED_TRACE(static_cast<int>(c.question));
        std::filesystem::remove_all(folder.Path("program/backup"));
        if (c.folderThere)
            std::filesystem::create_directory(folder.Path("program/backup"));
        startup.commandLine = Project("data.cgi", "港");
        const std::string before = folder.Get("data.cgi");
        Run([&](CMainDlg& main) {
            Modify(main);
            if (c.question != UiAnswer::kNone)
                user.Answer(c.question);
            user.ChooseMenu(main, ID_FILE_SAVE);
            EXPECT_EQ(user.TakeMessages(), c.question == UiAnswer::kNone
                                               ? std::vector<std::string>{}
                                               : std::vector<std::string>{"ファイルのバックアップに失敗しました。\n"
                                                                          "エラーコード：2\n\n続行しますか？"});
            EXPECT_EQ(main.IsModified(), !c.written);
            if (main.IsModified())
                user.Answer(UiAnswer::kNo);
        });
        user.TakeMessages();  // the save question on exit
        EXPECT_EQ(folder.Get("data.cgi") != before, c.written);
        if (c.folderThere)
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("program/backup")), {}), 1);
    }
}

// A file whose project information cannot be used resets the project.
TEST_F(MainProject, AnUnknownRuleResetsTheProjectWithAMessage)
{
    const std::string path = PutFile("bad.cgi", InfoBlock("missing.sir", "壊") + kSword);
    Run([&](CMainDlg& main) {
        user.AnswerFile(path.c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].rfind("MERXプロジェクト情報で指定されたルールを読み込めません。\n", 0), 0u) << messages[0];
        EXPECT_EQ(Title(main), "無題 - TavaroItemEditor");
        EXPECT_EQ(main.Document().itemdata.GetCount(), 0u);
        EXPECT_EQ(HistoryMenu(main), std::vector<std::string>{"(なし) (grayed)"});
    });
}

TEST_F(MainProject, AFileWithoutBlockAsksForNameAndRule)
{
    const std::string path = PutFile("plain.cgi", kSword);
    Run([&](CMainDlg& main) {
        user.OnModal(
            [&](CDialogBase& d) {
                EXPECT_EQ(user.Look(d, 1003).curSel, 1);
                user.TypeText(d, 1084, Utf8ToCp932("市場").c_str());
                user.Select(d, 1003, 0);
                user.Click(d, kIdOk);
            },
            143);
        user.AnswerFile(path.c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        EXPECT_EQ(Title(main), "市場 - TavaroItemEditor");
        EXPECT_FALSE(main.Document().IsBeta());
        EXPECT_EQ(main.Document().itemdata.GetCount(), 1u);
    });
}

// The reader's lines are shown in the direct-input window, where the user
// applies the text again, jumps to the line and corrects it, or gives up.
TEST_F(MainProject, ReaderMessagesAreReviewedInTheDirectInputWindow)
{
    const std::string path = PutFile("lines.cgi", InfoBlock(kBetaRule, "行") +
                                                      "@@ITEM\r\n\tno\t1\r\n\tbogus\t2\r\n\tname\tsword\r\n");
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept);
        Run([&](CMainDlg& main) {
            user.OnModal(
                [&](CDialogBase& d) {
                    CDirectInputDlg& input = main.DirectInput();
                    const std::vector<CStr_base<64>>* errors = &user.Look(input.ErrInfo(), CErrInfoDlg::IDC_LIST).items;
                    ASSERT_EQ(errors->size(), 1u);
                    EXPECT_EQ(Cp932ToUtf8((*errors)[0].GetBuffer()), "[3]：@@ITEM：要素名\"bogus\"は定義されていません。");
                    user.Click(d, kIdOk);  // the same text again: still refused
                    EXPECT_TRUE(user.LookAt(d).IsVisible());
                    if (!accept) {
                        user.Click(d, kIdCancel);
                        return;
                    }
                    // The line number leads the caret to the line to correct.
                    user.DoubleClick(input.ErrInfo(), CErrInfoDlg::IDC_LIST, 0);
                    const CHeadlessControl& edit = user.Look(d, CDirectInputDlg::IDC_TEXT);
                    EXPECT_EQ(std::string(edit.text).substr(edit.selStart, 10), "\tbogus\t2\r\n");
                    user.TypeText(d, CDirectInputDlg::IDC_TEXT, "@@ITEM\r\n\tno\t1\r\n\tname\tshield\r\n");
                    user.Click(d, kIdOk);
                },
                CDirectInputDlg::IDD);
            user.AnswerFile(path.c_str());
            user.ChooseMenu(main, ID_FILE_OPEN);
            ASSERT_EQ(main.Document().itemdata.GetCount(), accept ? 1u : 0u);
            if (accept) {
                EXPECT_STREQ(*main.Document().itemdata[0].GetField("name"), "shield");
            }
            EXPECT_EQ(Title(main), accept ? "行 - TavaroItemEditor" : "無題 - TavaroItemEditor");
            EXPECT_FALSE(main.IsModified());
        });
    }
}

TEST_F(MainProject, NewProjectTakesTheChosenNameAndRule)
{
    struct Case {
        std::string typed;
        int32_t rule;
        const char* title;
        bool beta;
    };
    for (const Case& c : {Case{"港町", 0, "港町 - TavaroItemEditor", false}, Case{"", 1, "無題 - TavaroItemEditor", true}}) {
        Run([&](CMainDlg& main) {
            Modify(main);
            user.Select(main, CMainDlg::IDC_TAB, 0);  // applies the icon folder
            user.Answer(UiAnswer::kNo);
            user.OnModal(
                [&](CDialogBase& d) {
                    user.TypeText(d, 1084, Utf8ToCp932(c.typed).c_str());
                    user.Select(d, 1003, c.rule);
                    user.Click(d, kIdOk);
                },
                143);
            user.ChooseMenu(main, ID_FILE_NEW);
            EXPECT_EQ(Title(main), c.title);
            EXPECT_EQ(main.Document().IsBeta(), c.beta);
            EXPECT_EQ(SelectedTab(main), 0);
            EXPECT_EQ(main.CurrentPageIndex(), 0);
            EXPECT_FALSE(main.IsModified());
            EXPECT_EQ(std::string(main.ProjectInfo().iconImagePath), "icons");  // the folder stays
        });
    }
}

}  // namespace
