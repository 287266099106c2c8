// The tool results window: the kind words and indexes of its lines, and
// through the main window and a scripted user the jumps, "INFO" lines, the
// "固定" box, lines that follow their elements, the clearing on a new
// project and the integrity check (whose findings are the check's tests).
#include "../pages/page_fixture.h"
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

class ResultsWindowTest : public PageTest {
protected:
    ResultsWindowTest() { OpenData(kData); }
    void Show(CMainDlg& main, const std::string& utf8)
    {
        main.ToolResults().SetLines(S(utf8).c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
    }
    void Jump(CMainDlg& main, int32_t line) { user.DoubleClick(main.ToolResults(), D::IDC_LIST, line); }
};

TEST_F(ResultsWindowTest, LinesJumpToTheirElements)
{
    Run([&](CMainDlg& main) {
        const int32_t end = static_cast<int32_t>(main.Document().FindEndPosition());
        Show(main, "ITEM[1]：盾\nINFO[0]：上記\nEVENT[0]：rain\nOTHER[" + std::to_string(end) + "]：@@END\nWHAT[0]\n");
        user.SetCheck(main.ToolResults(), D::IDC_LOCK, true);
        const CPageElement jumps[] = {{CMainDlg::kItemTab, 1},
                                      {CMainDlg::kItemTab, 1}, // INFO: nothing
                                      {CMainDlg::kEventTab, 0},
                                      {CMainDlg::kSetTab, end}};
        for (int32_t line = 0; line < 4; ++line) {
            Jump(main, line);
            EXPECT_EQ(main.CurrentElement(), jumps[line]) << line;
        }
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        Jump(main, 4);
        EXPECT_EQ(user.TakeMessages(), Lines{"内部エラー・・・\nCProjectJumpInfoDlg::OnDblclkList1"});

        // Without "固定" a jump hides the window.
        user.SetCheck(main.ToolResults(), D::IDC_LOCK, false);
        Jump(main, 0);
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
    });
    EXPECT_NE(Settings().find("Lock=OFF"), std::string::npos);
}

TEST_F(ResultsWindowTest, LinesFollowTheirElementsAndRefuseThoseThatWent)
{
    const std::string stale = "この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。";
    Run([&](CMainDlg& main) {
        Show(main, "ITEM[0]：剣\nOTHER[3]：x\n");
        Jump(main, 1); // index 3 is the event, no other text
        EXPECT_EQ(user.TakeMessages(), Lines{stale});

        // An item added before it and the item moved after the lines were
        // set: the line still names it.
        CMainPage& items = main.Page(CMainDlg::kItemTab);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        user.SetCheck(items, item_page::IDC_INSERT, true);
        user.Click(items, item_page::IDC_ADD);
        user.Select(items, item_page::IDC_ITEM_LIST, 1);
        user.Click(items, item_page::IDC_DOWN);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        Jump(main, 0);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Text(items, item_page::IDC_NAME), "剣");

        // Once it went, the line is refused.
        user.Answer(UiAnswer::kYes);
        user.Click(items, item_page::IDC_DELETE);
        user.TakeMessages();
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        Jump(main, 0);
        EXPECT_EQ(user.TakeMessages(), Lines{stale});
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(ResultsWindowTest, ANewProjectClearsTheLines)
{
    Run([&](CMainDlg& main) {
        Show(main, "ITEM[0]：剣\n");
        user.OnModal([&](CDialogBase& d) { user.Click(d, kIdOk); });
        user.ChooseMenu(main, ID_FILE_NEW);
        EXPECT_EQ(main.ToolResults().Lines().GetCount(), 0u);
        EXPECT_EQ(Items(main.ToolResults(), D::IDC_LIST), Lines{});
    });
}

// The check fills the window; once mended it says all is well and leaves
// the window hidden with no lines; a page that cannot apply cancels it.
TEST_F(ResultsWindowTest, TheIntegrityCheckFillsTheWindowOrSaysAllIsWell)
{
    OpenData("@@DEFINE\r\n\ttype1\t武器\r\n@@ITEM\r\n\tno\t1\r\n\tcode\ta\r\n\tname\t剣\r\n\ttype\t武器\r\n"
             "@@ITEM\r\n\tno\t2\r\n\tcode\tb\r\n\tname\t剣\r\n\ttype\t武器\r\n@@END\r\n");
    Run([&](CMainDlg& main) {
        CMainPage& items = main.Page(CMainDlg::kItemTab);
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        EXPECT_EQ(U(user.LookAt(main.ToolResults()).GetCaption()), "プロジェクト整合性チェック ( 1要素該当)");
        EXPECT_EQ(Items(main.ToolResults(), D::IDC_LIST),
                  (Lines{"ITEM[0]：剣", "ITEM[1]：剣", "INFO[0]：上記2つのアイテム名が重複しています"}));
        Jump(main, 1);

        Type(items, item_page::IDC_NAME, "盾");
        user.Answer(UiAnswer::kOk); // the old name is ITEM[0]'s too: renamed alone
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        EXPECT_EQ(user.TakeMessages().back(), "チェックの結果、問題は見つかりませんでした。");
        EXPECT_FALSE(main.ToolResults().IsWindowVisible());
        EXPECT_EQ(main.ToolResults().Lines().GetCount(), 0u);
        EXPECT_EQ(U(user.LookAt(main.ToolResults()).GetCaption()), "プロジェクト整合性チェック (問題なし)");

        Type(items, item_page::IDC_NAME, "");
        user.ChooseMenu(main, ID_INTEGRITY_CHECK);
        EXPECT_EQ(user.TakeMessages().back(), "現在の項目の確定に失敗したため、キャンセルされました");
        user.Click(items, item_page::IDC_REVERT);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
