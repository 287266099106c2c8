// The direct-input window and its error-info window, driven by a person.
#include "text_window_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using Selected = std::pair<uint32_t, uint32_t>;
enum : int32_t { kText = CDirectInputDlg::IDC_TEXT, kErrButton = CDirectInputDlg::IDC_ERRINFO };

class DirectInput : public TextWindowTest {
protected:
    DirectInput() : input(settings, marker) { input.SetCheck(std::ref(script)); }
    int32_t Run(const char* text, const std::function<void(CDirectInputDlg&)>& drive) { return RunWindow(input, text, drive); }
    // The texts of the error list, as UTF-8.
    Lines ErrorLines()
    {
        Lines lines;
        for (const CStr_base<64>& item : user.Look(input.ErrInfo(), CErrInfoDlg::IDC_LIST).items)
            lines.push_back(Cp932ToUtf8(item.GetBuffer()));
        return lines;
    }

    CDirectInputDlg input;
};

// Errors given for the opening are shown at once, and only that once;
// cancelling keeps the text given.
TEST_F(DirectInput, OpeningErrorsShowOnceAndCancelChangesNothing)
{
    input.SetOpeningErrors(Utf8ToCp932("[2]：@@ITEMが見つかりません。\n").c_str());
    Run("a\r\nb", [&](CDirectInputDlg& d) {
        EXPECT_TRUE(d.ErrInfo().IsWindowVisible());
        EXPECT_EQ(ErrorLines(), (Lines{"[2]：@@ITEMが見つかりません。"}));
        EXPECT_EQ(user.ActiveDialog(), &d);
    });
    const int32_t result = Run("a\nb", [&](CDirectInputDlg& d) {
        EXPECT_TRUE(ErrorLines().empty());
        EXPECT_FALSE(d.ErrInfo().IsWindowVisible());
        EXPECT_STREQ(user.Look(d, kText).text, "a\r\nb");  // the edit shows CR LF
        EXPECT_TRUE(d.Control(kText).HasFocus());
    });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_STREQ(input.GetText(), "a\nb");
    EXPECT_EQ(marker.count, 0);
    EXPECT_TRUE(script.seen.empty());
    EXPECT_FALSE(input.ErrInfo().HasWindow());
}

TEST_F(DirectInput, LeadingWhiteSpaceLeavesTheEditAndTheSelectionMovesBack)
{
    struct Case {
        const char* text;
        uint32_t start, end;
        const char* left;
        Selected after;
        const char* candidate;
    };
    const Case cases[] = {
        {"\r\n\r\n \t@@ITEM\r\nx", 8, 10, "@@ITEM\r\nx", {2, 4}, "@@ITEM\nx"},  // blank lines, blank and tab
        {"\r\n  ab", 1, 5, "ab", {0, 1}, "ab"},                              // selection inside the white space
        {"ab\r\n\r\n", 1, 1, "ab\r\n\r\n", {1, 1}, "ab\n\n"},                // nothing to remove
        {" \r\n\t", 2, 4, "", {0, 0}, ""},                                   // white space only
    };
    for (const Case& c : cases) {
        script.refusals = {"[1]\n"};
        Run(c.text, [&](CDirectInputDlg& d) {
            user.SelectText(d, kText, c.start, c.end);
            user.Click(d, kIdOk);
            EXPECT_TRUE(d.IsWindowVisible()) << c.text;
            EXPECT_STREQ(user.Look(d, kText).text, c.left) << c.text;
            EXPECT_EQ(Selection(d, kText), c.after) << c.text;
        });
        EXPECT_EQ(script.seen.back(), c.candidate) << c.text;
    }
    EXPECT_EQ(marker.count, 0);
}

