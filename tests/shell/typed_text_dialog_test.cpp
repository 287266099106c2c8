// Text typed into the dialogs and text windows that the file cannot hold:
// the project name, the separate-window edit and the direct input refuse
// it, name the field and stay open with it (the preferences' paths are the
// preferences' test).
#include "app/edit_dlg.h"
#include "app/project_info_dlg.h"
#include "main_dlg_fixture.h"
#include "../app/text_window_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Refusal(const std::string& name, const std::string& chars)
{
    return "[" + name + "]\tShift-JISで保存できない文字が含まれています：" + chars + "\n";
}

class TypedTextMainTest : public MainDlgTest {};

TEST_F(TypedTextMainTest, TheProjectNameRefusesWhatTheFileCannotHold)
{
    Run([&](CMainDlg& main) {
        user.OnModal(
            [&](CDialogBase& d) {
                ASSERT_TRUE(user.TypeUnicode(d, CProjectInfoDlg::IDC_NAME, U"\u6E2F\uD55C"));  // 港한
                user.Click(d, kIdOk);
                EXPECT_FALSE(user.LookAt(d).IsEnded());
                EXPECT_EQ(user.TakeMessages(),
                          Lines{Refusal("プロジェクトの名称(MERXのみで使用されます)", "U+D55C")});
                EXPECT_EQ(user.Look(d, CProjectInfoDlg::IDC_NAME).typed, U"\u6E2F\uD55C");
                // 〜 is CP932's ～.
                ASSERT_TRUE(user.TypeUnicode(d, CProjectInfoDlg::IDC_NAME, U"\u6E2F\u301C"));
                user.Click(d, kIdOk);
            },
            CProjectInfoDlg::IDD);
        user.ChooseMenu(main, ID_FILE_NEW);
        EXPECT_EQ(ProjectInTitle(main), "港～");
    });
}

class TypedTextWindowTest : public TextWindowTest {};

TEST_F(TypedTextWindowTest, TheTextWindowsStayOpenWithTheTypedText)
{
    CEditDlg edit(settings, marker, CUiFont{});
    edit.SetTitle("funct(@@ITEM)");
    RunWindow(edit, "a", std::function<void(CEditDlg&)>([&](CEditDlg& d) {
                  ASSERT_TRUE(user.TypeUnicode(d, CEditDlg::IDC_TEXT, U"a\r\n\U0001F600"));
                  user.Click(d, kIdOk);
                  EXPECT_FALSE(user.LookAt(d).IsEnded());
                  EXPECT_EQ(user.TakeMessages(), Lines{Refusal("funct(@@ITEM)", "U+1F600")});
              }));
    EXPECT_EQ(marker.count, 0);
    EXPECT_STREQ(edit.GetText(), "a");

    CDirectInputDlg input(settings, marker);
    input.SetCheck(std::ref(script));
    const int32_t result = RunWindow(input, "a", std::function<void(CDirectInputDlg&)>([&](CDirectInputDlg& d) {
                                         ASSERT_TRUE(user.TypeUnicode(d, CDirectInputDlg::IDC_TEXT, U"\u00E9"));
                                         user.Click(d, kIdOk);
                                         EXPECT_FALSE(user.LookAt(d).IsEnded());
                                         EXPECT_EQ(user.TakeMessages().size(), 1u);
                                     }));
    EXPECT_EQ(result, kIdCancel);
    EXPECT_TRUE(script.seen.empty());
    EXPECT_STREQ(input.GetText(), "a");
}

}  // namespace
