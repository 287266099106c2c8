// The arrangement page through the main window and a scripted user: other
// texts edited, inserted, copied and deleted, moves, and the jump to an
// element's editing page (browsing both samples is in kept_save_test.cpp).
#include <filesystem>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/page_set.h"
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

class SetPageTest : public MainDlgTest {
protected:
    void Open(const std::string& bytes = S(kText))
    {
        std::string block = InfoBlock(kBetaRule, "p");
        startup.commandLine = PutFile("set.cgi", block + bytes);
    }
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kSetTab); }
    void Enter(CMainDlg& main) { user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kSetTab); }
    std::vector<std::string> Labels(CMainDlg& main)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : user.Look(Page(main), IDC_ELEMENT_LIST).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    // The first labels, up to the first function block.
    std::vector<std::string> Head(CMainDlg& main)
    {
        std::vector<std::string> labels = Labels(main);
        labels.erase(std::find_if(labels.begin(), labels.end(),
                                  [](const std::string& l) { return l.starts_with("@@FUNC") || l.ends_with("@@DEFINE"); }),
                     labels.end());
        return labels;
    }
    int32_t Find(CMainDlg& main, const std::string& label)
    {
        const std::vector<std::string> labels = Labels(main);
        return static_cast<int32_t>(std::find(labels.begin(), labels.end(), label) - labels.begin());
    }
    std::string Detail(CMainDlg& main) { return Cp932ToUtf8(user.Look(Page(main), IDC_DETAIL).text.GetBuffer()); }
    void Select(CMainDlg& main, const std::string& label) { user.Select(Page(main), IDC_ELEMENT_LIST, Find(main, label)); }
    void Type(CMainDlg& main, const std::string& utf8) { user.TypeText(Page(main), IDC_DETAIL, S(utf8).c_str()); }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("set.cgi"); }
};

TEST_F(SetPageTest, OtherTextsAreEditedInPlace)
{
    Open();
    Run([&](CMainDlg& main) {
        Enter(main);
        EXPECT_EQ(Head(main), (std::vector<std::string>{"# head", "@@ITEM：剣", "@@EVENT：rain", "@@ITEM：盾",
                                                        "@@IF\tcond", "@@ITEM：弓"}));
        Select(main, "@@ITEM：剣");
        EXPECT_EQ(Detail(main), "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n");
        EXPECT_TRUE(user.Look(Page(main), IDC_DETAIL).readOnly);
        EXPECT_FALSE(user.Look(Page(main), IDC_DELETE).enabled);

        // Stored when another element is selected; the label follows.
        Select(main, "# head");
        EXPECT_FALSE(user.Look(Page(main), IDC_DETAIL).readOnly);
        Type(main, "# top\r\n# second line\r\n");
        EXPECT_TRUE(main.IsModified());
        Select(main, "@@ITEM：剣");
        EXPECT_EQ(Head(main)[0], "# top");

        // 元に戻す puts back what is stored.
        Select(main, "@@IF\tcond");
        Type(main, "@@IF\tother\r\n");
        user.Click(Page(main), IDC_REVERT);
        EXPECT_EQ(Detail(main), "@@IF\tcond\r\n");

        // A text that would become an item on reopen is refused; the page
        // stays on it.
        Type(main, "# x\r\n@@ITEM\r\n\tno\t9\r\n");
        Select(main, "@@ITEM：弓");
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].starts_with("このテキストは読み込み直すと別の要素として読まれてしまうため、適用できません。\n"));
        EXPECT_EQ(Page(main).CurrentElement(), Find(main, "@@IF\tcond"));
        user.Click(Page(main), IDC_REVERT);
        Save(main);
    });
    EXPECT_NE(Cp932ToUtf8(Saved()).find("# top\r\n# second line\r\n@@ITEM"), std::string::npos);
}

// The blank and comment lines behind an item, from the first blank line
// on, are a free text of their own: edited here, and left in place when the
// items around them move.
TEST_F(SetPageTest, SectionHeadersAreFreeTextsOfTheirOwn)
{
    Open(S("@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n\t# 剣の\r\n\r\n# ==== 武器 ====\r\n"
           "@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n@@END\r\n"));
    Run([&](CMainDlg& main) {
        Enter(main);
        // Named by its first line that is not blank.
        EXPECT_EQ(Head(main), (std::vector<std::string>{"@@ITEM：剣", "# ==== 武器 ====", "@@ITEM：盾"}));
        Select(main, "@@ITEM：剣");
        EXPECT_EQ(Detail(main), "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n\t# 剣の\r\n");
        Select(main, "# ==== 武器 ====");
        EXPECT_EQ(Detail(main), "\r\n# ==== 武器 ====\r\n");
        EXPECT_FALSE(user.Look(Page(main), IDC_DETAIL).readOnly);

        // Without its blank line the text would be the item's on reopen.
        Type(main, "# ==== 武具 ====\r\n");
        user.Click(Page(main), kIdOk);
        const std::vector<std::string> refused = user.TakeMessages();
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_NE(refused[0].find("前の要素の一部になってしまいます"), std::string::npos);
        Type(main, "\r\n# ==== 武具 ====\r\n");
        Select(main, "@@ITEM：盾");
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});

        // 盾 moves up past the text and past 剣; the text stays behind both.
        user.Click(Page(main), IDC_UP);
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Head(main), (std::vector<std::string>{"@@ITEM：盾", "@@ITEM：剣", "# ==== 武具 ===="}));
        Save(main);
    });
    EXPECT_NE(Cp932ToUtf8(Saved()).find("\tname\t剣\r\n\t# 剣の\r\n\r\n# ==== 武具 ====\r\n@@DEFINE\r\n@@END"),
              std::string::npos)
        << Cp932ToUtf8(Saved());
}