TEST_F(DirectInput, AcceptedTextIsTakenAndMarksTheProjectOnlyWhenItChanged)
{
    struct Case {
        const char* text;
        const char* typed;    // null: nothing typed
        const char* rewrite;  // what the validation makes of the text
        const char* taken;
        int marks;
    };
    const Case cases[] = {
        {"a\r\nb", nullptr, "", "a\nb", 0},  // unchanged, given with CR LF
        {"a\nb", nullptr, "", "a\nb", 0},    // unchanged, given with LF
        {"a\r\nb", "c\r\nd", "", "c\nd", 1},
        {"a\r\nb", nullptr, "a\\\\b", "a\\\\b", 1},  // changed by the validation
        {"\r\na", nullptr, "", "a", 1},              // a blank line dropped
    };
    for (const Case& c : cases) {
        marker.count = 0;
        script.rewrite = c.rewrite;
        const int32_t result = Run(c.text, [&](CDirectInputDlg& d) {
            if (c.typed)
                user.TypeText(d, kText, c.typed);
            user.Click(d, kIdOk);
        });
        EXPECT_EQ(result, kIdOk) << c.text;
        EXPECT_STREQ(input.GetText(), c.taken) << c.text;
        EXPECT_EQ(marker.count, c.marks) << c.text;
        EXPECT_FALSE(input.ErrInfo().HasWindow()) << c.text;
    }
    EXPECT_EQ(script.seen, (Lines{"a\nb", "a\nb", "c\nd", "a\nb", "a"}));
    EXPECT_TRUE(script.waitCursorSeen);  // validation runs under the wait cursor
    EXPECT_FALSE(user.Backend().IsWaitCursorShown());

    input.SetCheck(nullptr);  // without validation all is accepted
    EXPECT_EQ(Run("b", [&](CDirectInputDlg& d) { user.Click(d, kIdOk); }), kIdOk);
}

// The error button and each refusal show the error window, or focus it
// when it is shown.
TEST_F(DirectInput, RefusedTextStaysWithTheErrorsShownThenFocused)
{
    script.refusals = {"[2]：bad\n[3]：worse\n", "[1]：again"};
    const int32_t result = Run("x\r\ny\r\nz", [&](CDirectInputDlg& d) {
        user.Click(d, kErrButton);
        EXPECT_EQ(user.ActiveDialog(), &d.ErrInfo());
        EXPECT_TRUE(ErrorLines().empty());
        user.Close(d.ErrInfo());
        user.TypeText(d, kText, "x\r\ny\r\nq");
        user.Click(d, kIdOk);
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(user.ActiveDialog(), &d.ErrInfo());
        EXPECT_EQ(ErrorLines(), (Lines{"[2]：bad", "[3]：worse"}));
        EXPECT_STREQ(user.Look(d, kText).text, "x\r\ny\r\nq");
        user.Focus(d, kText);
        user.Click(d, kIdOk);
        EXPECT_EQ(user.ActiveDialog(), &d.ErrInfo());
        EXPECT_EQ(ErrorLines(), (Lines{"[1]：again"}));  // a last line without line feed stays
        user.Click(d, kIdOk);
    });
    EXPECT_EQ(result, kIdOk);
    EXPECT_STREQ(input.GetText(), "x\ny\nq");
    EXPECT_FALSE(input.ErrInfo().HasWindow());
}

TEST_F(DirectInput, ErrorWindowHiddenByItsCommandsOrAJumpIsShownAgainByTheNextRefusal)
{
    const std::function<void(CDialogBase&)> ways[] = {
        [&](CDialogBase& e) { user.PressKey(e, UiKey::kEnter); },
        [&](CDialogBase& e) { user.Close(e); },
        [&](CDialogBase& e) { user.DoubleClick(e, CErrInfoDlg::IDC_LIST, 0); },  // a jump
    };
    for (const auto& hide : ways) {
        script.refusals = {"[1]：a\n", "[1]：b\n"};
        Run("t", [&](CDirectInputDlg& d) {
            user.Click(d, kIdOk);
            hide(d.ErrInfo());
            EXPECT_FALSE(d.ErrInfo().IsWindowVisible());
            user.Click(d, kIdOk);
            EXPECT_TRUE(d.ErrInfo().IsWindowVisible());
            EXPECT_EQ(ErrorLines(), (Lines{"[1]：b"}));
        });
    }
}

