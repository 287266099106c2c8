// The main window's dialogs and services: preferences, help, the tool
// windows, and what happens when a handler fails.
#include <filesystem>

#include "app/preferences_dlg.h"
#include "main_dlg_fixture.h"

namespace {

using MainShell = MainDlgTest;
using P = CPreferencesDlg;

std::string Value(CMainDlg& main, const char* path)
{
    const CSettingsStore::Value* value = FindSetting(main.Settings(), path);
    return value ? value->GetBuffer() : "<missing>";
}

TEST_F(MainShell, PreferencesShowAndStoreTheCustomKeys)
{
    PutSettings("[Custom]\n\tPage0x5cEscapeMode=5\n\tEdit0x5cEscapeMode=2\n\tSaveAutoBackup=OFF\n[EndSection]\n");
    Run([&](CMainDlg& main) {
        user.OnModal(
            [&](CDialogBase& d) {
                EXPECT_EQ(user.Look(d, P::IDC_PAGE_ESCAPE).curSel, 0);  // "5" is no mode
                EXPECT_EQ(user.Look(d, P::IDC_EDIT_ESCAPE).curSel, 2);
                EXPECT_FALSE(user.Look(d, P::IDC_AUTO_BACKUP).checked);
                EXPECT_EQ(std::string(user.Look(d, P::IDC_ICON_APP_VALUE).text), "\"%f\"");
                EXPECT_FALSE(user.Look(d, P::IDC_INCLUDE_FACTOR).enabled);
                // Text the file cannot hold is refused before anything is stored.
                user.Select(d, P::IDC_EDIT_ESCAPE, 1);
                ASSERT_TRUE(user.TypeUnicode(d, P::IDC_ICON_APP_VALUE, U"\u00A5f"));
                user.Click(d, kIdOk);
                EXPECT_TRUE(user.LookAt(d).IsVisible());
                EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[アイコン編集アプリケーションへの引数(%fは対象フルパス)]\t"
                                                                        "Shift-JISで保存できない文字が含まれています：U+00A5\n"});
                EXPECT_EQ(Value(main, "/Custom/Edit0x5cEscapeMode"), "2");
                user.TypeText(d, P::IDC_ICON_APP_VALUE, "-e \"%f\"");
                // Turning the extensions on and answering no leaves them off.
                user.Answer(UiAnswer::kNo);
                user.Click(d, P::IDC_EXT_CONTROL);
                EXPECT_FALSE(user.Look(d, P::IDC_EXT_CONTROL).checked);
                EXPECT_FALSE(user.Look(d, P::IDC_EXT_GROUP).enabled);
                user.Answer(UiAnswer::kYes);
                user.Click(d, P::IDC_EXT_CONTROL);
                EXPECT_TRUE(user.Look(d, P::IDC_INCLUDE_FACTOR).enabled);
                user.Click(d, P::IDC_INCLUDE_FACTOR);
                // A relative program path is refused; the dialog stays.
                user.TypeText(d, P::IDC_ICON_APP_PATH, "paint");
                user.Select(d, P::IDC_EDIT_ESCAPE, 1);
                user.Click(d, kIdOk);
                EXPECT_TRUE(user.LookAt(d).IsVisible());
                EXPECT_EQ(Value(main, "/Custom/Edit0x5cEscapeMode"), "1");  // already stored
                EXPECT_EQ(Value(main, "/Custom/IconEditAppPath"), "");
                user.TypeText(d, P::IDC_ICON_APP_PATH, "/usr/bin/paint");
                user.SetCheck(d, P::IDC_AUTO_BACKUP, true);
                user.Click(d, kIdOk);
            },
            P::IDD);
        user.ChooseMenu(main, ID_PREFERENCES);
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[2], "アイコン編集アプリケーションパスに絶対パスが指定されていません。\n"
                               "この項目は空欄にするか、絶対パスを指定しなければなりません。");
        EXPECT_EQ(user.MessageBoxes().size(), 0u);
        EXPECT_EQ(Value(main, "/Custom/Page0x5cEscapeMode"), "0");
        EXPECT_EQ(Value(main, "/Custom/SaveAutoBackup"), "ON");
        EXPECT_EQ(Value(main, "/Custom/IconEditAppPath"), "/usr/bin/paint");
        EXPECT_EQ(Value(main, "/Custom/IconEditAppValue"), "-e \"%f\"");
        EXPECT_EQ(Value(main, "/Custom/ExtControl"), "ON");
        EXPECT_EQ(Value(main, "/Custom/Ext_IncludeFactor"), "ON");
    });
    EXPECT_NE(Settings().find("\tExt_IncludeFactor=ON\n"), std::string::npos);
}

TEST_F(MainShell, HelpAndToolWindowsOpenOnDemand)
{
    Run([&](CMainDlg& main) {
        user.AnswerShell(2);
        user.ChooseMenu(main, ID_HELP_FILE);
        const std::string page = Cp932ToUtf8(main.ProgramFolder().GetBuffer()) + "/TavaroItemEditor.htm";
        ASSERT_EQ(user.ShellCalls().size(), 1u);
        EXPECT_EQ(std::string(user.ShellCalls()[0].verb), "open");
        EXPECT_EQ(Cp932ToUtf8(user.ShellCalls()[0].file.GetBuffer()), page);
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"\"" + page + "\"を開けません。\nファイルがあるか確認してください。"});
        // The page is there but no program opens it: the message says so.
        user.AnswerShell(31);
        user.ChooseMenu(main, ID_HELP_FILE);
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"\"" + page + "\"を開くプログラムが見つかりません。\n"
                                           "HTMLファイルを開くブラウザなどを設定してください。"});

        user.ChooseMenu(main, ID_TOOL_RESULTS);
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        user.Close(main.ToolResults());
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
        EXPECT_FALSE(main.ToolResults().m_bShown);
        user.ChooseMenu(main, ID_FIND_REPLACE);
        EXPECT_TRUE(main.FindReplace().IsWindowVisible());
    });
    EXPECT_NE(Settings().find("[JumpInfoDialog]"), std::string::npos);
}

// The internal error is reported, the work is copied beside the data file,
// and the program goes on.
TEST_F(MainShell, AFailingHandlerIsReportedAndTheWorkIsKept)
{
    startup.commandLine = Project("work.cgi", "仕事");
    // Behind tab 0, a page whose apply fails with one of the foundation's raises.
    Run([&](CMainDlg& main) {
        main.MarkModified();
        user.Select(main, CMainDlg::IDC_TAB, 1);
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].rfind("MERX_ERROR\n内部エラーが発生しました。\n", 0), 0u);
        EXPECT_NE(messages[0].find("Message：index 7\n"), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find(folder.Path("work.cgi.recovered")), std::string::npos);
        const std::string copy = folder.Get("work.cgi.recovered");
        EXPECT_NE(copy.find(Utf8ToCp932("###ProjectName=仕事\r\n")), std::string::npos);
        EXPECT_NE(copy.find("\tname\tsword\r\n"), std::string::npos);
        // The window goes on: the wait counter is down again and the tabs work.
        EXPECT_FALSE(main.m_nModalWait.IsWaiting());
        EXPECT_TRUE(user.LookAt(main).IsVisible());
        user.Answer(UiAnswer::kNo);  // the save question on exit
    }, PageApplying([](CMainDlg&) -> CApplyResult { throw static_cast<uint32_t>(7); }));
}

}  // namespace
