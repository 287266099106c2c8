// The find window through the main window and a scripted user: the mode
// word, a search that hands the shown element and page to the finder, the
// result-line target, replacing (the page shows the new text before the
// message), the busy guard, an apply that fails, a cancelled run and text
// the file cannot hold (what each target and field finds is the find
// rules' tests).
#include "../pages/page_fixture.h"
#include "editing/find_methods.h"
#include "editing/find_targets.h"
#include "pages/page_item_template.h"
#include "tools/find_dlg.h"

namespace {

using namespace find_dlg;

const std::string kData = "# sword notes\r\n@@DEFINE\r\n\ttype1\t武器\r\n"
                          "@@FUNCITEM\r\nsub sword_use {\r\n}\r\n"
                          "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n\ttype\t武器\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\ttype\t武器\r\n"
                          "@@EVENT\r\n\tcode\tsword_rain\r\n"
                          "@@END\r\n";

const std::string kStale = "この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。";
const std::string kBusy = "現在他のウィンドウの応答待ちのため、操作を実行できません。\n"
                          "メッセージボックスや直接入力ウィンドウを閉じてから再度実行してください。";

class FindDlgTest : public PageTest {
protected:
    FindDlgTest() { OpenData(kData); }

    // Shows the find window and sets its controls.
    void Set(CMainDlg& main, int32_t target, int32_t field, int32_t method, const std::string& search,
             const std::string& replacement = "")
    {
        FindDlg& find = main.FindReplace();
        if (!find.m_bShown)
            user.ChooseMenu(main, ID_FIND_REPLACE);
        user.Select(find, IDC_TARGET, target);
        user.Select(find, IDC_FIELD, field);
        user.Select(find, IDC_METHOD, method);
        user.TypeText(find, IDC_SEARCH, S(search).c_str());
        user.TypeText(find, IDC_REPLACEMENT, S(replacement).c_str());
    }
    Lines Results(CMainDlg& main) { return Items(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST); }
    std::string ResultsTitle(CMainDlg& main) { return U(user.LookAt(main.ToolResults()).GetCaption()); }
    // The item page shows item `index`.
    void ShowItem(CMainDlg& main, int32_t index)
    {
        Enter(main, CMainDlg::kItemTab);
        user.Select(main.Page(CMainDlg::kItemTab), item_page::IDC_ITEM_LIST, index);
    }
    static std::string Stored(CMainDlg& main, uint32_t item) { return U(main.Document().itemdata[item].FieldText("name")); }
    std::string ItemName(CMainDlg& main) { return Text(main.Page(CMainDlg::kItemTab), item_page::IDC_NAME); }
};

TEST_F(FindDlgTest, TheModeWordStaysWhenTheWindowCloses)
{
    Run([&](CMainDlg& main) {
        FindDlg& find = main.FindReplace();
        user.ChooseMenu(main, ID_FIND_REPLACE);
        EXPECT_EQ(find.Mode(), static_cast<uint32_t>(kFindContains));
        user.Select(find, IDC_METHOD, kFindPattern);
        user.SetCheck(find, IDC_SERIAL, true);
        user.SetCheck(find, IDC_REPEAT, true);
        user.Close(find);
        EXPECT_FALSE(find.IsWindowVisible());
        user.ChooseMenu(main, ID_FIND_REPLACE);
        EXPECT_EQ(find.Mode(), kFindPattern | kFindOptionSerial | kFindOptionRepeat);
    });
}

// The shown element and page go to the finder; the results window comes up
// only with lines, and a search that finds nothing says so.
TEST_F(FindDlgTest, ASearchFindsOnTheShownElementAndPage)
{
    struct Case {
        int32_t tab, target, field;
        std::string search;
        Lines lines;
        std::string title, message;
    };
    const Case cases[] = {
        {CMainDlg::kItemTab, kFindCurrentObject, kFindFullText, "sword", {"ITEM[0]：剣"}, "検索結果 (1要素が該当)", ""},
        {CMainDlg::kItemTab, kFindCurrentObject, kFindFullText, "shield", {}, "検索結果 (該当なし)",
         "該当する要素は見つかりませんでした"},
        {CMainDlg::kEventTab, kFindCurrentPage, kFindCode, "s*n", {"EVENT[0]：sword_rain"}, "検索結果 (1要素が該当)", ""},
    };
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.search);
            Enter(main, c.tab);
            Set(main, c.target, c.field, c.tab == CMainDlg::kEventTab ? kFindWildcard : kFindContains, c.search);
            user.Click(main.FindReplace(), IDC_FIND);
            EXPECT_EQ(Results(main), c.lines);
            EXPECT_EQ(ResultsTitle(main), c.title);
            EXPECT_EQ(user.TakeMessages(), c.message.empty() ? Lines{} : Lines{c.message});
            EXPECT_EQ(main.ToolResults().IsWindowVisible(), !c.lines.empty());
            if (main.ToolResults().IsWindowVisible())
                user.Close(main.ToolResults());
        }
    });
}

