// Controls of the headless backend: edits (typing, limits, selections on
// character starts, undo, lines) and lists, combo boxes and tabs.
#include <gtest/gtest.h>

#include "foundation/sjis_literal.h"
#include "probe_dialog.h"

namespace {

using Log = std::vector<std::string>;

using Shown = ShownProbe;

TEST(HeadlessEdit, TypingReplacesTheSelectionWithinTheLimit)
{
    struct Case {
        const char* name;
        const char* text;
        uint32_t start, end;
        bool whole;
        const char* typed;
        uint32_t limit;
        const char* result;
        uint32_t caret;
    };
    const std::string a = SJ("あ"), ai = SJ("あい"), xi = std::string("X") + SJ("い");
    const Case cases[] = {
        {"insert at caret", "abc", 1, 1, false, "X", 0, "aXbc", 2},
        {"replace selection", "abc", 0, 3, false, "Z", 0, "Z", 1},
        {"replace reversed selection", "abc", 3, 1, false, "Z", 0, "aZ", 2},
        {"whole text", "abc", 1, 1, true, "new", 0, "new", 3},
        {"cut at the limit", "abcd", 4, 4, false, "XYZ", 5, "abcdX", 5},
        {"limit counts the replaced part free", "abcd", 0, 4, false, "XYZ", 4, "XYZ", 3},
        {"no half character under the limit", "abc", 3, 3, false, a.c_str(), 4, "abc", 3},
        {"selection inside a character moves to its start", ai.c_str(), 1, 3, false, "X", 0,
         xi.c_str(), 1},
        {"selection past the end", "ab", 7, 9, false, "X", 0, "abX", 3},
    };
    for (const Case& c : cases) {
        Shown s;
        CUiControl edit = s.dialog.Control(kProbeLine);
        edit.SetText(c.text);
        edit.SetLimitText(c.limit);
        edit.SetSel(c.start, c.end);
        ASSERT_TRUE(c.whole ? s.user.TypeText(s.dialog, kProbeLine, c.typed)
                            : s.user.TypeAtCaret(s.dialog, kProbeLine, c.typed))
            << c.name;
        EXPECT_STREQ(s.user.Look(s.dialog, kProbeLine).text, c.result) << c.name;
        uint32_t start = 0, end = 0;
        edit.GetSel(start, end);
        EXPECT_EQ(start, c.caret) << c.name;
        EXPECT_EQ(end, c.caret) << c.name;
    }
}

TEST(HeadlessEdit, UndoTogglesTheLastChangeAndProgramTextNotifiesEditsOnlyAndResetsIt)
{
    Shown s;
    s.dialog.Control(kProbeText).SetText("one");
    s.dialog.Control(kProbeText).SetSel(3, 3);
    ASSERT_TRUE(s.user.TypeAtCaret(s.dialog, kProbeText, " two"));
    ASSERT_TRUE(s.user.Undo(s.dialog, kProbeText));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, "one");
    ASSERT_TRUE(s.user.Undo(s.dialog, kProbeText));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, "one two");

    s.dialog.m_ownLog.clear();
    s.dialog.Control(kProbeText).SetText("set");
    s.dialog.Control(kProbeCombo).SetText("combo");
    s.dialog.Control(kProbeLabel).SetText("label");
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 12 changed"}));
    uint32_t start = 9, end = 9;
    s.dialog.Control(kProbeText).GetSel(start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_FALSE(s.user.Undo(s.dialog, kProbeText));

    // A read-only edit takes program text but no typing.
    s.dialog.Control(kProbeText).SetReadOnly(true);
    s.dialog.Control(kProbeText).ReplaceSel(">", false);
    EXPECT_FALSE(s.user.TypeText(s.dialog, kProbeText, "x"));
    EXPECT_STREQ(s.user.Look(s.dialog, kProbeText).text, ">set");
    EXPECT_EQ(s.user.TakeProblems().size(), 1u);
}

TEST(HeadlessEdit, LinesEndAtLineFeeds)
{
    Shown s;
    CUiControl edit = s.dialog.Control(kProbeText);
    edit.SetText("a\r\nbc\r\n\r\nd");
    EXPECT_EQ(edit.GetLineCount(), 4u);
    const int32_t starts[] = {0, 3, 7, 9, -1};
    for (uint32_t line = 0; line < 5; ++line)
        EXPECT_EQ(edit.LineIndex(line), starts[line]) << line;
    edit.SetText("x\r\n");
    EXPECT_EQ(edit.GetLineCount(), 2u);
    EXPECT_EQ(edit.LineIndex(1), 3);
    edit.SetText("");
    EXPECT_EQ(edit.GetLineCount(), 1u);
    EXPECT_EQ(edit.LineIndex(0), 0);
}

TEST(HeadlessLists, SelectionFollowsItsItemThroughInsertsAndDeletes)
{
    Shown s;
    CUiControl list = s.dialog.Control(kProbeList);
    for (const char* item : {"a", "b", "c"})
        list.AddString(item);
    list.SetCurSel(1);
    EXPECT_EQ(list.InsertString(0, "first"), 0);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.InsertString(99, "last"), 4);
    EXPECT_TRUE(list.DeleteString(0));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_TRUE(list.DeleteString(1));
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_FALSE(list.DeleteString(3));
    CStr_base<64> text("old");
    EXPECT_FALSE(list.GetItemText(3, text));
    EXPECT_STREQ(text, "");
    EXPECT_TRUE(list.GetItemText(2, text));
    EXPECT_STREQ(text, "last");
    EXPECT_EQ(list.GetCount(), 3u);
    list.SetCurSel(7);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_TRUE(s.dialog.m_ownLog.empty());
}

TEST(HeadlessLists, PersonSelectsAndDoubleClicksWithNotifications)
{
    Shown s;
    for (int32_t id : {kProbeList, kProbeDrop, kProbeCombo, kProbeTabs}) {
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
    ASSERT_TRUE(s.user.Select(s.dialog, kProbeCombo, 0));
    ASSERT_TRUE(s.user.TypeText(s.dialog, kProbeCombo, "typed"));
    s.dialog.Control(kProbeCombo).GetText(text);
    EXPECT_STREQ(text, "typed");
    s.dialog.Control(kProbeCombo).SetCurSel(-1);
    s.dialog.Control(kProbeCombo).GetText(text);
    EXPECT_STREQ(text, "");
    s.dialog.Control(kProbeDrop).ResetContent();
    s.dialog.Control(kProbeDrop).GetText(text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(s.dialog.Control(kProbeDrop).GetCurSel(), -1);
}

}  // namespace
