// The tool results window through the main window and a scripted user:
// lines, jumps to every kind of element, "INFO" lines, the stale-line
// message, the "固定" box and the clearing on a new project.
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "editing/result_line.h"
#include "pages/page_item_template.h"
#include "tools/project_jump_info_dlg.h"

namespace {

using D = CProjectJumpInfoDlg;


const std::string kData = "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n"
                          "@@EVENT\r\n\tcode\train\r\n@@END\r\n";

TEST(ResultLine, KindWordsAndIndexes)
{
    struct Case {
        const char* line;
        bool parsed;
        int32_t tab, index;
        bool info;
    };
    const Case cases[] = {
        {"ITEM[3]：x", true, kTabItem, 3, false},     {"EVENT[0](rain)：x", true, kTabEvent, 0, false},
        {"FUNC[11]：x", true, kTabFunction, 11, false}, {"DEFINE[5]：x", true, kTabDefinition, 0, false},
        {"OTHER[7]：x", true, kTabArrangement, 7, false}, {"INFO[0]：x", true, -1, 0, true},
        {"WHAT[1]", true, -1, 1, false},                {"ITEM[]", false, -1, -1, false},
        {"no bracket", false, -1, -1, false},           {"ITEM[99999999999]", true, kTabItem, INT32_MAX, false},
    };
    for (const Case& c : cases) {
        CResultTarget target;
        EXPECT_EQ(ParseResultLine(c.line, target), c.parsed) << c.line;
        if (!c.parsed)
            continue;
        EXPECT_EQ(target.tab, c.tab) << c.line;
        EXPECT_EQ(target.index, c.index) << c.line;
        EXPECT_EQ(target.info, c.info) << c.line;
    }
}

class ResultsWindowTest : public MainDlgTest {
protected:
    void Open()
    {
        startup.commandLine = PutFile("r.cgi", InfoBlock(kBetaRule, "p") + S(kData));
    }
    void Show(CMainDlg& main, const std::string& utf8)
    {
        main.ToolResults().SetLines(S(utf8).c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
    }
    void Jump(CMainDlg& main, int32_t line) { user.DoubleClick(main.ToolResults(), D::IDC_LIST, line); }
    int32_t Tab(CMainDlg& main) { return user.Look(main, CMainDlg::IDC_TAB).curSel; }
};

TEST_F(ResultsWindowTest, LinesJumpToTheirElements)
{
    Open();
    Run([&](CMainDlg& main) {
        const uint32_t end = main.Document().FindEndPosition();
        Show(main, "ITEM[1]：盾\nINFO[0]：上記\nEVENT[0]：rain\nOTHER[" + std::to_string(end) + "]：@@END\nWHAT[0]\n");
        EXPECT_EQ(user.Look(main.ToolResults(), D::IDC_LIST).items.size(), 5u);
        user.SetCheck(main.ToolResults(), D::IDC_LOCK, true);

        Jump(main, 0);
        EXPECT_EQ(Tab(main), CMainDlg::kItemTab);
        EXPECT_EQ(main.Page(CMainDlg::kItemTab).CurrentElement(), 1);
        Jump(main, 1); // INFO: nothing
        EXPECT_EQ(main.Page(CMainDlg::kItemTab).CurrentElement(), 1);
        Jump(main, 2);
        EXPECT_EQ(Tab(main), CMainDlg::kEventTab);
        EXPECT_EQ(main.Page(CMainDlg::kEventTab).CurrentElement(), 0);
        Jump(main, 3);
        EXPECT_EQ(Tab(main), CMainDlg::kSetTab);
        EXPECT_EQ(main.Page(CMainDlg::kSetTab).CurrentElement(), static_cast<int32_t>(end));
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        Jump(main, 4);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"内部エラー・・・\nCProjectJumpInfoDlg::OnDblclkList1"});

        // Without "固定" a jump hides the window.
        user.SetCheck(main.ToolResults(), D::IDC_LOCK, false);
        Jump(main, 0);
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
        EXPECT_FALSE(main.ToolResults().m_bShown);
    });
    EXPECT_NE(Settings().find("Lock=OFF"), std::string::npos);
}

