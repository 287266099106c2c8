// What the main window does against lost work: the question before a save
// over a file another program changed, the offer to open such a file again
// when the user comes back, and the recovery copy of unsaved changes.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "document/recovery_copy.h"
#include "main_dlg_fixture.h"
#include "../gone_pid.h"

namespace {

namespace fs = std::filesystem;
using MainRecovery = MainDlgTest;

const std::string kOverwrite = "このファイルは開いた後に他のプログラムによって変更されています。上書きしますか？";

// The question and its default button, taken out of the record.
std::pair<std::string, UiAnswer> TakeQuestion(CScriptedUser& user)
{
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
    if (user.MessageBoxes().empty())
        return {};
    const auto& asked = user.MessageBoxes()[0];
    std::pair<std::string, UiAnswer> question{Cp932ToUtf8(asked.text.GetBuffer()), asked.defaultButton};
    user.TakeMessages();
    return question;
}

TEST_F(MainRecovery, ASaveOverAFileAnotherProgramChangedAsksWithNoAsDefault)
{
    startup.commandLine = Project("data.cgi", "港");
    const std::string theirs = InfoBlock(kBetaRule, "他") + kSword + kSword;
    Run([&](CMainDlg& main) {
        Modify(main);
        folder.Put("data.cgi", theirs);
        user.Answer(UiAnswer::kNo);
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(TakeQuestion(user), std::make_pair(kOverwrite, UiAnswer::kNo));
        EXPECT_EQ(folder.Get("data.cgi"), theirs);
        EXPECT_TRUE(main.IsModified());

        user.Answer(UiAnswer::kYes);
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(TakeQuestion(user).first, kOverwrite);
        EXPECT_EQ(folder.Get("data.cgi").find("他"), std::string::npos);
        EXPECT_FALSE(main.IsModified());
    });
}

TEST_F(MainRecovery, BackFromAnotherProgramAChangedFileIsOfferedOnceForOpeningAgain)
{
    startup.commandLine = Project("data.cgi", "港");
    Run([&](CMainDlg& main) {
        user.SwitchAway();
        user.SwitchBack();  // nothing changed
        EXPECT_TRUE(user.MessageBoxes().empty());

        folder.Put("data.cgi", InfoBlock(kBetaRule, "他") + kSword + kSword);
        user.Answer(UiAnswer::kNo);
        user.SwitchBack();
        const std::string told = "開いているファイルが他のプログラムによって変更されました。\n" + startup.commandLine +
                                 "\n\nファイルを開きなおしますか？";
        EXPECT_EQ(TakeQuestion(user), std::make_pair(told, UiAnswer::kYes));
        user.SwitchBack();  // told once
        EXPECT_TRUE(user.MessageBoxes().empty());
        EXPECT_EQ(main.Document().itemdata.GetCount(), 1u);

        // Another change, with unsaved changes of the user's: named, and
        // no is the default; yes opens the file as it is now.
        folder.Put("data.cgi", InfoBlock(kBetaRule, "他") + kSword + kSword + kSword);
        Modify(main);
        user.Answer(UiAnswer::kYes);
        user.SwitchBack();
        EXPECT_EQ(TakeQuestion(user),
                  std::make_pair(told + "\n開きなおすと、保存していない変更は失われます。", UiAnswer::kNo));
        EXPECT_EQ(main.Document().itemdata.GetCount(), 3u);
        EXPECT_EQ(ProjectInTitle(main), "他");
        EXPECT_FALSE(main.IsModified());

        // While a question waits, nothing is told; the next return tells it.
        folder.Put("data.cgi", InfoBlock(kBetaRule, "他") + kSword);
        Modify(main);
        user.WhileMessageBox([&] { user.SwitchBack(); });
        user.Answer(UiAnswer::kNo);
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(TakeQuestion(user).first, kOverwrite);
        user.Answer(UiAnswer::kNo);
        user.SwitchBack();
        EXPECT_EQ(TakeQuestion(user).first, told + "\n開きなおすと、保存していない変更は失われます。");
        user.Answer(UiAnswer::kNo);  // the save question on exit
    });
}

// Unsaved changes are copied beside the settings every 30 seconds at most;
// the copy goes with a save, and with changes discarded on closing.
TEST_F(MainRecovery, UnsavedChangesAreCopiedUntilSavedOrDiscarded)
{
    startup.commandLine = Project("data.cgi", "港");
    for (const bool save : {true, false}) {
        Run([&](CMainDlg& main) {
            const std::string copy = main.RecoveryCopy();
            EXPECT_EQ(copy, folder.Path("program/TavaroItemEditor.recovery-" + std::to_string(getpid()) + ".cgi"));
            user.LetTimePass(30000);
            EXPECT_FALSE(fs::exists(copy));  // nothing unsaved

            Modify(main);
            user.LetTimePass(29999);
            EXPECT_FALSE(fs::exists(copy));
            user.LetTimePass(1);
            ASSERT_TRUE(fs::exists(copy));
            CRecoveryCopy read;
            ASSERT_TRUE(ReadRecoveryCopy(copy, read));
            EXPECT_EQ(Cp932ToUtf8(read.origin.GetBuffer()), startup.commandLine);
            EXPECT_EQ(Cp932ToUtf8(read.projectName.GetBuffer()), "港");

            if (save) {
                user.ChooseMenu(main, ID_FILE_SAVE);
                EXPECT_FALSE(fs::exists(copy));
                return;
            }
            user.Answer(UiAnswer::kNo);  // the save question: discard
            user.ChooseMenu(main, ID_FILE_EXIT);
            EXPECT_FALSE(fs::exists(copy));
        });
    }
}

// A copy that an editor now gone left is offered at the next start: yes
// opens it as the unsaved project of its file, no removes it, cancel keeps
// it for the next start (which copies are offered is the recovery copy's
// test).
TEST_F(MainRecovery, ACopyLeftByACrashIsOfferedAtTheNextStart)
{
    const std::string data = Project("data.cgi", "港");
    fs::last_write_time(data, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    const std::string name = "program/TavaroItemEditor.recovery-" + std::to_string(GonePid()) + ".cgi";
    const std::string left = folder.Path(name);
    const std::string copyText =
        Utf8ToCp932("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\r\n"
                    "###MERX_PROJECT_INFO_BEGIN\r\n###RecoveryOf=") +
        PathTextFromNative(data).GetBuffer() +
        Utf8ToCp932("\r\n###RuleKey=" + kBetaRule + "\r\n###ProjectName=港\r\n###MERX_PROJECT_INFO_END\r\n") +
        kSword + kSword;
    startup.commandLine = Project("other.cgi", "別");

    for (const UiAnswer answer : {UiAnswer::kCancel, UiAnswer::kNo, UiAnswer::kYes}) {
        folder.Put(name, copyText);
        Run([&](CMainDlg& main) {
            const std::vector<std::string> asked = user.TakeMessages();
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].substr(0, asked[0].find("日時")),
                      "前回、保存されないまま終了したプロジェクトの回復用コピーがあります。\nプロジェクト名：港\n"
                      "ファイル：" + data + "\n回復用コピーの");
            EXPECT_EQ(fs::exists(left), answer == UiAnswer::kCancel);
            if (answer != UiAnswer::kYes) {  // the command-line file opens
                EXPECT_EQ(ProjectInTitle(main), "別");
                return;
            }
            EXPECT_EQ(ProjectInTitle(main), "港");
            EXPECT_EQ(main.Document().itemdata.GetCount(), 2u);
            EXPECT_TRUE(main.IsModified());
            EXPECT_TRUE(fs::exists(main.RecoveryCopy()));  // this editor's copy keeps it now
            user.ChooseMenu(main, ID_FILE_SAVE);
            EXPECT_EQ(folder.Get("data.cgi").find("RecoveryOf"), std::string::npos);
            EXPECT_NE(folder.Get("data.cgi").find(kSword + kSword), std::string::npos);
            EXPECT_FALSE(fs::exists(main.RecoveryCopy()));
        }, [&](CMainDlg&) { user.Answer(answer); });
    }
}

}  // namespace
