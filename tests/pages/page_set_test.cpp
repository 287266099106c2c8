// The arrangement page through the main window and a scripted user: other
// texts edited, inserted, copied and deleted, moves, and the jump to an
// element's editing page (browsing both samples is in kept_save_test.cpp).
#include <algorithm>

#include "page_fixture.h"
#include "pages/page_set_template.h"

namespace {

using namespace set_page;

const std::string kText = "# head\r\n"
                          "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n"
                          "@@EVENT\r\n\tcode\train\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n"
                          "@@IF\tcond\r\n"
                          "@@ITEM\r\n\tno\t3\r\n\tname\t弓\r\n"
                          "@@END\r\ntail\r\n";

class SetPageTest : public PageTest {
protected:
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kSetTab); }
    // The first labels, up to the first function block.
    Lines Head(CMainDlg& main)
    {
        Lines labels = Items(Page(main), IDC_ELEMENT_LIST);
        labels.erase(std::find_if(labels.begin(), labels.end(),
                                  [](const std::string& l) { return l.starts_with("@@FUNC") || l.ends_with("@@DEFINE"); }),
                     labels.end());
        return labels;
    }
    int32_t Find(CMainDlg& main, const std::string& label)
    {
        const Lines labels = Items(Page(main), IDC_ELEMENT_LIST);
        return static_cast<int32_t>(std::find(labels.begin(), labels.end(), label) - labels.begin());
    }
    void Select(CMainDlg& main, const std::string& label) { user.Select(Page(main), IDC_ELEMENT_LIST, Find(main, label)); }
    std::string Detail(CMainDlg& main) { return Text(Page(main), IDC_DETAIL); }
    // The one message the last action gave, or "" when there was none or more.
    std::string Message()
    {
        const Lines messages = user.TakeMessages();
        return messages.size() == 1 ? messages[0] : "";
    }
};

TEST_F(SetPageTest, OtherTextsAreEditedInPlace)
{
    OpenData(kText);
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kSetTab);
        EXPECT_EQ(Head(main), (Lines{"# head", "@@ITEM：剣", "@@EVENT：rain", "@@ITEM：盾", "@@IF\tcond", "@@ITEM：弓"}));
        // An element of another page is read only, and takes Tab without text.
        Select(main, "@@ITEM：剣");
        user.Focus(Page(main), IDC_DETAIL);
        user.PressKey(Page(main), UiKey::kTab);
        EXPECT_EQ(Detail(main), "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n");
        EXPECT_TRUE(user.Look(Page(main), IDC_DETAIL).readOnly);
        EXPECT_FALSE(Enabled(Page(main), IDC_DELETE));

        // Stored when another element is selected; the label follows.
        Select(main, "# head");
        Type(Page(main), IDC_DETAIL, "# top\r\n# second line\r\n");
        EXPECT_TRUE(main.IsModified());
        Select(main, "@@ITEM：剣");
        EXPECT_EQ(Head(main)[0], "# top");

        // 元に戻す puts back what is stored.
        Select(main, "@@IF\tcond");
        Type(Page(main), IDC_DETAIL, "@@IF\tother\r\n");
        user.Click(Page(main), IDC_REVERT);
        EXPECT_EQ(Detail(main), "@@IF\tcond\r\n");

        // A text that would become an item on reopen is refused; the page
        // stays on it.
        Type(Page(main), IDC_DETAIL, "# x\r\n@@ITEM\r\n\tno\t9\r\n");
        Select(main, "@@ITEM：弓");
        EXPECT_TRUE(Message().starts_with("このテキストは読み込み直すと別の要素として読まれてしまうため、適用できません。\n"));
        EXPECT_EQ(Page(main).CurrentElement(), Find(main, "@@IF\tcond"));
        user.Click(Page(main), IDC_REVERT);
        Save(main);
    });
    EXPECT_NE(U(Saved()).find("# top\r\n# second line\r\n@@ITEM"), std::string::npos);
}

