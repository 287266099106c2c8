// The main window from start to close: the start-up file, the history, the
// keys of the main window and the save question on leaving it.
#include "main_dlg_fixture.h"

namespace {

using MainStartup = MainDlgTest;

TEST_F(MainStartup, StartsOnANewProjectWithTheItemPageAndAnEmptyHistory)
{
    Run([&](CMainDlg& main) {
        EXPECT_EQ(Title(main), "無題 ― Tavaro Item Editor");
        EXPECT_EQ(SelectedTab(main), 0);
        EXPECT_EQ(main.CurrentPageIndex(), 0);
        EXPECT_EQ(HistoryMenu(main), std::vector<std::string>{"(なし) (grayed)"});
        EXPECT_TRUE(main.SystemMenu().items[2].enabled);  // size
        EXPECT_TRUE(main.SystemMenu().items[4].enabled);  // maximize
        EXPECT_TRUE(main.ToolResults().HasWindow());
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
        EXPECT_FALSE(main.IsModified());
        EXPECT_FALSE(main.m_nModalWait.IsWaiting());
    });
    EXPECT_NE(Settings().find("LastOpenFile=\n"), std::string::npos);
}

// "@@include" lines are fields of their item only when both extension
// switches were on at start-up; otherwise they end the item.
TEST_F(MainStartup, IncludeLinesAreFieldsOnlyWhenBothExtensionSwitchesAreOn)
{
    startup.commandLine = PutFile("inc.cgi", InfoBlock(kBetaRule, "p") +
                                                 "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n\t@@include\tx.cgi\r\n@@END\r\n");
    const struct {
        const char* switches;
        const char* include;
    } cases[] = {
        {"", "<none>"},
        {"\tExtControl=ON\n", "<none>"},
        {"\tExt_IncludeFactor=ON\n", "<none>"},
        {"\tExtControl=OFF\n\tExt_IncludeFactor=ON\n", "<none>"},
        {"\tExtControl=ON\n\tExt_IncludeFactor=ON\n", "x.cgi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        PutSettings(std::string("[Custom]\n") + c.switches + "[EndSection]\n");
        Run([&](CMainDlg& main) {
            ASSERT_EQ(main.Document().itemdata.GetCount(), 1u);
            const CMerxString* include = main.Document().itemdata[0].GetField("@@include");
            EXPECT_EQ(include ? std::string(include->GetBuffer()) : "<none>", c.include);
        });
    }
}

// Which file opens at start: the command line wins over the restore switch.
TEST_F(MainStartup, OpensTheCommandLineFileOrTheLastFileWhenAskedTo)
{
    const std::string last = Project("last.cgi", "前回");
    const std::string named = Project("named.cgi", "指定");
    struct Case {
        std::string commandLine;
        const char* restore;
        const char* title;
    };
    const Case cases[] = {
        {"", "ON", "前回"},
        {"", "OFF", "無題"},
        {"\"" + named + "\"", "ON", "指定"},
        {folder.Path("missing.cgi"), "ON", "無題"},  // a message, and the new project stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine + " " + c.restore);
        PutSettings(std::string("LastOpenFile=") + last + "\n[Custom]\n\tRestoreOpenFile=" + c.restore +
                    "\n[EndSection]\n");
        startup.commandLine = c.commandLine;
        Run([&](CMainDlg& main) {
            EXPECT_EQ(ProjectInTitle(main), c.title);
            // Whether the file was opened or not, the item page shows.
            EXPECT_EQ(main.CurrentPage(), &main.Page(CMainDlg::kItemTab));
        });
        user.TakeMessages();
    }
}

// Start-up moves into the folder of the last run before the command-line
// file is opened; a relative path still names the file where the program
// was started (every project's file has the same name).
TEST_F(MainStartup, ARelativeCommandLinePathIsTakenFromTheStartFolder)
{
    for (const char* sub : {"a", "b"})
        std::filesystem::create_directory(folder.Path(sub));
    Project("a/inc-item-data.cgi", "前回");
    Project("b/inc-item-data.cgi", "今回");
    PutSettings("LastCurrentDirectory=" + folder.Path("a") + "\n");
    struct BackTo {
        std::filesystem::path folder;
        ~BackTo() { std::filesystem::current_path(folder); }
    } back{std::filesystem::current_path()};
    std::filesystem::current_path(folder.Path("b"));
    const CEditorStartup fixture = startup;
    startup = CEditorStartup::BesideProgram("inc-item-data.cgi");
    startup.programFolder = fixture.programFolder;
    startup.settingsPath = fixture.settingsPath;
    Run([&](CMainDlg& main) { EXPECT_EQ(ProjectInTitle(main), "今回"); });
}

// Entries are told apart by their paths: the tool tip holds the whole
// path, the note the path or, when it is long, its end. The file dialogs
// start in the folder of the project, or of the last one.
TEST_F(MainStartup, HistoryKeepsFiveDistinctFilesNewestFirstAndOpensAnEntry)
{
    const std::string longFolder = "a-rather-long-folder-name-for-the-projects-of-the-harbor/and-deeper";
    std::filesystem::create_directories(folder.Path(longFolder));
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i)
        paths.push_back(Project((i == 5 ? longFolder + "/f" : "f") + std::to_string(i) + ".cgi", "p" + std::to_string(i)));
    const auto startName = [&] { return Cp932ToUtf8(user.FileDialogs().back().initialName.GetBuffer()); };
    Run([&](CMainDlg& main) {
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_OPEN);  // nothing open yet, nothing in the history
        EXPECT_EQ(startName(), "");
        for (const std::string& path : paths) {
            user.AnswerFile(path.c_str());
            user.ChooseMenu(main, ID_FILE_OPEN);
        }
        Project("f3.cgi", "p3 again");
        user.AnswerFile(paths[3].c_str());  // again: moves to the top with its new name
        user.ChooseMenu(main, ID_FILE_OPEN);
        const std::string other = Project("F2.cgi", "p2");  // another file: paths compare byte for byte
        user.AnswerFile(other.c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        const std::string rule = " / " + kBetaRule;
        EXPECT_EQ(HistoryMenu(main), (std::vector<std::string>{"p2" + rule, "p3 again" + rule, "p5" + rule,
                                                               "p4" + rule, "p2" + rule}));
        const std::string shown[] = {other, paths[3], paths[5], paths[4], paths[2]};
        const std::vector<CUiMenuItem>& entries = main.Menu().items[0].items[7].items;
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(Cp932ToUtf8(entries[i].tip.GetBuffer()), shown[i]);
            const std::string note = Cp932ToUtf8(entries[i].note.GetBuffer());
            if (shown[i].size() <= 60) {
                EXPECT_EQ(note, shown[i]);
            } else {
                EXPECT_LE(note.size(), 60u) << note;
                EXPECT_TRUE(note.starts_with(".../")) << note;
                EXPECT_TRUE(shown[i].ends_with(note.substr(3))) << note;
            }
        }
        user.ChooseMenu(main, ID_HISTORY_FIRST + 3);
        EXPECT_EQ(ProjectInTitle(main), "p4");
        EXPECT_EQ(HistoryMenu(main)[0], "p4" + rule);
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_SAVE_AS);
        EXPECT_EQ(startName(), paths[4]);
    });
    // The next start builds the menu from the stored lists.
    Run([&](CMainDlg& main) {
        EXPECT_EQ(HistoryMenu(main).size(), 5u);
        EXPECT_EQ(ProjectInTitle(main), "無題");
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_OPEN);
        EXPECT_EQ(startName(), folder.Path() + "/");
    });
}

