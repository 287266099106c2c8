// What a page's apply came to reaches the main window: after each apply its
// apply-error text holds what the refusal showed ("user cancel" for a
// question the user cancelled), and it is empty again after an apply that
// was done. A refused apply refuses the tab switch as well.
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "document/item_struct.h"
#include "pages/page_define_template.h"
#include "pages/page_item_template.h"

namespace {


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

// An item whose use entry has a script and a job correction.
const std::string kUses = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n"
                          "\t@@USE\r\n\t\tname\t振る\r\n\t\tfunc\t_local_\r\n\t\t\tswing();\r\n\t\t_local_\r\n"
                          "\t\tjob\tsmith 5\r\n";

// Every part of the item's apply is saved, and the refusals of all the
// parts that refused are kept one after the other, as they were shown.
TEST_F(ApplyOutcomeTest, TheRefusalsOfSeveralPartsOfAnApplyAreAllKept)
{
    std::string block = InfoBlock(kBetaRule, "p");
    block.insert(block.find("###MERX_PROJECT_INFO_END"), "###ItemID=0\r\n");
    startup.commandLine = PutFile("u.cgi", block + S(kUses));
    Run([&](CMainDlg& main) {
        user.TakeMessages();
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        user.TypeText(page, item_page::IDC_USE_FUNC_EDIT, S("swing();\r\nb_local_").c_str());
        user.TypeText(page, item_page::IDC_JOB_NAME, S("black smith").c_str());
        user.TypeText(page, item_page::IDC_USE_FIELD_FIRST, S("大振り").c_str());
        user.Click(page, kIdOk);
        const std::vector<std::string> said = user.TakeMessages();
        ASSERT_EQ(said.size(), 2u);
        EXPECT_NE(said[0].find("[@@USE::func]"), std::string::npos) << said[0];
        EXPECT_NE(said[1].find("[@@USE::job::"), std::string::npos) << said[1];
        EXPECT_EQ(Cp932ToUtf8(main.ApplyError().GetBuffer()), said[0] + said[1]);
        // Nothing was stored; the name the user gave the entry is in the
        // working copy and goes in with the next apply that is done.
        const Cusestruct& use = *main.Document().itemdata.GetAt(0)->uses.GetAt(0);
        EXPECT_STREQ(use.GetField("name")->GetBuffer(), S("振る").c_str());
        user.TypeText(page, item_page::IDC_USE_FUNC_EDIT, S("swing();").c_str());
        user.TypeText(page, item_page::IDC_JOB_NAME, "smith");
        user.Click(page, kIdOk);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_STREQ(main.ApplyError().GetBuffer(), "");
        EXPECT_STREQ(main.Document().itemdata.GetAt(0)->uses.GetAt(0)->GetField("name")->GetBuffer(), S("大振り").c_str());
        user.Answer(UiAnswer::kNo); // the save question
    });
}

} // namespace
