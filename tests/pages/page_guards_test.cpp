// The guards of the item and event pages through the main window and a
// scripted user: what would not come back from the file is never stored,
// a direct edit may not empty a required field, and while a page's
// question is open the tool windows cannot change the element it is about
// (the guards' rules are the reopen guard's tests).
#include <algorithm>

#include "page_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "tools/project_jump_info_dlg.h"

namespace {

const std::string kData =
    "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n\tfunct\t_local_\r\n\t\ta();\r\n\t_local_\r\n"
    "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\t@@USE\r\n\t\tname\tuse\r\n\t\tfunc\t_local_\r\n\t\t\tu();\r\n"
    "\t\t_local_\r\n\t\t\tuse\t1\t剣\r\n"
    "@@ITEM\r\n\tno\t3\r\n\tcode\tbow\r\n\tname\t弓\r\n"
    "@@EVENT\r\n\tcode\train\r\n\tstartfunc\t_local_\r\n\t\tgo();\r\n\t_local_\r\n\tparam\t剣 5\r\n"
    "@@EVENT\r\n\tcode\tdry\r\n"
    "@@END\r\n";

const std::string kBusy = "現在他のウィンドウの応答待ちのため、操作を実行できません。\n"
                          "メッセージボックスや直接入力ウィンドウを閉じてから再度実行してください。";
const std::string kRefusal = "保存して開き直すと同じ内容に戻らないため、適用できません。\n"
                             "（行番号は直接編集で表示されるテキストの行です）\n";

class PageGuardTest : public PageTest {
protected:
    PageGuardTest() { OpenData(kData); }
    CMainPage& Items(CMainDlg& main) { return main.Page(CMainDlg::kItemTab); }
    CMainPage& Events(CMainDlg& main)
    {
        Enter(main, CMainDlg::kEventTab);
        return main.Page(CMainDlg::kEventTab);
    }
    std::string Item(CMainDlg& main, uint32_t index, const char* key)
    {
        return U(main.Document().itemdata.GetAt(index)->FieldText(key));
    }
    std::string Event(CMainDlg& main, uint32_t index, const char* key)
    {
        return U(main.Document().eventdata.GetAt(index)->FieldText(key));
    }
    static std::string Replaced(std::string text, const std::string& from, const std::string& to)
    {
        const size_t at = text.find(from);
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
};

TEST_F(PageGuardTest, ADirectEditMayNotEmptyARequiredField)
{
    Run([&](CMainDlg& main) {
        user.Select(Items(main), item_page::IDC_ITEM_LIST, 0);
        Lines errors = DirectEdit(Items(main), item_page::IDC_DIRECT_EDIT,
                                  [](const std::string& shown) { return Replaced(shown, "\tname\t剣\r\n", ""); });
        EXPECT_EQ(errors, Lines{"[1]：@@ITEM：アイテム名を入力してください。"});
        // Nothing reached the item, so the rename question never comes.
        EXPECT_EQ(Text(Items(main), item_page::IDC_NAME), "剣");
        Apply(Items(main));
        EXPECT_EQ(Item(main, 0, "name"), "剣");

        CMainPage& events = Events(main);
        user.Select(events, event_page::IDC_EVENT_LIST, 0);
        errors = DirectEdit(events, event_page::IDC_DIRECT_EDIT,
                            [](const std::string& shown) { return Replaced(shown, "\tcode\train\r\n", ""); });
        EXPECT_EQ(errors, Lines{"[1]：@@EVENT：イベントコードを入力してください。"});
        EXPECT_EQ(Event(main, 0, "code"), "rain");
    });
    EXPECT_EQ(user.TakeMessages(), Lines{});
}

// A script line that would close its block is refused where the page
// leaves the script: the combo stays on it and nothing is stored.
TEST_F(PageGuardTest, AScriptLineThatWouldCloseItsBlockIsRefused)
{
    struct Case {
        int32_t tab, element, list, combo, edit;
        std::string typed, message;
    } const cases[] = {
        {CMainDlg::kItemTab, 0, item_page::IDC_ITEM_LIST, item_page::IDC_FUNC_COMBO, item_page::IDC_FUNC_EDIT,
         "a();\r\nb(); _local_ # end", "[funct]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"},
        {CMainDlg::kItemTab, 1, item_page::IDC_ITEM_LIST, item_page::IDC_USE_FUNC_COMBO, item_page::IDC_USE_FUNC_EDIT,
         "a();\r\nb_local_", "[@@USE::func]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"},
        {CMainDlg::kEventTab, 0, event_page::IDC_EVENT_LIST, event_page::IDC_FUNC_COMBO, event_page::IDC_FUNC_EDIT,
         "a();\r\nb(); _local_", "[startfunc]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Run([&](CMainDlg& main) {
            Enter(main, c.tab);
            CMainPage& page = main.Page(c.tab);
            user.Select(page, c.list, c.element);
            Type(page, c.edit, c.typed);
            user.Select(page, c.combo, 1);
            Apply(page);
            EXPECT_EQ(user.TakeMessages(), (Lines{c.message, c.message}));
            EXPECT_EQ(Sel(page, c.combo), 0);
            user.Answer(UiAnswer::kNo); // the save question
        });
        EXPECT_EQ(user.TakeMessages().size(), 1u);
    }
}

TEST_F(PageGuardTest, WhatWouldNotComeBackFromTheFileIsNeverStored)
{
    Run([&](CMainDlg& main) {
        CMainPage& items = Items(main);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        // A script line that would end the data: refused, and the page stays
        // on the item when another is chosen.
        Type(items, item_page::IDC_FUNC_EDIT, "a();\r\n@@END\r\nb();");
        Apply(items);
        EXPECT_EQ(user.TakeMessages(), Lines{kRefusal + "[7]：\"@@END\"の行は別の要素の始まりとして読まれます。\n"});
        user.Select(items, item_page::IDC_ITEM_LIST, 2);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(items.CurrentElement(), 0);
        EXPECT_EQ(Item(main, 0, "funct"), "a();");
        // A comment mark in a one-line field.
        Type(items, item_page::IDC_FUNC_EDIT, "a();");
        Type(items, item_page::IDC_NAME, "剣#2");
        Apply(items);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(Item(main, 0, "name"), "剣");
        user.Click(items, item_page::IDC_REVERT);

        // Through the direct edit, numbered as the person typed the text.
        const Lines errors = DirectEdit(items, item_page::IDC_DIRECT_EDIT, [](const std::string& shown) {
            return Replaced(shown, "\t\ta();\r\n", "\r\n\r\n\t\ta();\r\n\t\t@@ITEM\r\n");
        });
        EXPECT_EQ(errors, Lines{"[9]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。"});
        EXPECT_EQ(main.Document().itemdata.GetCount(), 3u);

        // The event page alike.
        CMainPage& events = Events(main);
        user.Select(events, event_page::IDC_EVENT_LIST, 0);
        Type(events, event_page::IDC_FUNC_EDIT, "go();\r\n  @@event");
        Apply(events);
        const Lines messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].substr(0, kRefusal.size()), kRefusal);
        EXPECT_EQ(Event(main, 0, "startfunc"), "_local_\r\ngo();");
        user.Answer(UiAnswer::kNo); // the save question
    });
}

