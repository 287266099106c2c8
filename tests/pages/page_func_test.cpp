// The function and definition pages through the main window and a
// scripted user: entering, editing, refusals, revert, the direct edit of
// the function blocks and jumps from other pages (browsing both samples is
// in kept_save_test.cpp).
#include "page_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_func_template.h"

namespace {

using namespace func_page;
using define_page::IDC_DEFINE_EDIT;

class FuncPageTest : public PageTest {
protected:
    void Open(const std::string& funcId)
    {
        OpenData("@@DEFINE\r\ntype1 剣\r\n@@ITEM\r\n\tno\t1\r\n\tname\t木材\r\n@@FUNCITEM\r\nsub item {\r\n}\r\n"
                 "@@FUNCTURN\r\n表示\r\n@@FUNCNEW\r\nnew;\r\n@@END\r\n",
                 "###FuncID=" + funcId + "\r\n");
    }
    CMainPage& Func(CMainDlg& main) { return main.Page(CMainDlg::kFuncTab); }
    CMainPage& Define(CMainDlg& main) { return main.Page(CMainDlg::kDefineTab); }
    std::string Block(CMainDlg& main, const char* keyword) { return U(main.Document().FindFunction(keyword)->text); }
    // The direct edit: gives the text shown and types `typed` over it.
    std::string DirectEditTo(CMainDlg& main, const std::string& typed)
    {
        std::string shown;
        refused = DirectEdit(Func(main), IDC_DIRECT_EDIT, [&](const std::string& text) {
            shown = text;
            return typed.empty() ? text : typed;
        });
        return shown;
    }
    Lines refused;
};

TEST_F(FuncPageTest, EditedBlocksSurviveSwitchingAndOnlyTheyAreCompleted)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        EXPECT_EQ(Sel(Func(main), IDC_FUNC_COMBO), 5);
        // Looking at a text that lacks a "\" asks nothing.
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_FALSE(main.IsModified());

        Type(Func(main), IDC_FUNC_EDIT, "表示\r\nturn;\r\n");
        user.Answer(UiAnswer::kYes);
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        EXPECT_EQ(user.TakeMessages(), Lines{"1 箇所に0x5c('\\')補完が必要と思われます。補完しますか？"});
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "new;\r\n");
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "表\\示\nturn;\n");
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        Type(Func(main), IDC_FUNC_EDIT, "x");
        user.Click(Func(main), IDC_REVERT);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "表\\示\r\nturn;\r\n");

        // A jump from another page selects the block, and a save stores it.
        Enter(main, CMainDlg::kItemTab);
        EXPECT_TRUE(main.ShowElement(CMainDlg::kFuncTab, 0));
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "sub item {\r\n}\r\n");
        EXPECT_EQ(main.CurrentElement(), (CPageElement{CMainDlg::kFuncTab, 0}));
        Save(main);
    });
    EXPECT_NE(U(Saved()).find("###FuncID=0\r\n"), std::string::npos);
}

TEST_F(FuncPageTest, ATextThatWouldSplitOnReopenIsRefusedUntilMended)
{
    Open("7");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n@@ITEM\r\n\tno\t2\r\n");
        const Lines message{"[2]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。\n"};
        user.Select(Func(main), IDC_FUNC_COMBO, 0);
        EXPECT_EQ(user.TakeMessages(), message);
        EXPECT_EQ(Sel(Func(main), IDC_FUNC_COMBO), 7);
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(user.TakeMessages(), message);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kFuncTab);
        EXPECT_EQ(Block(main, "@@FUNCNEW"), "new;\n");
        // Mended, the direct edit goes ahead despite the earlier refusal.
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n\t@ITEM\r\n");
        EXPECT_NE(DirectEditTo(main, "").find("@@FUNCNEW\r\nnew;\r\n\t@ITEM\r\n"), std::string::npos);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FuncPageTest, DirectEditReadsTheTwelveBlocksOrRefusesWithNumberedLines)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "turn;\r\n");
        EXPECT_EQ(DirectEditTo(main, "@@FUNCITEM\r\na\r\n@@ITEM\r\n@@funcnew\r\n"),
                  "@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCTURN\r\nturn;\r\n@@FUNCNEW\r\nnew;\r\n");
        EXPECT_EQ(refused, (Lines{"[3]：\"@@ITEM\" この項目をここで使うことはできません。", "[4]：\"@@funcnew\"を認識できません。"}));
        EXPECT_EQ(Block(main, "@@FUNCITEM"), "sub item {\n}\n");

        // A text that reads is taken: the shown "@@FUNCTURN", left out, is emptied.
        DirectEditTo(main, "@@FUNCITEM\r\nsub item {\r\n}\r\n");
        EXPECT_EQ(refused, Lines{});
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FuncPageTest, TheDefinitionIsReadAgainOnlyWhenEdited)
{
    Open("0");
    Run([&](CMainDlg& main) {
        // A definition read with a message: looking at it blocks nothing.
        main.Document().definedata.text.Assign(S("@@DEFINE\ntype1 剣\ntype1 剣\n").c_str());
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(Text(Define(main), IDC_DEFINE_EDIT), "@@DEFINE\r\ntype1 剣\r\ntype1 剣\r\n");
        Enter(main, CMainDlg::kFuncTab);
        EXPECT_TRUE(main.ShowElement(CMainDlg::kDefineTab, 0));
        EXPECT_EQ(main.CurrentElement(), (CPageElement{CMainDlg::kDefineTab, 0}));
        EXPECT_FALSE(main.IsModified());

        Type(Define(main), IDC_DEFINE_EDIT, "@@DEFINE\r\ntype1 剣\r\ntypeA 盾\r\n");
        Enter(main, CMainDlg::kItemTab);
        EXPECT_EQ(user.TakeMessages(), Lines{"[3]：@@DEFINE：\"type\" 書式を認識できません\n"});
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kDefineTab);
        user.Click(Define(main), define_page::IDC_REVERT);
        EXPECT_EQ(Text(Define(main), IDC_DEFINE_EDIT), "@@DEFINE\r\ntype1 剣\r\ntype1 剣\r\n");

        Type(Define(main), IDC_DEFINE_EDIT, "@@DEFINE\r\ntype1 剣\r\ntype2 盾\r\n");
        Apply(Define(main));
        EXPECT_EQ(main.Document().definedata.types.GetCount(), 2u);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