TEST_F(DirectInput, DoubleClickOnANumberedLinePutsTheCaretOnThatLine)
{
    std::string text;
    for (int line = 1; line <= 15; ++line)
        text += (line < 10 ? "L0" : "L") + std::to_string(line) + (line < 15 ? "\r\n" : "");
    struct Case {
        const char* line;
        int32_t caret;  // -1: nothing happens
    };
    const Case cases[] = {
        {"[12]：x", 55},   {"[0]：x", 0},     {"[1]：x", 0},      {"[15]：last", 70},
        {"[99]：past", 70}, {"[99999999999999999999]", 70},       {"see [3]", 10},
        {"no number", -1}, {"[]：x", -1},     {"[x1]", -1},
    };
    for (const Case& c : cases) {
        script.refusals = {std::string(c.line) + "\n"};
        Run(text.c_str(), [&](CDirectInputDlg& d) {
            user.SelectText(d, kText, 2, 4);
            user.Click(d, kIdOk);
            user.DoubleClick(d.ErrInfo(), CErrInfoDlg::IDC_LIST, 0);
            if (c.caret >= 0) {
                const uint32_t at = static_cast<uint32_t>(c.caret);
                EXPECT_EQ(Selection(d, kText), Selected(at, at)) << c.line;
                EXPECT_EQ(user.Look(d, kText).scrolledTo, c.caret) << c.line;
                EXPECT_TRUE(d.Control(kText).HasFocus()) << c.line;
            } else {
                EXPECT_EQ(Selection(d, kText), Selected(2, 4)) << c.line;
                EXPECT_TRUE(d.ErrInfo().IsWindowVisible()) << c.line;
            }
        });
    }
}

TEST_F(DirectInput, LockedErrorWindowStaysAfterAJumpAndTheLockIsKept)
{
    EnsureRootSection(settings, "ErrInfoDialog");
    settings.GetValueForWrite("/ErrInfoDialog/Lock")->Assign("ON");
    script.refusals = {"[2]：x\n"};
    Run("a\r\nb", [&](CDirectInputDlg& d) {
        user.Click(d, kIdOk);
        user.DoubleClick(d.ErrInfo(), CErrInfoDlg::IDC_LIST, 0);
        EXPECT_EQ(Selection(d, kText), Selected(3, 3));
        EXPECT_TRUE(d.ErrInfo().IsWindowVisible());
        user.SetCheck(d.ErrInfo(), CErrInfoDlg::IDC_LOCK, false);
        user.DoubleClick(d.ErrInfo(), CErrInfoDlg::IDC_LIST, 0);
        EXPECT_FALSE(d.ErrInfo().IsWindowVisible());
    });
    EXPECT_EQ(Setting("/ErrInfoDialog/Lock"), "OFF");
}

TEST_F(DirectInput, GeometryComesFromItsSectionWhenThereIsOneAndIsStoredOnClose)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> values;  // under /DirectInputDialog; none: no section
        CUiRect normal;
        bool maximized;
    };
    const CUiRect fromTemplate{0, 0, 480 + kHeadlessFrame.w, 360 + kHeadlessFrame.h};
    const Case cases[] = {
        {{}, fromTemplate, false},
        {{{"Maximize", "false"}}, {0, 0, 500, 500}, false},  // an empty section: the defaults
        {{{"w", "10"}, {"h", "20"}}, {0, 0, 350, 150}, false},  // below the minimum
        {{{"x", "5"}, {"y", "5"}, {"w", "600"}, {"h", "400"}, {"Maximize", "true"}}, {5, 5, 600, 400}, true},
        {{{"Maximize", "TRUE"}}, {0, 0, 500, 500}, false},  // only "true" maximizes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.values));
        settings.Clear();
        if (!c.values.empty())
            EnsureRootSection(settings, "DirectInputDialog");
        for (const auto& [key, value] : c.values)
            settings.GetValueForWrite((std::string("/DirectInputDialog/") + key).c_str())->Assign(value);
        Run("", [&](CDirectInputDlg& d) {
            EXPECT_EQ(d.GetNormalRect(), c.normal);
            EXPECT_EQ(d.IsZoomed(), c.maximized);
        });
        EXPECT_EQ(Setting("/DirectInputDialog/x"), std::to_string(c.normal.x));
        EXPECT_EQ(Setting("/DirectInputDialog/w"), std::to_string(c.normal.w));
        EXPECT_EQ(Setting("/DirectInputDialog/h"), std::to_string(c.normal.h));
        EXPECT_EQ(Setting("/DirectInputDialog/Maximize"), c.maximized ? "true" : "false");
    }
}

}  // namespace
