// The separate-window edit, driven by a person. Its Tab key is the direct
// input's as well (ui/edit_tab_key.h).
#include "app/edit_dlg.h"
#include "text_window_fixture.h"

namespace {

enum : int32_t { kText = CEditDlg::IDC_TEXT };

class EditWindow : public TextWindowTest {
protected:
    EditWindow() : edit(settings, marker, CUiFont{}) { edit.SetTitle("funct(@@ITEM)"); }
    int32_t Run(const char* text, const std::function<void(CEditDlg&)>& drive) { return RunWindow(edit, text, drive); }

    CEditDlg edit;
};

// The section is made at the first opening, so the defaults apply; what is
// stored when the window goes is what the next opening shows.
TEST_F(EditWindow, OpensCaptionedByItsCallerWhereItWasLastAndMaximizedIfItWas)
{
    Run("a\r\nb", [&](CEditDlg& d) {
        EXPECT_STREQ(d.GetWindowText(), "funct(@@ITEM)");
        EXPECT_STREQ(user.Look(d, kText).text, "a\r\nb");
        EXPECT_EQ(d.GetWindowRect(), (CUiRect{0, 0, 500, 500}));
        user.Resize(d, 800, 600);
        user.Maximize(d);
    });
    EXPECT_EQ(Setting("/EditDialog/w"), "800");
    EXPECT_EQ(Setting("/EditDialog/Maximize"), "true");

    for (const auto& [key, value] : {std::pair{"x", "20"}, {"y", "30"}, {"w", "700"}, {"h", "100"}})
        settings.GetValueForWrite((std::string("/EditDialog/") + key).c_str())->Assign(value);
    Run("", [&](CEditDlg& d) {
        EXPECT_TRUE(d.IsZoomed());
        user.Restore(d);
        EXPECT_EQ(d.GetWindowRect(), (CUiRect{20, 30, 700, 150}));  // not below the minimum
        user.Click(d, kIdOk);
    });
    EXPECT_EQ(Setting("/EditDialog/Maximize"), "false");
    EXPECT_EQ(Setting("/EditDialog/h"), "150");
}

TEST_F(EditWindow, OkTakesTheTextAndMarksTheProjectEvenWhenUnchanged)
{
    struct Case {
        const char* name;
        std::function<void(CScriptedUser&, CEditDlg&)> act;
        int32_t result;
        const char* text;
        int marks;
    };
    const Case cases[] = {
        {"OK unchanged", [](CScriptedUser& u, CEditDlg& d) { u.Click(d, kIdOk); }, kIdOk, "x\r\ny", 1},
        {"typed, Tab (undoable), OK",
         [](CScriptedUser& u, CEditDlg& d) {
             u.TypeText(d, kText, "my $a;");
             u.SelectText(d, kText, 0, 0);
             u.PressKey(d, UiKey::kTab);
             u.Undo(d, kText);
             u.PressKey(d, UiKey::kTab);
             u.PressKey(d, UiKey::kEnter);
             u.Click(d, kIdOk);
         },
         kIdOk, "\t\r\nmy $a;", 1},
        {"Ctrl+Tab moves on to OK",
         [](CScriptedUser& u, CEditDlg& d) {
             u.Focus(d, kText);
             u.PressKey(d, UiKey::kTab, true);
             u.PressKey(d, UiKey::kEnter);
         },
         kIdOk, "x\r\ny", 1},
        {"typed, cancelled",
         [](CScriptedUser& u, CEditDlg& d) {
             u.TypeText(d, kText, "lost");
             u.Click(d, kIdCancel);
         },
         kIdCancel, "x\r\ny", 0},
        {"Escape", [](CScriptedUser& u, CEditDlg& d) { u.PressKey(d, UiKey::kEscape); }, kIdCancel, "x\r\ny", 0},
    };
    for (const Case& c : cases) {
        marker.count = 0;
        EXPECT_EQ(Run("x\r\ny", [&](CEditDlg& d) { c.act(user, d); }), c.result) << c.name;
        EXPECT_STREQ(edit.GetText(), c.text) << c.name;
        EXPECT_EQ(marker.count, c.marks) << c.name;
    }
}

}  // namespace
