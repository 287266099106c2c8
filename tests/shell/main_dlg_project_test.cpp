// Project files through the main window: what its windows add to the project
// routines (the document tests have their rules): the review of reader
// messages in the direct-input window, and the project-information dialog.
#include "main_dlg_fixture.h"

namespace {

using MainProject = MainDlgTest;

// The reader's lines are shown in the direct-input window, where the user
// applies the text again, corrects it, or gives up (the jump to a line is
// the direct input's test).
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
            EXPECT_EQ(ProjectInTitle(main), accept ? "行" : "無題");
            EXPECT_FALSE(main.IsModified());
        });
    }
}

// The project-information dialog names a new project, or a file without
// project information: an empty name is "無題"; the icon folder stays. A
// name the file cannot hold is refused, and the dialog stays with it.
TEST_F(MainProject, TheProjectInformationDialogNamesANewOrUnmarkedProject)
{
    const std::string plain = PutFile("plain.cgi", kSword);
    struct Case {
        int32_t command;
        std::string typed;
        int32_t rule;
        const char* title;
        bool beta;
        uint32_t items;
    };
    for (const Case& c : {Case{ID_FILE_NEW, "港町", 0, "港町", false, 0},
                          Case{ID_FILE_NEW, "", 1, "無題", true, 0},
                          Case{ID_FILE_OPEN, "市場", 0, "市場", false, 1}}) {
        Run([&](CMainDlg& main) {
            Modify(main);
            user.Select(main, CMainDlg::IDC_TAB, 0);  // applies the icon folder
            user.Answer(UiAnswer::kNo);
            user.OnModal(
                [&](CDialogBase& d) {
                    EXPECT_EQ(user.Look(d, 1003).curSel, 1);
                    ASSERT_TRUE(user.TypeUnicode(d, 1084, U"\u6E2F\uD55C"));  // 港한
                    user.Click(d, kIdOk);
                    EXPECT_FALSE(user.LookAt(d).IsEnded());
                    EXPECT_EQ(user.TakeMessages().back(), "[プロジェクトの名称(MERXのみで使用されます)]\t"
                                                          "Shift-JISで保存できない文字が含まれています：U+D55C\n");
                    EXPECT_EQ(user.Look(d, 1084).typed, U"\u6E2F\uD55C");
                    user.TypeText(d, 1084, Utf8ToCp932(c.typed).c_str());
                    user.Select(d, 1003, c.rule);
                    user.Click(d, kIdOk);
                },
                143);
            if (c.command == ID_FILE_OPEN)
                user.AnswerFile(plain.c_str());
            user.ChooseMenu(main, c.command);
            EXPECT_EQ(ProjectInTitle(main), c.title);
            EXPECT_EQ(main.Document().IsBeta(), c.beta);
            EXPECT_EQ(main.Document().itemdata.GetCount(), c.items);
            EXPECT_EQ(main.CurrentPageIndex(), 0);
            EXPECT_FALSE(main.IsModified());
            EXPECT_EQ(std::string(main.ProjectInfo().iconImagePath), "icons");
        });
    }
}

}  // namespace
