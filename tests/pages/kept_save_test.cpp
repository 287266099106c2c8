// Saving changes only what the user changed: both sample files browsed on
// every page, every element, script combo and sub-list, and saved come back
// byte for byte (the project block aside),
// and one field edited on a page changes only that field's lines.
#include <filesystem>

#include "../changed_lines.h"
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_event_template.h"
#include "pages/page_func_template.h"
#include "pages/page_item_template.h"
#include "pages/page_set_template.h"

namespace {


// The file without its project-information block.
std::string Data(const std::string& file)
{
    const std::string end = "###MERX_PROJECT_INFO_END\r\n";
    const size_t at = file.find(end);
    return at == std::string::npos ? file : file.substr(at + end.size());
}

// The lines that differ between `a` and `b` (CR LF lines), in UTF-8.
std::vector<std::string> Changed(const std::string& a, const std::string& b)
{
    std::vector<std::string> lines = ChangedLines(a, b, "\r\n");
    for (std::string& line : lines)
        line = line.substr(0, 1) + Cp932ToUtf8(line.substr(1).c_str());
    return lines;
}

class KeptSaveTest : public MainDlgTest {
protected:
    void OpenSample(const char* name)
    {
        std::filesystem::copy_file(TAVARO_SOURCE_DIR "/examples/makeitem_rules/harbor-beta.sir",
                                   folder.Path("program/makeitem_rules/harbor-beta.sir"),
                                   std::filesystem::copy_options::skip_existing);
        startup.commandLine = folder.Path("data.cgi");
        std::filesystem::copy_file(std::string(TAVARO_SOURCE_DIR "/examples/") + name, startup.commandLine,
                                   std::filesystem::copy_options::overwrite_existing);
        m_original = folder.Get("data.cgi");
    }
    void Tab(CMainDlg& main, int32_t tab) { user.Select(main, CMainDlg::IDC_TAB, tab); }
    CMainPage& Page(CMainDlg& main) { return *main.CurrentPage(); }
    void Apply(CMainDlg& main) { user.Click(Page(main), kIdOk); }
    // Selects every entry of the list `id`, applying each.
    void Browse(CMainDlg& main, int32_t id, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            user.Select(Page(main), id, static_cast<int32_t>(i));
            Apply(main);
        }
    }
    // Selects every entry of the combo or sub-list `id`, last first.
    void Combo(CMainDlg& main, int32_t id)
    {
        for (int32_t i = static_cast<int32_t>(user.Look(Page(main), id).items.size()) - 1; i >= 0; --i)
            user.Select(Page(main), id, i);
    }
    void SubList(CMainDlg& main, int32_t id)
    {
        if (user.Look(Page(main), id).enabled)
            Combo(main, id);
    }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    // The lines a save changed behind the project block.
    std::vector<std::string> Changes() { return Changed(Data(m_original), Data(folder.Get("data.cgi"))); }

    std::string m_original;
};

TEST_F(KeptSaveTest, BrowsingEveryTabOfBothSamplesAndSavingChangesOnlyTheProjectBlock)
{
    for (const char* sample : {"inc-item-data.cgi", "inc-item-data-ext.cgi"}) {
        OpenSample(sample);
        Run([&](CMainDlg& main) {
            const CMerxDocument& doc = main.Document();
            Tab(main, CMainDlg::kItemTab);
            for (uint32_t item = 0; item < doc.itemdata.GetCount(); ++item) {
                user.Select(Page(main), item_page::IDC_ITEM_LIST, static_cast<int32_t>(item));
                for (uint32_t use = 0; use < doc.itemdata[item].uses.GetCount(); ++use) {
                    user.Select(Page(main), item_page::IDC_USE_LIST, static_cast<int32_t>(use));
                    Combo(main, item_page::IDC_USE_FUNC_COMBO);
                    for (int32_t id : {item_page::IDC_JOB_LIST, item_page::IDC_ARGSEL_LIST, item_page::IDC_UNG_LIST})
                        SubList(main, id);
                    Apply(main);
                }
                Combo(main, item_page::IDC_FUNC_COMBO);
                Apply(main);
            }
            Tab(main, CMainDlg::kEventTab);
            for (uint32_t event = 0; event < doc.eventdata.GetCount(); ++event) {
                user.Select(Page(main), event_page::IDC_EVENT_LIST, static_cast<int32_t>(event));
                Combo(main, event_page::IDC_FUNC_COMBO);
                SubList(main, event_page::IDC_PARAM_LIST);
                Apply(main);
            }
            Tab(main, CMainDlg::kFuncTab);
            Browse(main, func_page::IDC_FUNC_COMBO, 12);
            Tab(main, CMainDlg::kDefineTab);
            Apply(main);
            Tab(main, CMainDlg::kSetTab);
            EXPECT_EQ(user.Look(Page(main), set_page::IDC_ELEMENT_LIST).items.size(), doc.setdata.GetCount());
            for (uint32_t i = 0; i < doc.setdata.GetCount(); ++i)
                user.Select(Page(main), set_page::IDC_ELEMENT_LIST, static_cast<int32_t>(i));
            // Looking changed nothing: no mark, no message, and the save
            // gives the file back.
            EXPECT_FALSE(main.IsModified()) << sample;
            Save(main);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{}) << sample;
        });
        EXPECT_EQ(Data(folder.Get("data.cgi")), Data(m_original)) << sample;
    }
}

TEST_F(KeptSaveTest, OneFieldEditedOnAPageChangesOnlyItsLines)
{
    struct Case {
        int32_t tab, list, element, field;
        std::string typed, removed, added;
    } const cases[] = {
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, 1, item_page::IDC_PRICE, "777", "-\tprice", "+\tprice\t777"},
        {CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, 0, event_page::IDC_FIELD_FIRST + 5, "新しい知らせ", "-\tstartmsg",
         "+\tstartmsg\t新しい知らせ"},
        {CMainDlg::kItemTab, item_page::IDC_USE_LIST, 0, item_page::IDC_USE_FIELD_FIRST, "畑で刈る", "-\t\tname",
         "+\t\tname\t畑で刈る"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        OpenSample("inc-item-data.cgi");
        Run([&](CMainDlg& main) {
            Tab(main, c.tab);
            if (c.list == item_page::IDC_USE_LIST)
                user.Select(Page(main), item_page::IDC_ITEM_LIST, 0);
            user.Select(Page(main), c.list, c.element);
            user.TypeText(Page(main), c.field, S(c.typed).c_str());
            Apply(main);
            Save(main);
        });
        const std::vector<std::string> changes = Changes();
        ASSERT_EQ(changes.size(), 2u);
        EXPECT_TRUE(changes[0].starts_with(c.removed)) << changes[0];
        EXPECT_EQ(changes[1], c.added);
    }
}

} // namespace