// Cancel keeps the window; Yes saves (the page's edits applied first) and
// closes; No is every other test's way out.
TEST_F(MainStartup, EnterAndEscapeDoNothingTheCloseBoxAsksTheSaveQuestion)
{
    const std::vector<std::string> question{"プロジェクトが更新されています。\n保存しますか？"};
    Run([&](CMainDlg& main) {
        Modify(main);
        user.PressKey(main, UiKey::kEnter);
        user.PressKey(main, UiKey::kEscape);
        EXPECT_TRUE(user.LookAt(main).IsVisible());
        EXPECT_TRUE(user.TakeMessages().empty());
        user.Answer(UiAnswer::kCancel);
        user.Close(main);
        EXPECT_EQ(user.TakeMessages(), question);
        EXPECT_TRUE(user.LookAt(main).IsVisible());
        EXPECT_FALSE(std::filesystem::exists(folder.Path("program/TavaroItemEditor.ini")));
        user.Answer(UiAnswer::kYes);
        user.AnswerFile(folder.Path("saved.cgi").c_str());
        user.Close(main);
        EXPECT_TRUE(user.LookAt(main).IsEnded());
        EXPECT_EQ(user.TakeMessages(), question);
    });
    EXPECT_TRUE(std::filesystem::exists(folder.Path("program/TavaroItemEditor.ini")));
    EXPECT_NE(folder.Get("saved.cgi").find("###IconImagePath=icons\r\n"), std::string::npos);
}