TEST_F(ResultsWindowTest, LinesFollowTheirElementsAndRefuseThoseThatWent)
{
    Open();
    Run([&](CMainDlg& main) {
        Show(main, "ITEM[0]：剣\nOTHER[3]：x\nITEM[5]：gone\n");
        Jump(main, 1); // index 3 is the event, no other text
        Jump(main, 2);
        const std::string stale = "この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。";
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>{stale, stale}));

        // An item added before it and the item moved after the lines were
        // set: the line still names it.
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kItemTab);
        CMainPage& items = main.Page(CMainDlg::kItemTab);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        user.SetCheck(items, item_page::IDC_INSERT, true);
        user.Click(items, item_page::IDC_ADD);
        user.Select(items, item_page::IDC_ITEM_LIST, 1);
        user.Click(items, item_page::IDC_DOWN);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        Jump(main, 0);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(items.CurrentElement(), 2);
        EXPECT_EQ(Cp932ToUtf8(user.Look(items, item_page::IDC_NAME).text.GetBuffer()), "剣");

        // Once it went, the line is refused.
        user.Answer(UiAnswer::kYes);
        user.Click(items, item_page::IDC_DELETE);
        user.TakeMessages();
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        Jump(main, 0);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{stale});
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(ResultsWindowTest, ANewProjectClearsTheLines)
{
    Open();
    Run([&](CMainDlg& main) {
        Show(main, "ITEM[0]：剣\n");
        user.OnModal([&](CDialogBase& d) { user.Click(d, kIdOk); });
        user.ChooseMenu(main, ID_FILE_NEW);
        EXPECT_EQ(main.ToolResults().Lines().GetCount(), 0u);
        EXPECT_EQ(user.Look(main.ToolResults(), D::IDC_LIST).items.size(), 0u);
    });
}

TEST_F(ResultsWindowTest, TheIntegrityCheckFillsTheWindowOrSaysAllIsWell)
{
    // Two items named alike.
    const std::string twice = "@@DEFINE\r\n\ttype1\t武器\r\n@@ITEM\r\n\tno\t1\r\n\tcode\ta\r\n\tname\t剣\r\n\ttype\t武器\r\n"
                              "@@ITEM\r\n\tno\t2\r\n\tcode\tb\r\n\tname\t剣\r\n\ttype\t武器\r\n@@END\r\n";
    startup.commandLine = PutFile("r.cgi", InfoBlock(kBetaRule, "p") + S(twice));
    Run([&](CMainDlg& main) {
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        EXPECT_EQ(Cp932ToUtf8(user.LookAt(main.ToolResults()).GetCaption()), "プロジェクト整合性チェック ( 1要素該当)");
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : user.Look(main.ToolResults(), D::IDC_LIST).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        EXPECT_EQ(lines, (std::vector<std::string>{"ITEM[0]：剣", "ITEM[1]：剣", "INFO[0]：上記2つのアイテム名が重複しています"}));
        Jump(main, 1);
        EXPECT_EQ(main.Page(CMainDlg::kItemTab).CurrentElement(), 1);

        // Mended on the page: the check finds nothing, says so and leaves
        // the window hidden with no lines.
        user.TypeText(main.Page(CMainDlg::kItemTab), item_page::IDC_NAME, S("盾").c_str());
        user.Answer(UiAnswer::kOk); // the old name is ITEM[0]'s too: renamed alone
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        EXPECT_EQ(user.TakeMessages(),
                  (std::vector<std::string>{"アイテム名が変更されました。\n変更前のアイテム名は次のアイテムでも使用されています。\n"
                                            "ITEM[0]：剣\n\n名前が混ざらないよう、このアイテム名を使用している項目は追跡せず、"
                                            "アイテム名だけを変更します。\nよろしいですか？",
                                            "チェックの結果、問題は見つかりませんでした。"}));
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
        EXPECT_EQ(main.ToolResults().Lines().GetCount(), 0u);
        EXPECT_EQ(Cp932ToUtf8(user.LookAt(main.ToolResults()).GetCaption()), "プロジェクト整合性チェック (問題なし)");

        // A page that cannot apply cancels the check.
        user.TypeText(main.Page(CMainDlg::kItemTab), item_page::IDC_NAME, "");
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        const std::vector<std::string> messages = user.TakeMessages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back(), "現在の項目の確定に失敗したため、キャンセルされました");
        user.Click(main.Page(CMainDlg::kItemTab), item_page::IDC_REVERT);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