// The selected line of the results window names its element through
// elements added since; once that went, the line is refused.
TEST_F(FindDlgTest, TheResultLineTarget)
{
    Run([&](CMainDlg& main) {
        Set(main, kFindResultLine, kFindFullText, kFindContains, "");
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(user.TakeMessages(), Lines{"結果ウィンドウが表示されていません"});
        main.ToolResults().SetLines(S("ITEM[1]：盾\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        user.Click(main.Page(CMainDlg::kItemTab), item_page::IDC_ADD);
        user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Results(main), Lines{"ITEM[1]：盾"});
        user.Select(main.Page(CMainDlg::kItemTab), item_page::IDC_ITEM_LIST, 1);
        user.Answer(UiAnswer::kYes);
        user.Click(main.Page(CMainDlg::kItemTab), item_page::IDC_DELETE);
        user.TakeMessages();
        user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(user.TakeMessages(), Lines{kStale});
        user.Answer(UiAnswer::kNo);
    });
}

// The page shows the document as replaced before the message, and the
// results window stays busy until the message closes.
TEST_F(FindDlgTest, ThePageReloadsBeforeTheMessageAndStaysBusyUntilItCloses)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 1);
        const uint32_t cursors = user.Backend().GetWaitCursorShows();
        Set(main, kFindAll, kFindName, kFindContains, "盾", "鎧");
        main.ToolResults().SetLines(S("ITEM[0]：剣\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        user.WhileMessageBox([&] {
            EXPECT_EQ(ItemName(main), "鎧");
            user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        });
        user.Click(main.FindReplace(), IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), (Lines{kBusy, "1 箇所を置換えました"}));
        EXPECT_EQ(Results(main), Lines{"ITEM[1]：鎧"});
        EXPECT_EQ(ResultsTitle(main), "置換結果 (1要素が該当)");
        EXPECT_EQ(Stored(main, 1), "鎧");
        EXPECT_TRUE(main.IsModified());
        EXPECT_GT(user.Backend().GetWaitCursorShows(), cursors);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FindDlgTest, ReplaceIsRefusedWhileBusyOrWhenThePageCannotApplyAndCancelChangesNothing)
{
    int applies = 0;
    Run(
        [&](CMainDlg& main) {
            Set(main, kFindItems, kFindName, kFindContains, "剣", "刀");
            // Busy: a modal dialog of the main window is open.
            user.OnModal([&](CDialogBase& d) {
                user.Click(main.FindReplace(), IDC_REPLACE_ALL);
                user.Click(d, kIdCancel);
            });
            user.ChooseMenu(main, ID_PREFERENCES);
            EXPECT_EQ(user.TakeMessages(), Lines{kBusy});
            EXPECT_EQ(applies, 0);
            // The page refuses to apply: nothing replaced, nothing said.
            user.Click(main.FindReplace(), IDC_REPLACE_ALL);
            EXPECT_EQ(applies, 1);
            EXPECT_EQ(user.TakeMessages(), Lines{});
            // Cancelled in the progress window.
            user.CancelProgress();
            user.Click(main.FindReplace(), IDC_FIND);
            EXPECT_EQ(user.TakeMessages(), Lines{"検索を中止しました。"});
            ASSERT_FALSE(user.ProgressRuns().empty());
            EXPECT_TRUE(user.ProgressRuns().back().cancelled);
            EXPECT_EQ(Stored(main, 0), "剣");
            EXPECT_FALSE(main.IsModified());
        },
        PageApplying([&](CMainDlg&) {
            ++applies;
            return CApplyResult::Refusal(CStr_base<1024>("x"));
        }));
}

TEST_F(FindDlgTest, TextTheFileCannotHoldIsNeitherSearchedNorWritten)
{
    const std::string replacement = "[置換文字列(正規表現比較時は正規表現指定)]\tShift-JISで保存できない文字が含まれています：U+D55C\n";
    Run([&](CMainDlg& main) {
        Set(main, kFindItems, kFindName, kFindExact, "剣", "x");
        FindDlg& find = main.FindReplace();
        ASSERT_TRUE(user.TypeUnicode(find, IDC_REPLACEMENT, U"\u5263\uD55C")); // 剣한
        user.Click(find, IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), Lines{replacement});
        EXPECT_EQ(Stored(main, 0), "剣");
        EXPECT_FALSE(main.IsModified());
        ASSERT_TRUE(user.TypeUnicode(find, IDC_SEARCH, U"\u00A5"));
        user.Click(find, IDC_FIND);
        EXPECT_EQ(user.TakeMessages(),
                  Lines{"[検索文字列]\tShift-JISで保存できない文字が含まれています：U+00A5\n" + replacement});
        EXPECT_TRUE(Results(main).empty());
        EXPECT_EQ(user.Look(find, IDC_SEARCH).typed, U"\u00A5");
    });
}

}  // namespace
