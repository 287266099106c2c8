// Text typed into the text windows that the file cannot hold: the
// separate-window edit and the direct input refuse it, name the field and
// stay open with it (the project name and the preferences' paths are their
// dialogs' tests).
#include "app/edit_dlg.h"
#include "../app/text_window_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Refusal(const std::string& name, const std::string& chars)
{
    return "[" + name + "]\tShift-JISで保存できない文字が含まれています：" + chars + "\n";
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
