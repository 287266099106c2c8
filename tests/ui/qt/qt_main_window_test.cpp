// The editor on Qt as a person meets it: started with the sample project on
// its command line, every tab chosen with the mouse, an item edited, saved
// and closed; the file saved is the sample file but for the edited line and
// the stored item.
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../temp_folder.h"
#include "shell/main_dlg.h"
#include "foundation/native_path.h"
#include "pages/page_item_template.h"
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

// Every tab is chosen with the mouse; then on the item page an item is
// chosen in the list, its price typed, "適用" clicked and the project saved:
// the file changes in that one line and nowhere else.
TEST_F(QtMainWindowTest, SwitchesEveryTabAndEditsAnItemThatIsSaved)
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
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        auto* list = qobject_cast<QListView*>(ControlOfDialog(page, item_page::IDC_ITEM_LIST));
        ASSERT_NE(list, nullptr);
        const QModelIndex second = list->model()->index(1, 0);
        list->scrollTo(second);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
        EXPECT_TRUE(WaitFor([&] { return page.CurrentElement() == 1; }));
        auto* price = qobject_cast<QLineEdit*>(ControlOfDialog(page, item_page::IDC_PRICE));
        ASSERT_NE(price, nullptr);
        price->selectAll();
        Type(price, "56");
        QTest::mouseClick(ControlOfDialog(page, kIdOk), Qt::LeftButton);
        EXPECT_TRUE(main.IsModified());
        Choose(main, "上書き保存(&S)");
        Choose(main, "Tavaro Item Editorの終了(&X)");
        if (main.IsWindowVisible()) {  // something kept it open: end the test anyway
            ADD_FAILURE() << "the main window did not close";
            main.Project().m_bModified = false;
            main.EndDialog(kIdCancel);
        }
    });
    main.DoModal();

    // The save changes the price line and the stored item, nothing else.
    std::ifstream sample(TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi", std::ios::binary);
    std::string expected{std::istreambuf_iterator<char>(sample), {}};
    const size_t at = expected.find("\tcode\tflour\r\n");
    ASSERT_NE(at, std::string::npos);
    const size_t priceAt = expected.find("\tprice\t55\r\n", at);
    ASSERT_NE(priceAt, std::string::npos);
    expected.replace(priceAt, 11, "\tprice\t56\r\n");
    expected.replace(expected.find("###ItemID=4"), 11, "###ItemID=1");
    EXPECT_EQ(folder.Get("inc-item-data.cgi"), expected);
}

}  // namespace
