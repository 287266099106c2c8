// What a page's apply came to reaches the main window: after each apply its
// apply-error text holds what the refusal showed ("user cancel" for a
// question the user cancelled), and it is empty again after an apply that
// was done. A refused apply refuses the tab switch and the change of the
// shown element as well, and leaves the element as it was stored: a field
// typed back to its shown text afterwards is that text, not the refused one.
#include "page_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"

namespace {

const std::string kData = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t鉄の剣\r\n\tlimit\t5/7\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t木の盾\r\n"
                          "@@EVENT\r\n\tcode\train\r\n"
                          "@@EVENT\r\n\tcode\twind\r\n";

class ApplyOutcomeTest : public PageTest {};

TEST_F(ApplyOutcomeTest, TheMainWindowKeepsWhatTheLastApplyCameToAndTheElementStays)
{
    struct Case {
        int32_t tab, list, field;
        std::string typed; // what the apply refuses
        UiAnswer answer;   // to the question the apply asks; kNone for none
        std::string kept;  // the apply-error text then; empty: the message shown
        const char* key;   // the stored field, with the shown text afterwards
    } const cases[] = {
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_NAME, "", UiAnswer::kNone, "", "name"},
        {CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, event_page::IDC_FIELD_FIRST + 3, "", UiAnswer::kNone, "", "code"},
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_NAME, "名剣", UiAnswer::kCancel, "user cancel", "name"},
        {CMainDlg::kDefineTab, -1, define_page::IDC_DEFINE_EDIT, "@@DEFINE\r\ntype2 b\r\ntype2 c\r\n", UiAnswer::kNone, "",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + " " + std::to_string(c.field));
        OpenData(kData);
        Run([&](CMainDlg& main) {
            Enter(main, c.tab);
            CMainPage& page = main.Page(c.tab);
            if (c.list >= 0)
                user.Select(page, c.list, 0);
            const std::string shown = Text(page, c.field);
            const auto stored = [&]() -> std::string {
                if (!c.key)
                    return "";
                const CMerxFieldElement& element = c.tab == CMainDlg::kItemTab
                                                       ? static_cast<const CMerxFieldElement&>(*main.Document().itemdata.GetAt(0))
                                                       : *main.Document().eventdata.GetAt(0);
                return U(element.FieldText(c.key));
            };
            const std::string before = stored();
            Type(page, c.field, c.typed);
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            Apply(page);
            const Lines said = user.TakeMessages();
            ASSERT_EQ(said.size(), 1u);
            EXPECT_EQ(U(main.ApplyError()), c.kept.empty() ? said[0] : c.kept);

            // The switch applies again, is refused alike and keeps the page,
            // and so does showing another element.
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            Enter(main, c.tab == CMainDlg::kItemTab ? CMainDlg::kEventTab : CMainDlg::kItemTab);
            EXPECT_EQ(SelectedTab(main), c.tab);
            EXPECT_EQ(user.TakeMessages(), said);
            if (c.list >= 0 && c.answer == UiAnswer::kNone) {
                user.Select(page, c.list, 1);
                EXPECT_EQ(user.TakeMessages().size(), 1u);
                EXPECT_EQ(page.CurrentElement(), 0);
            }

            // With the shown text back, the apply is done, the text empty
            // and the element as it was.
            Type(page, c.field, shown);
            Apply(page);
            EXPECT_EQ(user.TakeMessages(), Lines{});
            EXPECT_EQ(U(main.ApplyError()), "");
            EXPECT_EQ(stored(), before);
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
    OpenData(kUses, "###ItemID=0\r\n");
    Run([&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        Type(page, item_page::IDC_USE_FUNC_EDIT, "swing();\r\nb_local_");
        Type(page, item_page::IDC_JOB_NAME, "black smith");
        Type(page, item_page::IDC_USE_FIELD_FIRST, "大振り");
        Apply(page);
        const Lines said = user.TakeMessages();
        ASSERT_EQ(said.size(), 2u);
        EXPECT_NE(said[0].find("[@@USE::func]"), std::string::npos) << said[0];
        EXPECT_NE(said[1].find("[@@USE::job::"), std::string::npos) << said[1];
        EXPECT_EQ(U(main.ApplyError()), said[0] + said[1]);
        // Nothing was stored; the name the user gave the entry is in the
        // working copy and goes in with the next apply that is done.
        const auto name = [&] { return Field(*main.Document().itemdata.GetAt(0)->uses.GetAt(0), "name"); };
        EXPECT_EQ(name(), "振る");
        Type(page, item_page::IDC_USE_FUNC_EDIT, "swing();");
        Type(page, item_page::IDC_JOB_NAME, "smith");
        Apply(page);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(U(main.ApplyError()), "");
        EXPECT_EQ(name(), "大振り");
        user.Answer(UiAnswer::kNo); // the save question
    });
}

} // namespace
