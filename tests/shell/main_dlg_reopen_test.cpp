// Edited on every page, saved, and opened again in a fresh main window:
// the file reads back without a reader line and as the same document.
#include <filesystem>

#include "../cp932_text.h"
#include "main_dlg_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_func_template.h"
#include "pages/page_item_template.h"

namespace {

using MainReopen = MainDlgTest;

TEST_F(MainReopen, EditsOnEveryPageComeBackFromTheSavedFile)
{
    startup.commandLine = folder.Path("harbor.cgi");
    std::filesystem::copy_file(TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi", startup.commandLine);
    struct Edit {
        int32_t tab, list, index, field;
        std::string text;  // UTF-8
    } const edits[] = {
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, 0, item_page::IDC_PRICE, "987"},
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, 1, item_page::IDC_INFO, "説明を書き換えた"},
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, 4, item_page::IDC_USE_FIELD_FIRST, "熟成させる"},
        {CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, 0, event_page::IDC_FIELD_FIRST + 3, "ev_renamed"},
        {CMainDlg::kFuncTab, func_page::IDC_FUNC_COMBO, 0, func_page::IDC_FUNC_EDIT, "sub edited {\r\n\treturn 1;\r\n}\r\n"},
        {CMainDlg::kProjectTab, 0, 0, 1084, "icons"},
    };
    std::string saved;
    Run([&](CMainDlg& main) {
        user.TakeMessages();
        for (const Edit& edit : edits) {
            SCOPED_TRACE(edit.text);
            user.Select(main, CMainDlg::IDC_TAB, edit.tab);
            CMainPage& page = *main.CurrentPage();
            if (edit.list)
                user.Select(page, edit.list, edit.index);
            user.TypeText(page, edit.field, S(edit.text).c_str());
            user.Click(page, kIdOk);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        }
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_FALSE(main.IsModified());
        saved = WrittenText(main);
    });
    const std::string file = folder.Get("harbor.cgi");
    for (const Edit& edit : edits)
        EXPECT_NE(Cp932ToUtf8(file).find(edit.text.substr(0, edit.text.find('\r'))), std::string::npos) << edit.text;
    Run([&](CMainDlg& main) {
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});  // no reader line to review
        EXPECT_EQ(main.FilePath().GetBuffer(), folder.Path("harbor.cgi"));
        EXPECT_EQ(WrittenText(main), saved);
        EXPECT_EQ(Cp932ToUtf8(main.ProjectInfo().iconImagePath.GetBuffer()), "icons");
        EXPECT_FALSE(main.IsModified());
    });
}

}  // namespace
