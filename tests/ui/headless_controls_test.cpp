// Controls of the headless backend as a person meets them: edits (typing
// within the limit, selections on character starts, undo, lines) and lists,
// combo boxes and tabs, with the notifications each change gives.
#include <gtest/gtest.h>

#include "foundation/sjis_literal.h"
#include "probe_dialog.h"

namespace {

TEST(HeadlessEdit, TypingReplacesTheSelectionWithinTheLimit)
{
    struct Case {
        const char* text;
        uint32_t start, end;
        const char* typed;
        uint32_t limit;
        const char* result;
        uint32_t caret;
    };
    const std::string a = SJ("あ"), ai = SJ("あい"), xi = std::string("X") + SJ("い");
    const Case cases[] = {
        {"abc", 3, 1, "Z", 0, "aZ", 2},                     // a reversed selection
        {"abcd", 4, 4, "XYZ", 5, "abcdX", 5},
        {"abcd", 0, 4, "XYZ", 4, "XYZ", 3},                 // the replaced part counts free
        {"abc", 3, 3, a.c_str(), 4, "abc", 3},              // no half character under the limit
        {ai.c_str(), 1, 3, "X", 0, xi.c_str(), 1},          // a selection starts on a character
        {"ab", 7, 9, "X", 0, "abX", 3},
    };
    for (const Case& c : cases) {
        ShownProbe s;
        CUiControl edit = s.dialog.Control(kProbeLine);
        edit.SetText(c.text);
        edit.SetLimitText(c.limit);
        edit.SetSel(c.start, c.end);
        ASSERT_TRUE(s.user.TypeAtCaret(s.dialog, kProbeLine, c.typed));
        EXPECT_STREQ(s.user.Look(s.dialog, kProbeLine).text, c.result) << c.result;
        uint32_t start = 0, end = 0;
        edit.GetSel(start, end);
        EXPECT_EQ(start, c.caret) << c.result;
        EXPECT_EQ(end, c.caret) << c.result;
    }
}

TEST(HeadlessEdit, UndoTogglesTheLastChangeAndProgramTextNotifiesEditsOnly)
{
    ShownProbe s;
    CUiControl text = s.dialog.Control(kProbeText);
    text.SetText("one");
    text.SetSel(3, 3);
    ASSERT_TRUE(s.user.TypeAtCaret(s.dialog, kProbeText, " two"));
    ASSERT_TRUE(s.user.Undo(s.dialog, kProbeText));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, "one");
    ASSERT_TRUE(s.user.Undo(s.dialog, kProbeText));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, "one two");

    s.dialog.m_ownLog.clear();
    text.SetText("a\r\nbc\r\n\r\nd");  // resets undo
    s.dialog.Control(kProbeCombo).SetText("combo");
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 12 changed"}));
    EXPECT_FALSE(s.user.Undo(s.dialog, kProbeText));
    // Lines end at line feeds; past the last line there is no line.
    EXPECT_EQ(text.GetLineCount(), 4u);
    EXPECT_EQ(text.LineIndex(2), 7);
    EXPECT_EQ(text.LineIndex(4), -1);

    // A read-only edit takes program text but no typing.
    text.SetReadOnly(true);
    EXPECT_FALSE(s.user.TypeText(s.dialog, kProbeText, "x"));
    EXPECT_EQ(s.user.TakeProblems().size(), 1u);
}

TEST(HeadlessLists, SelectionFollowsItsItemAndThePersonsChoicesNotify)
{
    ShownProbe s;
    CUiControl list = s.dialog.Control(kProbeList);
    for (const char* item : {"a", "b", "c"})
        list.AddString(item);
    list.SetCurSel(1);
    EXPECT_EQ(list.InsertString(0, "first"), 0);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(list.DeleteString(0));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_TRUE(list.DeleteString(1));
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_FALSE(list.DeleteString(2));
    EXPECT_TRUE(s.dialog.m_ownLog.empty());  // the program's changes do not notify

    for (int32_t id : {kProbeDrop, kProbeTabs}) {
        s.dialog.Control(id).AddString("zero");
        s.dialog.Control(id).AddString("one");
    }
    ASSERT_TRUE(s.user.Select(s.dialog, kProbeDrop, 1));
    ASSERT_TRUE(s.user.Select(s.dialog, kProbeTabs, 1));
    ASSERT_TRUE(s.user.DoubleClick(s.dialog, kProbeList, 0));
    EXPECT_FALSE(s.user.Select(s.dialog, kProbeList, 2));
    EXPECT_FALSE(s.user.DoubleClick(s.dialog, kProbeDrop, 0));
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 14 selchanged", "probe: cmd 17 selchanged",
                                      "probe: cmd 16 selchanged", "probe: cmd 16 dblclicked"}));
    EXPECT_EQ(s.user.TakeProblems().size(), 2u);
    CStr_base<64> text;
    s.dialog.Control(kProbeDrop).GetText(text);
    EXPECT_STREQ(text, "one");
    s.dialog.Control(kProbeDrop).ResetContent();
    EXPECT_EQ(s.dialog.Control(kProbeDrop).GetCurSel(), -1);
}

}  // namespace
