// Services of the layer under the scripted person: message boxes, file
// dialogs and their filters, the wait cursor, the shell, posted messages
// and menus.
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

TEST(UiServices, PostedMessagesReachTheKeyFilterWhenTheLoopRuns)
{
    CScriptedUser user;
    CProbeDlg dialog, other(ProbeTemplate(), "other");
    dialog.keyFilter = [&](const CUiMessage& m) {
        if (m.kind == UiMessageKind::kPosted && m.code == 0x7001)
            dialog.PostMessage(0x7002);  // posted while delivering: delivered too
        return m.kind == UiMessageKind::kPosted;
    };
    dialog.onInit = [&] {
        dialog.PostMessage(0x7001);
        return true;
    };
    user.OnModal([&](CDialogBase& d) {
        EXPECT_EQ(Entries(dialog.m_ownLog, "probe: posted "), (Log{"28673", "28674"}));
        ASSERT_TRUE(other.Create());
        other.PostMessage(1);  // to a window gone before the loop runs
        other.DestroyWindow();
        dialog.PostMessage(3);
        user.Click(d, kIdOk);
    });
    dialog.DoModal();
    EXPECT_EQ(Entries(dialog.m_ownLog, "probe: posted "), (Log{"28673", "28674", "3"}));
    EXPECT_TRUE(Entries(other.m_ownLog, "other: posted ").empty());
}

TEST(UiServices, MenuCommandsReachTheDialogWhenChoosable)
{
    CUiDialogTemplate withMenu = ProbeTemplate();
    CUiMenuItem open, history, entry, file;
    open.id = 32773;
    open.text.Assign("Open");
    entry.id = 32782;
    history.text.Assign("History");
    history.enabled = false;
    history.items = {entry};
    file.text.Assign("File");
    file.items = {open, history};
    withMenu.menu.items.push_back(file);
    ShownProbe s(withMenu);
    EXPECT_TRUE(s.user.ChooseMenu(s.dialog, 32773));
    EXPECT_FALSE(s.user.ChooseMenu(s.dialog, 32782));  // inside a grayed popup
    EXPECT_FALSE(s.user.ChooseMenu(s.dialog, 0));
    s.dialog.Menu().items[0].items[1].enabled = true;
    s.dialog.DrawMenuBar();
    EXPECT_TRUE(s.user.ChooseMenu(s.dialog, 32782));
    EXPECT_EQ(s.user.LookAt(s.dialog).GetMenuRedraws(), 1u);
    EXPECT_EQ(s.dialog.m_ownLog, (Log{"probe: cmd 32773 clicked", "probe: cmd 32782 clicked"}));
    EXPECT_EQ(s.user.TakeProblems().size(), 2u);
    EXPECT_STREQ(s.dialog.SystemMenu().items[4].text, SJ("最大化(&X)"));
}

}  // namespace

TEST(UiServices, TimersPostTheirMessageEachPeriodUntilStopped)
{
    ShownProbe probe;
    CScriptedUser& user = probe.user;
    CProbeDlg& dialog = probe.dialog;
    const auto posted = [&] { return Entries(dialog.m_ownLog, "probe: posted ").size(); };
    dialog.SetTimer(5, 1000);
    EXPECT_EQ(user.Backend().TimerPeriod(user.LookAt(dialog), 5), 1000u);
    user.LetTimePass(999);
    EXPECT_EQ(posted(), 0u);
    user.LetTimePass(1);
    EXPECT_EQ(Entries(dialog.m_ownLog, "probe: posted "), Log{"5"});
    user.LetTimePass(3500);  // due three times meanwhile: once
    EXPECT_EQ(posted(), 2u);
    user.LetTimePass(499);   // the period runs on from where it was due
    EXPECT_EQ(posted(), 2u);
    user.LetTimePass(1);
    EXPECT_EQ(posted(), 3u);

    dialog.SetTimer(5, 200);  // again: a new period from now
    user.LetTimePass(200);
    EXPECT_EQ(posted(), 4u);
    dialog.KillTimer(5);
    EXPECT_EQ(user.Backend().TimerPeriod(user.LookAt(dialog), 5), 0u);
    user.LetTimePass(10000);
    EXPECT_EQ(posted(), 4u);

    // The timers of a window go with it.
    dialog.SetTimer(6, 100);
    dialog.DestroyWindow();
    user.LetTimePass(1000);
    EXPECT_EQ(posted(), 4u);
}

TEST(UiServices, EveryTopLevelWindowHearsWhenTheUserComesBackToTheProgram)
{
    ShownProbe probe;
    CProbeDlg owned(ProbeTemplate(), "owned"), page(ProbeTemplate(), "page");
    owned.log = page.log = &probe.dialog.m_ownLog;
    ASSERT_TRUE(owned.Create(&probe.dialog));
    ASSERT_TRUE(page.CreateChild(probe.dialog));
    probe.dialog.noteActivation = owned.noteActivation = page.noteActivation = true;
    probe.dialog.m_ownLog.clear();
    probe.user.SwitchAway();
    probe.user.SwitchBack();
    const Log heard = probe.dialog.m_ownLog;
    EXPECT_EQ(Entries(heard, "probe: app "), (Log{"inactive", "active"}));
    EXPECT_EQ(Entries(heard, "owned: app "), (Log{"inactive", "active"}));  // hidden, but a window of its own
    EXPECT_TRUE(Entries(heard, "page: app ").empty());
}