// A "\\" is part of a file's name, on the command line as in the dialogs
// and the history.
TEST_F(MainStartup, ABackslashIsACharacterOfTheFileName)
{
    std::filesystem::create_directory(folder.Path("d"));
    Project("d/x.cgi", "folder d");
    startup.commandLine = Project("d\\x.cgi", "backslash");
    Run([&](CMainDlg& main) {
        EXPECT_EQ(ProjectInTitle(main), "backslash");
        user.AnswerFile(folder.Path("d/x.cgi").c_str());
        user.ChooseMenu(main, ID_FILE_OPEN);
        user.ChooseMenu(main, ID_HISTORY_FIRST + 1);
        EXPECT_EQ(ProjectInTitle(main), "backslash");
    });
    EXPECT_TRUE(user.TakeMessages().empty());
}

// Paths are Shift-JIS texts inside: a name they cannot hold is refused with
// the reason, never opened under the name with "?" in its place (a file or
// folder of that name stands beside it here), nor kept as the last folder.
TEST_F(MainStartup, ANameThatShiftJisCannotHoldIsRefusedWithTheReason)
{
    Project("caf?.cgi", "decoy");
    const std::string cafe = Project("caf\xc3\xa9.cgi", "cafe");
    startup.commandLine = cafe;
    for (const char* name : {"caf?", "caf\xc3\xa9"})
        std::filesystem::create_directory(folder.Path(name));
    struct BackTo {
        std::filesystem::path folder;
        ~BackTo() { std::filesystem::current_path(folder); }
    } back{std::filesystem::current_path()};
    std::filesystem::current_path(folder.Path("caf\xc3\xa9"));
    Run([&](CMainDlg& main) {
        EXPECT_EQ(ProjectInTitle(main), "無題");
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{
                                           "目標のファイルにアクセスできません。\n操作をキャンセルします。\n" +
                                           folder.Path("caf?.cgi") +
                                           ": ファイル名にShift-JISで表せない文字が含まれています：U+00E9"});
        // The open dialog says why and asks again.
        user.AnswerFile(cafe.c_str());
        user.AnswerFile(nullptr);
        user.ChooseMenu(main, ID_FILE_OPEN);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{
                                           "ファイル名にShift-JISで表せない文字が含まれています：U+00E9\n"
                                           "このファイルは使えません。別のファイルを選んでください。"});
        EXPECT_EQ(user.FileDialogs().size(), 2u);
        EXPECT_EQ(ProjectInTitle(main), "無題");
        EXPECT_EQ(HistoryMenu(main), std::vector<std::string>{"(なし) (grayed)"});
    });
    EXPECT_NE(Settings().find("LastCurrentDirectory=\n"), std::string::npos) << Settings();
}

}  // namespace