TEST_F(SetPageTest, InsertCopyAndDelete)
{
    Open();
    Run([&](CMainDlg& main) {
        Enter(main);
        CMerxDocument& doc = main.Document();
        uint32_t version = doc.GetStructureVersion();
        Select(main, "@@EVENT：rain");
        user.Click(Page(main), IDC_INSERT);
        EXPECT_EQ(Head(main)[2], "");
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_NE(doc.GetStructureVersion(), version);
        // Behind an item, a text without a keyword line would become the
        // item's comment lines on reopen.
        Type(main, "# new\r\n");
        user.Click(Page(main), kIdOk);
        const std::vector<std::string> refused = user.TakeMessages();
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_NE(refused[0].find("前の要素の一部になってしまいます"), std::string::npos);
        Type(main, "@@IF\tnew\r\n");

        // Copy applies first and puts the copy above.
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(Head(main), (std::vector<std::string>{"# head", "@@ITEM：剣", "@@IF\tnew", "@@IF\tnew",
                                                        "@@EVENT：rain", "@@ITEM：盾", "@@IF\tcond", "@@ITEM：弓"}));
        EXPECT_EQ(Page(main).CurrentElement(), 2);

        // Delete asks; the edits of the deleted text go with it.
        Type(main, "# edited but deleted\r\n");
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"この項目を削除しますか？"});
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
    Open();
    Run([&](CMainDlg& main) {
        Enter(main);
        CMerxDocument& doc = main.Document();
        // Up past an event: the arrangement only; past an item: both lists.
        Select(main, "@@ITEM：盾");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(Head(main)[2], "@@ITEM：盾");
        EXPECT_EQ(Cp932ToUtf8(doc.itemdata[1].GetField("name")->GetBuffer()), "盾");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(Cp932ToUtf8(doc.itemdata[0].GetField("name")->GetBuffer()), "盾");
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        // Across an "@@IF" line without a question.
        Select(main, "@@ITEM：弓");
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Labels(main)[Find(main, "@@IF\tcond") - 1], "@@ITEM：弓");

        // Nothing goes behind "@@END".
        user.Select(Page(main), IDC_ELEMENT_LIST, static_cast<int32_t>(Labels(main).size()) - 2);
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(Labels(main).back(), "@@END");

        // 編集ページに切替 opens the element on its page.
        Select(main, "@@ITEM：弓");
        user.Click(Page(main), IDC_EDIT_PAGE);
        EXPECT_EQ(user.Look(main, CMainDlg::IDC_TAB).curSel, CMainDlg::kItemTab);
        EXPECT_EQ(main.Page(CMainDlg::kItemTab).CurrentElement(), 2);
        Enter(main);
        Select(main, "@@EVENT：rain");
        user.Click(Page(main), IDC_EDIT_PAGE);
        EXPECT_EQ(main.Page(CMainDlg::kEventTab).CurrentElement(), 0);
        Enter(main);
        Select(main, "@@FUNCSALE");
        user.Click(Page(main), IDC_EDIT_PAGE);
        EXPECT_EQ(user.Look(main, CMainDlg::IDC_TAB).curSel, CMainDlg::kFuncTab);
        EXPECT_EQ(main.Page(CMainDlg::kFuncTab).CurrentElement(), 10);
        Enter(main);
        Select(main, "プロジェクト定義：@@DEFINE");
        user.Click(Page(main), IDC_EDIT_PAGE);
        EXPECT_EQ(user.Look(main, CMainDlg::IDC_TAB).curSel, CMainDlg::kDefineTab);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(SetPageTest, ANewProjectListsTheDefinitionAndTheFunctionBlocks)
{
    Run([&](CMainDlg& main) {
        Enter(main);
        const std::vector<std::string> labels = Labels(main);
        ASSERT_EQ(labels.size(), 13u);
        EXPECT_EQ(labels[0], "プロジェクト定義：@@DEFINE");
        EXPECT_EQ(labels[12], "@@FUNCBUY");
        user.Select(Page(main), IDC_ELEMENT_LIST, 0);
        // A read-only detail takes Tab without text.
        user.Focus(Page(main), IDC_DETAIL);
        user.PressKey(Page(main), UiKey::kTab);
        EXPECT_EQ(Detail(main), "@@DEFINE\r\n");
        user.Click(Page(main), IDC_INSERT);
        EXPECT_EQ(Labels(main)[0], "");
        EXPECT_EQ(main.Document().setdata.GetCount(), 14u);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