TEST_F(PageGuardTest, ADeleteQuestionNamesTheElementAndHoldsOffTheResultsWindow)
{
    struct Case {
        int32_t tab, list, button, line;
        std::string question;
    } const cases[] = {
        {CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_DELETE, 0,
         "このアイテムを削除してもよろしいですか？\n「剣」は 2 箇所から参照されています。"},
        {CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, event_page::IDC_DELETE, 1,
         "このイベントを削除してもよろしいですか？\n「rain」"},
    };
    Run([&](CMainDlg& main) {
        main.ToolResults().SetLines(S("ITEM[2]：弓\nEVENT[1]：dry\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        for (const Case& c : cases) {
            Enter(main, c.tab);
            user.Select(main.Page(c.tab), c.list, 0);
            user.WhileMessageBox([&] { user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, c.line); });
            user.Answer(UiAnswer::kYes);
            user.Click(main.Page(c.tab), c.button);
            const Lines messages = user.TakeMessages();
            EXPECT_EQ(std::count(messages.begin(), messages.end(), kBusy), 1);
            EXPECT_EQ(std::count(messages.begin(), messages.end(), c.question), 1);
            EXPECT_EQ(main.Page(c.tab).CurrentElement(), 0);
        }
        EXPECT_EQ(Item(main, 0, "name"), "盾");
        EXPECT_EQ(Event(main, 0, "code"), "dry");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(PageGuardTest, ANewItemsFirstApplyGivesItTheDefaultLimitAndACopyKeepsItsOwn)
{
    Run([&](CMainDlg& main) {
        user.Click(Items(main), item_page::IDC_ADD);
        user.Select(Items(main), item_page::IDC_ITEM_LIST, 0);
        EXPECT_EQ(Item(main, 3, "limit"), "10");
        user.Click(Items(main), item_page::IDC_COPY);
        user.Select(Items(main), item_page::IDC_ITEM_LIST, 0);
        EXPECT_EQ(Item(main, 4, "limit"), "");
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
