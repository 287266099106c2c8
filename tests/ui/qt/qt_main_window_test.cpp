// The editor on Qt as a person meets it: started with the sample project on
// its command line, every tab chosen with the mouse, saved and closed; the
// file saved is what the command line's format writes for the same input.
#include <QAction>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "../temp_folder.h"
#include "app/main/main_dlg.h"
#include "cli/project_command.h"
#include "foundation/native_path.h"
#include "qt_fixture.h"

namespace {

class QtMainWindowTest : public QtTest {
protected:
    QtMainWindowTest()
    {
        std::filesystem::create_directories(folder.Path("program/makeitem_rules"));
        std::filesystem::create_directories(folder.Path("program/backup"));
        std::filesystem::copy_file(TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi", folder.Path("inc-item-data.cgi"));
        startup.programFolder = PathTextFromNative(folder.Path("program"));
        startup.settingsPath = PathTextFromNative(folder.Path("program/TavaroItemEditor.ini"));
        startup.commandLine = folder.Path("inc-item-data.cgi");
    }
    // Chooses the menu command whose text is `text` (UTF-8).
    static void Choose(const CDialogBase& dialog, const char* text)
    {
        for (QAction* action : MenuActions(dialog)) {
            if (action->text() == QString::fromUtf8(text)) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no menu command " << text;
    }

    TempFolder folder;
    CEditorStartup startup;
};

TEST_F(QtMainWindowTest, StartsWithTheSampleSwitchesEveryTabSavesAndCloses)
{
    CMainDlg main(startup);
    Soon([&] {
        EXPECT_TRUE(WaitFor([&] { return main.IsWindowVisible() && main.IsStartupDone(); }));
        auto* bar = ControlOfDialog(main, CMainDlg::IDC_TAB)->findChild<QTabBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->count(), CMainDlg::kPageCount);
        EXPECT_GT(bar->height(), 10);  // the tabs can be seen and clicked
        for (int tab : {1, 2, 3, 4, 5, 0}) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
            EXPECT_TRUE(WaitFor([&] { return main.CurrentPageIndex() == tab; })) << tab;
        }
        Choose(main, "上書き保存(&S)");
        Choose(main, "Tavaro Item Editorの終了(&X)");
        if (main.IsWindowVisible()) {  // something kept it open: end the test anyway
            ADD_FAILURE() << "the main window did not close";
            main.Project().m_bModified = false;
            main.EndDialog(kIdCancel);
        }
    });
    main.DoModal();

    const std::string formatted = folder.Path("formatted.cgi");
    const std::string_view args[] = {"-o", formatted, TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi"};
    std::ostringstream out, err;
    ASSERT_EQ(RunFormatCommand(args, out, err), 0) << err.str();
    EXPECT_EQ(folder.Get("inc-item-data.cgi"), folder.Get("formatted.cgi"));
}

}  // namespace
