// A refused apply on the item and event pages leaves the element as it was
// stored: a field typed back to its shown text afterwards is that text,
// not the refused one.
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"

namespace {


const std::string kData = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t鉄の剣\r\n\tlimit\t5/7\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t木の盾\r\n"
                          "@@EVENT\r\n\tcode\train\r\n"
                          "@@EVENT\r\n\tcode\twind\r\n";

class RefusedApplyTest : public MainDlgTest {};

TEST_F(RefusedApplyTest, AFieldTypedBackAfterARefusalKeepsItsText)
{
    struct Case {
        int32_t tab, list, field;
        std::string bad, key, stored;
    } const cases[] = {
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_NAME, "", "name", "鉄の剣"},
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_NO, "", "no", "1"},
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_LIMIT_STOCK, "5/", "limit", "5/7"},
        {CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, event_page::IDC_FIELD_FIRST + 3, "", "code", "rain"},
    };
    for (const Case& c : cases) {
        startup.commandLine = PutFile("r.cgi", InfoBlock(kBetaRule, "p") + S(kData));
        Run([&](CMainDlg& main) {
            user.TakeMessages();
            user.Select(main, CMainDlg::IDC_TAB, c.tab);
            CMainPage& page = main.Page(c.tab);
            user.Select(page, c.list, 0);
            CStr_base<1024> shown;
            shown.Assign(user.Look(page, c.field).text);
            user.TypeText(page, c.field, S(c.bad).c_str());
            user.Select(page, c.list, 1);
            EXPECT_EQ(user.TakeMessages().size(), 1u) << c.key; // refused
            EXPECT_EQ(page.CurrentElement(), 0) << c.key;
            user.TypeText(page, c.field, shown.GetBuffer());
            user.Select(page, c.list, 1);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{}) << c.key;
            EXPECT_EQ(page.CurrentElement(), 1) << c.key;
            const CMerxFieldElement& stored = c.tab == CMainDlg::kItemTab
                                                  ? static_cast<const CMerxFieldElement&>(*main.Document().itemdata.GetAt(0))
                                                  : *main.Document().eventdata.GetAt(0);
            EXPECT_EQ(Cp932ToUtf8(stored.FieldText(c.key.c_str())), c.stored) << c.key;
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

} // namespace