// The blank and comment lines behind an item, from the first blank line
// on, are a free text of their own: edited here, and left in place when the
// items around them move.
TEST_F(SetPageTest, SectionHeadersAreFreeTextsOfTheirOwn)
{
    OpenData("@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n\t# 剣の\r\n\r\n# ==== 武器 ====\r\n"
             "@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n@@END\r\n");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kSetTab);
        // Named by its first line that is not blank.
        EXPECT_EQ(Head(main), (Lines{"@@ITEM：剣", "# ==== 武器 ====", "@@ITEM：盾"}));
        Select(main, "# ==== 武器 ====");
        EXPECT_EQ(Detail(main), "\r\n# ==== 武器 ====\r\n");

        Type(Page(main), IDC_DETAIL, "\r\n# ==== 武具 ====\r\n");
        Select(main, "@@ITEM：盾");

        // 盾 moves up past the text and past 剣; the text stays behind both.
        user.Click(Page(main), IDC_UP);
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Head(main), (Lines{"@@ITEM：盾", "@@ITEM：剣", "# ==== 武具 ===="}));
        Save(main);
    });
    EXPECT_NE(U(Saved()).find("\tname\t剣\r\n\t# 剣の\r\n\r\n# ==== 武具 ====\r\n@@DEFINE\r\n@@END"), std::string::npos)
        << U(Saved());
}

TEST_F(SetPageTest, InsertCopyAndDelete)
{
    OpenData(kText);
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kSetTab);
        const uint32_t version = main.Document().GetStructureVersion();
        Select(main, "@@EVENT：rain");
        user.Click(Page(main), IDC_INSERT);
        EXPECT_EQ(Head(main)[2], "");
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_NE(main.Document().GetStructureVersion(), version);
        // Behind an item, a text without a keyword line would become the
        // item's comment lines on reopen.
        Type(Page(main), IDC_DETAIL, "# new\r\n");
        Apply(Page(main));
        EXPECT_NE(Message().find("前の要素の一部になってしまいます"), std::string::npos);
        Type(Page(main), IDC_DETAIL, "@@IF\tnew\r\n");

        // Copy applies first and puts the copy above.
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(Head(main), (Lines{"# head", "@@ITEM：剣", "@@IF\tnew", "@@IF\tnew", "@@EVENT：rain", "@@ITEM：盾",
                                     "@@IF\tcond", "@@ITEM：弓"}));
        EXPECT_EQ(Page(main).CurrentElement(), 2);

        // Delete asks; the edits of the deleted text go with it.
        Type(Page(main), IDC_DETAIL, "# edited but deleted\r\n");
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        EXPECT_EQ(Message(), "この項目を削除しますか？");
        EXPECT_EQ(Head(main)[2], "@@IF\tnew");
        EXPECT_EQ(Detail(main), "@@IF\tnew\r\n");
        user.Answer(UiAnswer::kNo);
        user.Click(Page(main), IDC_DELETE);
        user.TakeMessages();
        EXPECT_EQ(Head(main).size(), 7u);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(SetPageTest, MovesAndTheJumpToEditingPages)
{
    OpenData(kText);
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kSetTab);
        CMerxDocument& doc = main.Document();
        // Up past an event: the arrangement only; past an item: both lists.
        Select(main, "@@ITEM：盾");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(U(doc.itemdata[1].FieldText("name")), "盾");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(U(doc.itemdata[0].FieldText("name")), "盾");
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        // Across an "@@IF" line without a question.
        Select(main, "@@ITEM：弓");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Find(main, "@@ITEM：弓") + 1, Find(main, "@@IF\tcond"));

        // Nothing goes behind "@@END".
        user.Select(Page(main), IDC_ELEMENT_LIST, Find(main, "@@END") - 1);
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(Items(Page(main), IDC_ELEMENT_LIST).back(), "@@END");
        // The last entry goes no further down, without a word.
        const Lines arranged = Items(Page(main), IDC_ELEMENT_LIST);
        user.Select(Page(main), IDC_ELEMENT_LIST, Find(main, "@@END"));
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Items(Page(main), IDC_ELEMENT_LIST), arranged);

        // 編集ページに切替 opens the element on its page.
        const struct {
            std::string label;
            int32_t tab, element;
        } jumps[] = {{"@@ITEM：弓", CMainDlg::kItemTab, 2}, {"@@EVENT：rain", CMainDlg::kEventTab, 0},
                     {"@@FUNCSALE", CMainDlg::kFuncTab, 10}, {"プロジェクト定義：@@DEFINE", CMainDlg::kDefineTab, 0}};
        for (const auto& jump : jumps) {
            Enter(main, CMainDlg::kSetTab);
            Select(main, jump.label);
            user.Click(Page(main), IDC_EDIT_PAGE);
            EXPECT_EQ(SelectedTab(main), jump.tab) << jump.label;
            EXPECT_EQ(main.CurrentElement(), (CPageElement{jump.tab, jump.element})) << jump.label;
        }
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
