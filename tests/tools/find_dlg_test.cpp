// The find window through the main window and a scripted user: its
// controls, searches over each kind of target, the result-line target,
// replacing (the page shows the new text before the message), refused
// elements, the busy guard, an apply that fails, a cancelled run, and a
// double-click in the results window while the message is open.
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "editing/find_methods.h"
#include "editing/find_targets.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "tools/find_dlg.h"

namespace {

using namespace find_dlg;
using Lines = std::vector<std::string>;


const std::string kData = "# sword notes\r\n@@DEFINE\r\n\ttype1\t武器\r\n"
                          "@@FUNCITEM\r\nsub sword_use {\r\n}\r\n"
                          "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n\ttype\t武器\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\ttype\t武器\r\n"
                          "@@EVENT\r\n\tcode\tsword_rain\r\n"
                          "@@END\r\n";

const std::string kStale = "この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。";
const std::string kBusy = "現在他のウィンドウの応答待ちのため、操作を実行できません。\n"
                          "メッセージボックスや直接入力ウィンドウを閉じてから再度実行してください。";

class FindDlgTest : public MainDlgTest {
protected:
    FindDlgTest() { startup.commandLine = PutFile("f.cgi", InfoBlock(kBetaRule, "p") + S(kData)); }

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
    Lines Results(CMainDlg& main)
    {
        Lines lines;
        for (const CStr_base<64>& line : user.Look(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    // The item page shows item `index`.
    void ShowItem(CMainDlg& main, int32_t index)
    {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kItemTab);
        user.Select(main.Page(CMainDlg::kItemTab), item_page::IDC_ITEM_LIST, index);
    }
    std::string ResultsTitle(CMainDlg& main) { return Cp932ToUtf8(user.LookAt(main.ToolResults()).GetCaption()); }
    // An item's name in the document.
    static std::string Stored(CMainDlg& main, uint32_t item)
    {
        const CMerxString* name = main.Document().itemdata[item].GetField("name");
        return name ? Cp932ToUtf8(name->GetBuffer()) : "";
    }
    // The name the item page shows.
    std::string ItemName(CMainDlg& main) { return Cp932ToUtf8(user.Look(main.Page(0), item_page::IDC_NAME).text.GetBuffer()); }
};

TEST_F(FindDlgTest, ControlsListsAndTheModeWord)
{
    Run([&](CMainDlg& main) {
        FindDlg& find = main.FindReplace();
        EXPECT_FALSE(find.IsWindowVisible());
        user.ChooseMenu(main, ID_FIND_REPLACE);
        EXPECT_EQ(Cp932ToUtf8(user.LookAt(find).GetCaption()), "検索/置換");
        const std::pair<int32_t, const char* const*> lists[] = {
            {IDC_TARGET, kTargetItems}, {IDC_FIELD, kFieldItems}, {IDC_METHOD, kMethodItems}};
        for (const auto& [id, items] : lists) {
            Lines shown, expected;
            for (const CStr_base<64>& item : user.Look(find, id).items)
                shown.push_back(Cp932ToUtf8(item.GetBuffer()));
            for (const char* const* item = items; *item; ++item)
                expected.emplace_back(*item);
            EXPECT_EQ(shown, expected) << id;
        }
        EXPECT_EQ(user.Look(find, IDC_TARGET).curSel, 1);
        EXPECT_EQ(user.Look(find, IDC_FIELD).curSel, 0);
        EXPECT_EQ(user.Look(find, IDC_METHOD).curSel, 2);
        EXPECT_EQ(find.Mode(), 2u);
        user.Select(find, IDC_METHOD, kFindPattern);
        user.SetCheck(find, IDC_SERIAL, true);
        user.SetCheck(find, IDC_REPEAT, true);
        EXPECT_EQ(find.Mode(), kFindPattern | kFindOptionSerial | kFindOptionRepeat);
        // Closing hides the window; the settings stay.
        user.Close(find);
        EXPECT_FALSE(find.IsWindowVisible());
        user.ChooseMenu(main, ID_FIND_REPLACE);
        EXPECT_EQ(find.Mode(), kFindPattern | kFindOptionSerial | kFindOptionRepeat);
    });
}

TEST_F(FindDlgTest, FindsOverEachKindOfTarget)
{
    struct Case {
        int32_t tab, target, field, method;
        std::string search;
        Lines lines;
        std::string title, message;
    };
    const std::string none = "該当する要素は見つかりませんでした";
    const Case cases[] = {
        {CMainDlg::kItemTab, kFindCurrentObject, kFindFullText, kFindContains, "sword", {"ITEM[0]：剣"}, "検索結果 (1要素が該当)", ""},
        {CMainDlg::kItemTab, kFindCurrentObject, kFindFullText, kFindContains, "shield", {}, "検索結果 (該当なし)", none},
        {CMainDlg::kItemTab, kFindCurrentPage, kFindFullText, kFindContains, "s", {"ITEM[0]：剣", "ITEM[1]：盾"}, "検索結果 (2要素が該当)", ""},
        {CMainDlg::kEventTab, kFindCurrentPage, kFindCode, kFindWildcard, "s*n", {"EVENT[0]：sword_rain"}, "検索結果 (1要素が該当)", ""},
        {CMainDlg::kEventTab, kFindCurrentPage, kFindName, kFindContains, "", {}, "検索結果 (該当なし)", none},
        {CMainDlg::kFuncTab, kFindCurrentPage, kFindScript, kFindPrefix, "sub", {"FUNC[0]：@@FUNCITEM"}, "検索結果 (1要素が該当)", ""},
        {CMainDlg::kItemTab, kFindAll, kFindFullText, kFindContains, "sword",
         {"ITEM[0]：剣", "EVENT[0]：sword_rain", "FUNC[0]：@@FUNCITEM", "OTHER[0]：# sword notes"}, "検索結果 (4要素が該当)", ""},
        {CMainDlg::kSetTab, kFindCurrentPage, kFindFullText, kFindContains, "sword",  // in file order
         {"OTHER[0]：# sword notes", "FUNC[0]：@@FUNCITEM", "ITEM[0]：剣", "EVENT[0]：sword_rain"}, "検索結果 (4要素が該当)", ""},
        {CMainDlg::kItemTab, kFindOthers, kFindFullText, kFindPattern, "%+d", {"DEFINE[0]：プロジェクト定義"}, "検索結果 (1要素が該当)", ""},
    };
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.search + " " + std::to_string(c.target));
            user.Select(main, CMainDlg::IDC_TAB, c.tab);
            Set(main, c.target, c.field, c.method, c.search);
            main.ToolResults().SetLines("");
            user.Click(main.FindReplace(), IDC_FIND);
            EXPECT_EQ(Results(main), c.lines);
            EXPECT_EQ(ResultsTitle(main), c.title);
            EXPECT_EQ(user.TakeMessages(), c.message.empty() ? Lines{} : Lines{c.message});
            // The results window comes up only with lines.
            EXPECT_EQ(main.ToolResults().IsWindowVisible(), !c.lines.empty());
            if (main.ToolResults().IsWindowVisible())
                user.Close(main.ToolResults());
        }
    });
}

