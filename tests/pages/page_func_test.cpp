// The function and definition pages through the main window and a
// scripted user: entering, browsing, editing, refusals, revert, the direct
// edit of the function blocks and jumps from other pages.
#include <fstream>
#include <iterator>

#include "../app/main_dlg_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_func_template.h"

namespace {

std::string S(const std::string& utf8) { return Utf8ToCp932(utf8); }

const std::string kData = "@@DEFINE\r\ntype1 剣\r\njob smith 鍛冶屋\r\n"
                          "@@ITEM\r\n\tno\t1\r\n\tname\t木材\r\n\ttype\t1\r\n"
                          "@@FUNCITEM\r\nsub item {\r\n}\r\n"
                          "@@FUNCTURN\r\n表示\r\n"
                          "@@FUNCNEW\r\nnew;\r\n"
                          "@@END\r\n";

class FuncPageTest : public MainDlgTest {
protected:
    void Open(const std::string& funcId = "5", const std::string& data = kData)
    {
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###FuncID=" + funcId + "\r\n");
        startup.commandLine = PutFile("func.cgi", block + S(data));
    }
    void OpenSample(const char* name)
    {
        std::filesystem::copy(std::string(TAVARO_SOURCE_DIR) + "/examples/makeitem_rules", folder.Path("program/makeitem_rules"),
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        std::ifstream sample(std::string(TAVARO_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
        startup.commandLine = PutFile("func.cgi", std::string(std::istreambuf_iterator<char>(sample), {}));
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
    std::string Types(CMainDlg& main)
    {
        std::string types;
        for (const TypeData& type : main.Document().definedata.types)
            types += Cp932ToUtf8(type.id.GetBuffer()) + " " + Cp932ToUtf8(type.name.GetBuffer()) + "|";
        return types;
    }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("func.cgi"); }
    // Runs the direct edit: `typed` goes into the direct-input window, then
    // OK; when it is refused, its error lines are kept and it is cancelled.
    void DirectEdit(CMainDlg& main, const std::string& typed, std::string* shown = nullptr)
    {
        user.OnModal([&, typed, shown](CDialogBase& d) {
            if (shown)
                *shown = Cp932ToUtf8(user.Look(d, CDirectInputDlg::IDC_TEXT).text.GetBuffer());
            if (!typed.empty())
                user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(typed).c_str());
            user.Click(d, kIdOk);
            if (!user.LookAt(d).IsEnded()) {
                for (const CStr_base<64>& line : main.DirectInput().ErrInfo().GetLines())
                    refused += Cp932ToUtf8(line.GetBuffer()) + "\n";
                user.Click(d, kIdCancel);
            }
        });
        user.Click(Func(main), func_page::IDC_DIRECT_EDIT);
    }
    std::string refused;
};

using namespace func_page;

// Every block and the definition looked at, on both sample projects: the
// file is saved as it was.
TEST_F(FuncPageTest, BrowsingTheSamplesChangesNothing)
{
    for (const char* name : {"inc-item-data.cgi", "inc-item-data-ext.cgi"}) {
        OpenSample(name);
        std::string untouched;
        Run([&](CMainDlg& main) {
            Enter(main, CMainDlg::kFuncTab);
            Save(main);
            untouched = Saved();
            const int32_t start = Func(main).CurrentElement();
            for (int32_t block = 0; block < 12; ++block) {
                user.Select(Func(main), IDC_FUNC_COMBO, block);
                user.Click(Func(main), kIdOk);
            }
            user.Click(Func(main), IDC_REVERT);
            Enter(main, CMainDlg::kDefineTab);
            user.Click(Define(main), kIdOk);
            Enter(main, CMainDlg::kFuncTab);
            user.Select(Func(main), IDC_FUNC_COMBO, start);
            EXPECT_FALSE(main.IsModified()) << name;
            Save(main);
        });
        EXPECT_EQ(Saved(), untouched) << name;
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{}) << name;
    }
}

TEST_F(FuncPageTest, EditedBlocksSurviveSwitchingAndAreStoredWithLineFeeds)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        EXPECT_EQ(user.Look(Func(main), IDC_FUNC_COMBO).curSel, 5);
        EXPECT_EQ(Func(main).CurrentElement(), 5);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "表示\r\n");
        EXPECT_FALSE(main.IsModified());

        // Only an edited text asks for its "\": looking asks nothing.
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "表示\n");
        Type(Func(main), IDC_FUNC_EDIT, "表示\r\nturn;\r\n");
        EXPECT_TRUE(main.IsModified());
        user.Answer(UiAnswer::kYes);
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"1 箇所に0x5c('\\')補完が必要と思われます。補完しますか？"});
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "new;\r\n");
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "表\\示\nturn;\n");
        user.Select(Func(main), IDC_FUNC_COMBO, 5);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "表\\示\r\nturn;\r\n");

        // Revert shows the block from the document; apply stores it.
        Type(Func(main), IDC_FUNC_EDIT, "x");
        user.Click(Func(main), IDC_REVERT);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "表\\示\r\nturn;\r\n");
        Type(Func(main), IDC_FUNC_EDIT, "y\r\n");
        user.Click(Func(main), kIdOk);
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "y\n");

        // A jump from another page selects the block.
        Enter(main, CMainDlg::kItemTab);
        EXPECT_TRUE(main.ShowElement(CMainDlg::kFuncTab, 0));
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "sub item {\r\n}\r\n");
        EXPECT_TRUE(main.ShowElement(CMainDlg::kFuncTab, 7));
        EXPECT_EQ(main.CurrentElement(), (CPageElement{CMainDlg::kFuncTab, 7}));
        Save(main);
    });
    const std::string saved = Cp932ToUtf8(Saved());
    EXPECT_NE(saved.find("###FuncID=7\r\n"), std::string::npos);
    EXPECT_NE(saved.find("@@FUNCTURN\r\ny\r\n@@FUNCNEW"), std::string::npos);
}

