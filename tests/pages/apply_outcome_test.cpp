// What a page's apply came to reaches the main window: after each apply its
// apply-error text holds what the refusal showed ("user cancel" for a
// question the user cancelled), and it is empty again after an apply that
// was done. A refused apply refuses the tab switch as well.
#include "../shell/main_dlg_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_item_template.h"

namespace {

std::string S(const std::string& utf8) { return Utf8ToCp932(utf8); }

const std::string kData = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t鉄の剣\r\n\tlimit\t5/7\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t木の盾\r\n";

class ApplyOutcomeTest : public MainDlgTest {};

TEST_F(ApplyOutcomeTest, TheMainWindowKeepsWhatTheLastApplyCameTo)
{
    struct Case {
        const char* what;
        int32_t tab, field;
        std::string typed;  // what the apply refuses
        UiAnswer answer;    // to the question the apply asks; kNone for none
        std::string kept;   // the apply-error text then; empty: the message shown
    } const cases[] = {
        {"item field", CMainDlg::kItemTab, item_page::IDC_LIMIT_STOCK, "5/", UiAnswer::kNone, ""},
        {"rename cancelled", CMainDlg::kItemTab, item_page::IDC_NAME, "名剣", UiAnswer::kCancel, "user cancel"},
        {"definition", CMainDlg::kDefineTab, define_page::IDC_DEFINE_EDIT, "@@DEFINE\r\ntype2 b\r\ntype2 c\r\n",
         UiAnswer::kNone, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startup.commandLine = PutFile("r.cgi", InfoBlock(kBetaRule, "p") + S(kData));
        Run([&](CMainDlg& main) {
            user.TakeMessages();
            if (c.tab != CMainDlg::kItemTab)
                user.Select(main, CMainDlg::IDC_TAB, c.tab);
            CMainPage& page = main.Page(c.tab);
            if (c.tab == CMainDlg::kItemTab)
                user.Select(page, item_page::IDC_ITEM_LIST, 0);
            CStr_base<16384> shown;
            shown.Assign(user.Look(page, c.field).text);
            user.TypeText(page, c.field, S(c.typed).c_str());
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            user.Click(page, kIdOk);
            const std::vector<std::string> said = user.TakeMessages();
            ASSERT_EQ(said.size(), 1u);
            EXPECT_EQ(Cp932ToUtf8(main.ApplyError().GetBuffer()), c.kept.empty() ? said[0] : c.kept);

            // The switch applies again, is refused alike and keeps the page.
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            user.Select(main, CMainDlg::IDC_TAB, c.tab == CMainDlg::kItemTab ? CMainDlg::kEventTab : CMainDlg::kItemTab);
            EXPECT_EQ(SelectedTab(main), c.tab);
            EXPECT_EQ(user.TakeMessages(), said);

            // With the shown text back, the apply is done and the text empty.
            user.TypeText(page, c.field, shown.GetBuffer());
            user.Click(page, kIdOk);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
            EXPECT_STREQ(main.ApplyError().GetBuffer(), "");
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

} // namespace
