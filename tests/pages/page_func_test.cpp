// The function and definition pages through the main window and a
// scripted user: entering, editing, refusals, revert, the direct edit of
// the function blocks and jumps from other pages (browsing both samples is
// in kept_save_test.cpp).
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_func_template.h"

namespace {

using namespace func_page;
using define_page::IDC_DEFINE_EDIT;


class FuncPageTest : public MainDlgTest {
protected:
    void Open(const std::string& funcId)
    {
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###FuncID=" + funcId + "\r\n");
        startup.commandLine = PutFile("func.cgi", block + S("@@DEFINE\r\ntype1 剣\r\n@@ITEM\r\n\tno\t1\r\n\tname\t木材\r\n"
                                                           "@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCTURN\r\n表示\r\n"
                                                           "@@FUNCNEW\r\nnew;\r\n@@END\r\n"));
    }
    CMainPage& Func(CMainDlg& main) { return main.Page(CMainDlg::kFuncTab); }
    CMainPage& Define(CMainDlg& main) { return main.Page(CMainDlg::kDefineTab); }
    void Enter(CMainDlg& main, int32_t tab) { user.Select(main, CMainDlg::IDC_TAB, tab); }
    std::string Text(CMainPage& page, int32_t id) { return Cp932ToUtf8(user.Look(page, id).text.GetBuffer()); }
    void Type(CMainPage& page, int32_t id, const std::string& utf8) { user.TypeText(page, id, S(utf8).c_str()); }
    std::string Block(CMainDlg& main, const char* keyword)
    {
        return Cp932ToUtf8(main.Document().FindFunction(keyword)->text.GetBuffer());
    }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("func.cgi"); }
    // The direct edit: returns the text shown, types `typed` and presses OK;
    // a refusal's error lines go to `refused` and the window is cancelled.
    std::string DirectEdit(CMainDlg& main, const std::string& typed)
    {
        std::string shown;
        user.OnModal([&](CDialogBase& d) {
            shown = Cp932ToUtf8(user.Look(d, CDirectInputDlg::IDC_TEXT).text.GetBuffer());
            if (!typed.empty())
                user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(typed).c_str());
            user.Click(d, kIdOk);
            refused.clear();
            for (const CStr_base<64>& line : main.DirectInput().ErrInfo().GetLines())
                refused += Cp932ToUtf8(line.GetBuffer()) + "\n";
            if (!user.LookAt(d).IsEnded())
                user.Click(d, kIdCancel);
        });
        user.Click(Func(main), IDC_DIRECT_EDIT);
        return shown;
    }
    std::string refused;
};

TEST_F(FuncPageTest, EditedBlocksSurviveSwitchingAndOnlyTheyAreCompleted)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        EXPECT_EQ(user.Look(Func(main), IDC_FUNC_COMBO).curSel, 5);
        // Looking at a text that lacks a "\" asks nothing.
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_FALSE(main.IsModified());

        Type(Func(main), IDC_FUNC_EDIT, "表示\r\nturn;\r\n");
        user.Answer(UiAnswer::kYes);
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"1 箇所に0x5c('\\')補完が必要と思われます。補完しますか？"});
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "new;\r\n");
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "表\\示\nturn;\n");
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "表\\示\r\nturn;\r\n");
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
    EXPECT_NE(Cp932ToUtf8(Saved()).find("###FuncID=0\r\n"), std::string::npos);
}

TEST_F(FuncPageTest, ATextThatWouldSplitOnReopenIsRefusedUntilMended)
{
    Open("7");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n@@ITEM\r\n\tno\t2\r\n");
        const std::vector<std::string> message{"[2]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。\n"};
        user.Select(Func(main), IDC_FUNC_COMBO, 0);
        EXPECT_EQ(user.TakeMessages(), message);
        EXPECT_EQ(user.Look(Func(main), IDC_FUNC_COMBO).curSel, 7);
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(user.TakeMessages(), message);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kFuncTab);
        EXPECT_EQ(Block(main, "@@FUNCNEW"), "new;\n");
        // Mended, the direct edit goes ahead despite the earlier refusal.
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n\t@ITEM\r\n");
        EXPECT_NE(DirectEdit(main, "").find("@@FUNCNEW\r\nnew;\r\n\t@ITEM\r\n"), std::string::npos);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FuncPageTest, DirectEditReadsTheTwelveBlocksOrRefusesWithNumberedLines)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "turn;\r\n");
        EXPECT_EQ(DirectEdit(main, "@@FUNCITEM\r\na\r\n@@ITEM\r\n@@funcnew\r\n"),
                  "@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCTURN\r\nturn;\r\n@@FUNCNEW\r\nnew;\r\n");
        EXPECT_EQ(refused, "[3]：\"@@ITEM\" この項目をここで使うことはできません。\n[4]：\"@@funcnew\"を認識できません。\n");
        EXPECT_EQ(Block(main, "@@FUNCITEM"), "sub item {\n}\n");

        // "@@FUNCTURN" left out is emptied, "@@FUNCNEW" twice is joined.
        DirectEdit(main, "@@FUNCNEW\r\na\r\n@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCNEW\r\nb\r\n");
        EXPECT_EQ(refused, "");
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "");
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "a\r\nb\r\n");
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
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[3]：@@DEFINE：\"type\" 書式を認識できません\n"});
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kDefineTab);
        user.Click(Define(main), define_page::IDC_REVERT);
        EXPECT_EQ(Text(Define(main), IDC_DEFINE_EDIT), "@@DEFINE\r\ntype1 剣\r\ntype1 剣\r\n");

        Type(Define(main), IDC_DEFINE_EDIT, "@@DEFINE\r\ntype1 剣\r\ntype2 盾\r\n");
        user.Click(Define(main), kIdOk);
        EXPECT_EQ(main.Document().definedata.types.GetCount(), 2u);
        EXPECT_EQ(Cp932ToUtf8(main.Document().definedata.text.GetBuffer()), "@@DEFINE\ntype1 剣\ntype2 盾\n");
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