TEST_F(FuncPageTest, ATextThatWouldSplitOnReopenIsRefused)
{
    Open("7");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n@@ITEM\r\n\tno\t2\r\n");
        const std::string message = "[2]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。\n";
        user.Select(Func(main), IDC_FUNC_COMBO, 0);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{message});
        EXPECT_EQ(user.Look(Func(main), IDC_FUNC_COMBO).curSel, 7);
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{message});
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kFuncTab);
        EXPECT_EQ(Block(main, "@@FUNCNEW"), "new;\n");
        EXPECT_EQ(main.Document().itemdata.GetCount(), 1u);
        Type(Func(main), IDC_FUNC_EDIT, "new;\r\n\t@ITEM\r\n");
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kDefineTab);
        EXPECT_EQ(Block(main, "@@FUNCNEW"), "new;\n\t@ITEM\n");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FuncPageTest, DirectEditReadsTheTwelveBlocksOrRefusesWithNumberedLines)
{
    Open("5");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kFuncTab);
        Type(Func(main), IDC_FUNC_EDIT, "turn;\r\n");
        std::string shown;
        DirectEdit(main, "", &shown);
        EXPECT_EQ(shown, "@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCTURN\r\nturn;\r\n@@FUNCNEW\r\nnew;\r\n");

        // Refusals: a foreign block, a keyword in another case. Neither
        // stays behind to stop the next direct edit.
        DirectEdit(main, "@@FUNCITEM\r\na\r\n@@ITEM\r\n\tno\t2\r\n@@funcnew\r\nb\r\n");
        EXPECT_EQ(refused, "[3]：\"@@ITEM\" この項目をここで使うことはできません。\n[5]：\"@@funcnew\"を認識できません。\n");
        EXPECT_EQ(Block(main, "@@FUNCITEM"), "sub item {\n}\n");
        EXPECT_TRUE(main.Document().m_strApplyError.IsEmpty());

        // Accepted: "@@FUNCTURN" left out is emptied, "@@FUNCNEW" twice is
        // joined, and the page shows the block anew.
        refused.clear();
        DirectEdit(main, "@@FUNCNEW\r\na\r\n@@FUNCITEM\r\nsub item {\r\n}\r\n@@FUNCNEW\r\nb\r\n");
        EXPECT_EQ(refused, "");
        EXPECT_EQ(Block(main, "@@FUNCTURN"), "");
        EXPECT_EQ(Block(main, "@@FUNCNEW"), "a\nb\n");
        EXPECT_EQ(Block(main, "@@FUNCITEM"), "sub item {\n}\n");
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "");
        user.Select(Func(main), IDC_FUNC_COMBO, 7);
        EXPECT_EQ(Text(Func(main), IDC_FUNC_EDIT), "a\r\nb\r\n");
        Save(main);
    });
    const std::string saved = Cp932ToUtf8(Saved());
    EXPECT_EQ(saved.find("@@FUNCTURN"), std::string::npos);
    EXPECT_NE(saved.find("@@FUNCNEW\r\na\r\nb\r\n@@END"), std::string::npos);
}

TEST_F(FuncPageTest, TheDefinitionIsReadAgainOnlyWhenEdited)
{
    Open("0");
    Run([&](CMainDlg& main) {
        // A definition read with a message: looking at it blocks nothing.
        main.Document().definedata.text.Assign(S("@@DEFINE\ntype1 剣\ntype1 剣\n").c_str());
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_EQ(Define(main).CurrentElement(), 0);
        EXPECT_EQ(Text(Define(main), define_page::IDC_DEFINE_EDIT), "@@DEFINE\r\ntype1 剣\r\ntype1 剣\r\n");
        Enter(main, CMainDlg::kFuncTab);
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kFuncTab);
        Enter(main, CMainDlg::kDefineTab);
        EXPECT_FALSE(main.IsModified());

        // A malformed type line keeps the page and the types.
        Type(Define(main), define_page::IDC_DEFINE_EDIT, "@@DEFINE\r\ntype1 剣\r\ntypeA 盾\r\n");
        Enter(main, CMainDlg::kItemTab);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[3]：@@DEFINE：\"type\" 書式を認識できません\n"});
        EXPECT_EQ(main.CurrentPageIndex(), CMainDlg::kDefineTab);
        EXPECT_EQ(Types(main), "1 剣|");
        user.Click(Define(main), define_page::IDC_REVERT);
        EXPECT_EQ(Text(Define(main), define_page::IDC_DEFINE_EDIT), "@@DEFINE\r\ntype1 剣\r\ntype1 剣\r\n");

        Type(Define(main), define_page::IDC_DEFINE_EDIT, "@@DEFINE\r\ntype1 剣\r\ntype2 盾\r\n");
        user.Click(Define(main), kIdOk);
        EXPECT_EQ(Types(main), "1 剣|2 盾|");
        EXPECT_EQ(Cp932ToUtf8(main.Document().definedata.text.GetBuffer()), "@@DEFINE\ntype1 剣\ntype2 盾\n");
        EXPECT_TRUE(main.ShowElement(CMainDlg::kItemTab, 0));
        EXPECT_TRUE(main.ShowElement(CMainDlg::kDefineTab, 0));
        EXPECT_EQ(main.CurrentElement(), (CPageElement{CMainDlg::kDefineTab, 0}));
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
