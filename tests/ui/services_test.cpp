// Services of the layer under the scripted person: message boxes, file
// dialogs and their filters, the wait cursor and the shell, with the
// problems the scripted person reports (an answer left unused, a dialog
// nobody answered). Timers, posted messages, menus and the program's
// activation are tested on Qt.
#include <gtest/gtest.h>

#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"
#include "probe_dialog.h"
#include "ui/file_filter.h"
#include "ui/ui_services.h"

namespace {

TEST(UiServices, MessageBoxesAreAnsweredInOrderAndRecordedByteForByte)
{
    struct Case {
        UiButtons buttons;
        UiAnswer defaultButton;
        std::vector<UiAnswer> queued;
        UiAnswer answer;
        size_t problems;
    };
    const Case cases[] = {
        {UiButtons::kOk, UiAnswer::kNone, {}, UiAnswer::kOk, 0},                  // OK needs no answer
        {UiButtons::kOk, UiAnswer::kNone, {UiAnswer::kYes}, UiAnswer::kOk, 1},    // and leaves a Yes unused
        {UiButtons::kYesNoCancel, UiAnswer::kNone, {UiAnswer::kCancel}, UiAnswer::kCancel, 0},
        {UiButtons::kYesNo, UiAnswer::kNo, {}, UiAnswer::kNo, 1},                 // unanswered: the default
        {UiButtons::kYesNo, UiAnswer::kNone, {UiAnswer::kOk}, UiAnswer::kYes, 1},  // an answer the box lacks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        CScriptedUser user;
        for (UiAnswer answer : c.queued)
            user.Answer(answer);
        EXPECT_EQ(UiMessageBox(SJ("保存しますか？\n"), c.buttons, nullptr, c.defaultButton), c.answer);
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.MessageBoxes()[0].defaultButton, c.defaultButton);
        EXPECT_EQ(user.TakeMessages(), (Log{"保存しますか？\n"}));
        EXPECT_EQ(user.TakeProblems().size(), c.problems);
    }
}

TEST(UiServices, FileDialogsShellCallsAndTheWaitCursorAreRecorded)
{
    CScriptedUser user;
    CUiFileRequest request;
    request.initialName = "inc-item-data.cgi";
    request.filter = "a|*.a||";
    user.AnswerFile("C:\\data\\x.cgi");
    user.AnswerFile(nullptr);
    CStr_base<64> path("before");
    EXPECT_TRUE(UiAskFileName(request, path));
    EXPECT_STREQ(path, "C:\\data\\x.cgi");
    EXPECT_FALSE(UiAskFileName(request, path));
    EXPECT_FALSE(UiAskFileName(request, path));
    EXPECT_STREQ(path, "C:\\data\\x.cgi");
    ASSERT_EQ(user.FileDialogs().size(), 3u);
    EXPECT_STREQ(user.FileDialogs()[0].initialName, "inc-item-data.cgi");
    EXPECT_EQ(user.TakeProblems(), (Log{"nobody answered a file dialog"}));

    user.AnswerShell(2);
    EXPECT_EQ(UiShellOpen("open", "C:\\p\\TavaroItemEditor.htm", {}, ""), 2);
    CStrArray_base<64> arguments;
    arguments.Add()->Assign("-a");
    arguments.Add()->Assign("C:\\i \"x\"\\item-no-1.png");
    EXPECT_GT(UiShellOpen("open", "edit.exe", arguments, nullptr), 32);
    ASSERT_EQ(user.ShellCalls().size(), 2u);
    EXPECT_EQ(user.ShellCalls()[1].arguments, (std::vector<std::string>{"-a", "C:\\i \"x\"\\item-no-1.png"}));

    {
        CUiWaitCursor outer;
        {
            CUiWaitCursor inner;
        }
        EXPECT_TRUE(user.Backend().IsWaitCursorShown());
    }
    EXPECT_FALSE(user.Backend().IsWaitCursorShown());
    EXPECT_EQ(user.Backend().GetWaitCursorShows(), 1u);
}

TEST(UiServices, FileFilterSplitsIntoNamePatternPairs)
{
    struct Case {
        std::string filter;
        Log names, patterns;
    };
    const Case cases[] = {
        {SJ("inc-item-data.cgi|inc-item-data.cgi|CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||"),
         {"inc-item-data.cgi", "CGI ファイル(*.cgi)", "全てのファイル(*.*)"},
         {"inc-item-data.cgi", "*.cgi", "*.*"}},
        {SJ("a－b|*.x||"), {"a－b"}, {"*.x"}},  // the second byte of "－" is "|"
        {"a|*.a|b", {"a"}, {"*.a"}},             // a name without pattern
        {"a|*.a||b|*.b||", {"a"}, {"*.a"}},      // nothing after the end
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        CStrArray_base<64> names, patterns;
        UiSplitFileFilter(c.filter.c_str(), names, patterns);
        Log gotNames, gotPatterns;
        for (const CStr_base<64>& name : names)
            gotNames.push_back(Cp932ToUtf8(name.GetBuffer()));
        for (const CStr_base<64>& pattern : patterns)
            gotPatterns.push_back(Cp932ToUtf8(pattern.GetBuffer()));
        EXPECT_EQ(gotNames, c.names) << c.filter;
        EXPECT_EQ(gotPatterns, c.patterns) << c.filter;
    }
}

}  // namespace