TEST_F(FindDlgTest, TheResultLineTarget)
{
    Run([&](CMainDlg& main) {
        Set(main, kFindResultLine, kFindFullText, kFindContains, "");
        user.Click(main.FindReplace(), IDC_FIND);
        main.ToolResults().SetLines(S("INFO[0]：x\nITEM[1]：盾\nITEM[7]：gone\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        user.Click(main.FindReplace(), IDC_FIND);  // no line selected
        const std::pair<int32_t, std::string> refused[] = {{0, "選択されたオブジェクトがありません"}, {2, kStale}};
        for (const auto& [line, message] : refused) {
            user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, line);
            user.Click(main.FindReplace(), IDC_FIND);
        }
        EXPECT_EQ(user.TakeMessages(), (Lines{"結果ウィンドウが表示されていません", "選択されたオブジェクトがありません",
                                              "選択されたオブジェクトがありません", kStale}));

        user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 1);
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(Results(main), Lines{"ITEM[1]：盾"});

        // An item added since: the line still names its item; once that
        // went, the line is refused.
        user.Click(main.Page(0), item_page::IDC_ADD);
        user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Results(main), Lines{"ITEM[1]：盾"});
        user.Select(main.Page(0), item_page::IDC_ITEM_LIST, 1);
        user.Answer(UiAnswer::kYes);
        user.Click(main.Page(0), item_page::IDC_DELETE);
        user.TakeMessages();
        user.Select(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        user.Click(main.FindReplace(), IDC_FIND);
        EXPECT_EQ(user.TakeMessages(), Lines{kStale});
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FindDlgTest, ReplaceShowsTheNewTextAndCountsRefusedElementsApart)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        const uint32_t cursors = user.Backend().GetWaitCursorShows();
        Set(main, kFindItems, kFindName, kFindExact, "剣", "刀");
        user.Click(main.FindReplace(), IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), Lines{"1 箇所を置換えました"});
        EXPECT_EQ(Results(main), Lines{"ITEM[0]：刀"});
        EXPECT_EQ(ResultsTitle(main), "置換結果 (1要素が該当)");
        EXPECT_EQ(ItemName(main), "刀");
        EXPECT_TRUE(main.IsModified());
        EXPECT_GT(user.Backend().GetWaitCursorShows(), cursors);

        // An empty no is refused: the element keeps its no, its lines show.
        Set(main, kFindItems, kFindNo, kFindExact, "2", "");
        user.Click(main.FindReplace(), IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), Lines{"置換は行われませんでした\n1 要素は置換後のデータを解析できないため置換されませんで"
                                             "した。\n詳しくは結果ウィンドウを確認してください。"});
        EXPECT_EQ(Results(main), (Lines{"ITEM[1]：盾", "ITEM[1]：置換後のデータを解析できませんでした。直前の項目は置換されませんでした。"}));
        EXPECT_EQ(ResultsTitle(main), "置換結果 (該当なし)");
        EXPECT_TRUE(main.ToolResults().IsWindowVisible());
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(FindDlgTest, ThePageReloadsBeforeTheMessageAndStaysBusyUntilItCloses)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 1);
        Set(main, kFindAll, kFindName, kFindContains, "盾", "鎧");
        main.ToolResults().SetLines(S("ITEM[0]：剣\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        user.WhileMessageBox([&] {
            EXPECT_EQ(ItemName(main), "鎧");  // the page shows the document as replaced
            user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
        });
        user.Click(main.FindReplace(), IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), (Lines{kBusy, "1 箇所を置換えました"}));
        EXPECT_EQ(Stored(main, 1), "鎧");
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
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        Set(main, kFindItems, kFindName, kFindExact, "剣", "x");
        FindDlg& find = main.FindReplace();
        ASSERT_TRUE(user.TypeUnicode(find, IDC_REPLACEMENT, U"\u5263\uD55C"));  // 剣한
        user.Click(find, IDC_REPLACE_ALL);
        EXPECT_EQ(user.TakeMessages(), Lines{"[置換文字列(正規表現比較時は正規表現指定)]\t"
                                             "Shift-JISで保存できない文字が含まれています：U+D55C\n"});
        EXPECT_EQ(Stored(main, 0), "剣");
        EXPECT_FALSE(main.IsModified());
        ASSERT_TRUE(user.TypeUnicode(find, IDC_SEARCH, U"\u00A5"));
        user.Click(find, IDC_FIND);
        EXPECT_EQ(user.TakeMessages(),
                  Lines{"[検索文字列]\tShift-JISで保存できない文字が含まれています：U+00A5\n"
                        "[置換文字列(正規表現比較時は正規表現指定)]\tShift-JISで保存できない文字が含まれています：U+D55C\n"});
        EXPECT_TRUE(Results(main).empty());
        EXPECT_EQ(user.Look(find, IDC_SEARCH).typed, U"\u00A5");
    });
}

}  // namespace
