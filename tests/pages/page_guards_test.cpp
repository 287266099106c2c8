// The guards of the item and event pages through the main window and a
// scripted user: what would not come back from the file is never stored,
// a direct edit may not empty a required field, and while a page's
// question is open the tool windows cannot change the element it is about.
#include <algorithm>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "app/direct_input_dlg.h"
#include "app/err_info_dlg.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "tools/project_jump_info_dlg.h"

namespace {

using Lines = std::vector<std::string>;


const std::string kData =
    "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n\tfunct\t_local_\r\n\t\ta();\r\n\t_local_\r\n"
    "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\t@@USE\r\n\t\tname\tuse\r\n\t\t\tuse\t1\t剣\r\n"
    "@@ITEM\r\n\tno\t3\r\n\tcode\tbow\r\n\tname\t弓\r\n"
    "@@EVENT\r\n\tcode\train\r\n\tstartfunc\t_local_\r\n\t\tgo();\r\n\t_local_\r\n\tparam\t剣 5\r\n"
    "@@EVENT\r\n\tcode\tdry\r\n"
    "@@END\r\n";

const std::string kBusy = "現在他のウィンドウの応答待ちのため、操作を実行できません。\n"
                          "メッセージボックスや直接入力ウィンドウを閉じてから再度実行してください。";
const std::string kRefusal = "保存して開き直すと同じ内容に戻らないため、適用できません。\n"
                             "（行番号は直接編集で表示されるテキストの行です）\n";

class PageGuardTest : public MainDlgTest {
protected:
    PageGuardTest() { startup.commandLine = PutFile("g.cgi", InfoBlock(kBetaRule, "p") + S(kData)); }

    CMainPage& Items(CMainDlg& main) { return main.Page(CMainDlg::kItemTab); }
    CMainPage& Events(CMainDlg& main)
    {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kEventTab);
        return main.Page(CMainDlg::kEventTab);
    }
    std::string Item(CMainDlg& main, uint32_t index, const char* key)
    {
        return Cp932ToUtf8(main.Document().itemdata.GetAt(index)->FieldText(key));
    }
    std::string Event(CMainDlg& main, uint32_t index, const char* key)
    {
        return Cp932ToUtf8(main.Document().eventdata.GetAt(index)->FieldText(key));
    }
    void Type(CMainPage& page, int32_t id, const std::string& utf8) { user.TypeText(page, id, S(utf8).c_str()); }
    // The direct edit of `page`: types `utf8` and presses OK; gives the
    // error lines and cancels when the text is refused.
    Lines DirectEdit(CMainPage& page, int32_t button, const std::function<std::string(std::string)>& edit)
    {
        Lines errors;
        user.OnModal([&](CDialogBase& d) {
            auto& input = static_cast<CDirectInputDlg&>(d);
            const std::string shown = Cp932ToUtf8(user.Look(d, CDirectInputDlg::IDC_TEXT).text.GetBuffer());
            user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(edit(shown)).c_str());
            user.Click(d, kIdOk);
            if (user.LookAt(d).IsEnded())
                return;
            for (const CStr_base<64>& line : input.ErrInfo().GetLines())
                errors.push_back(Cp932ToUtf8(line.GetBuffer()));
            user.Click(d, kIdCancel);
        });
        user.Click(page, button);
        return errors;
    }
    static std::string Without(std::string text, const std::string& line)
    {
        const size_t at = text.find(line);
        return at == std::string::npos ? text : text.erase(at, line.size());
    }
    static std::string Replaced(std::string text, const std::string& from, const std::string& to)
    {
        const size_t at = text.find(from);
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
};

TEST_F(PageGuardTest, ADirectEditMayNotEmptyARequiredField)
{
    struct Case {
        const char* line;
        std::string error;
    };
    const Case cases[] = {
        {"\tname\t剣\r\n", "[1]：@@ITEM：アイテム名を入力してください。"},
        {"\tcode\tsword\r\n", "[1]：@@ITEM：アイテムコードを入力してください。"},
        {"\tno\t1\r\n", "[1]：@@ITEM：アイテムIDを入力してください。"},
    };
    Run([&](CMainDlg& main) {
        user.Select(Items(main), item_page::IDC_ITEM_LIST, 0);
        for (const Case& c : cases) {
            const Lines errors = DirectEdit(Items(main), item_page::IDC_DIRECT_EDIT,
                                            [&](const std::string& shown) { return Without(shown, c.line); });
            EXPECT_EQ(errors, Lines{c.error}) << c.line;
        }
        // Nothing reached the item, so the rename question never comes.
        EXPECT_EQ(Cp932ToUtf8(user.Look(Items(main), item_page::IDC_NAME).text.GetBuffer()), "剣");
        user.Click(Items(main), kIdOk);
        EXPECT_EQ(Item(main, 0, "name"), "剣");
        EXPECT_EQ(Item(main, 1, "name"), "盾");

        CMainPage& events = Events(main);
        user.Select(events, event_page::IDC_EVENT_LIST, 0);
        const Lines errors = DirectEdit(events, event_page::IDC_DIRECT_EDIT,
                                        [&](const std::string& shown) { return Without(shown, "\tcode\train\r\n"); });
        EXPECT_EQ(errors, Lines{"[1]：@@EVENT：イベントコードを入力してください。"});
        EXPECT_EQ(Event(main, 0, "code"), "rain");
    });
    EXPECT_EQ(user.TakeMessages(), Lines{});
}

TEST_F(PageGuardTest, WhatWouldNotComeBackFromTheFileIsNeverStored)
{
    Run([&](CMainDlg& main) {
        CMainPage& items = Items(main);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        // A script line that would end the data: refused, and the page stays
        // on the item when another is chosen.
        Type(items, item_page::IDC_FUNC_EDIT, "a();\r\n@@END\r\nb();");
        user.Click(items, kIdOk);
        EXPECT_EQ(user.TakeMessages(),
                  Lines{kRefusal + "[7]：\"@@END\"の行は別の要素の始まりとして読まれます。\n"});
        user.Select(items, item_page::IDC_ITEM_LIST, 2);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(items.CurrentElement(), 0);
        EXPECT_EQ(Item(main, 0, "funct"), "a();");
        // A comment mark in a one-line field, blanks at its end.
        Type(items, item_page::IDC_FUNC_EDIT, "a();");
        for (const char* name : {"剣#2", "剣 "}) {
            Type(items, item_page::IDC_NAME, name);
            user.Click(items, kIdOk);
            EXPECT_EQ(user.TakeMessages().size(), 1u) << name;
            EXPECT_EQ(Item(main, 0, "name"), "剣") << name;
        }
        user.Click(items, item_page::IDC_REVERT);

        // Through the direct edit, numbered as the person typed the text.
        const Lines errors = DirectEdit(items, item_page::IDC_DIRECT_EDIT, [&](const std::string& shown) {
            return Replaced(shown, "\t\ta();\r\n", "\r\n\r\n\t\ta();\r\n\t\t@@ITEM\r\n");
        });
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], "[9]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。");
        EXPECT_EQ(main.Document().itemdata.GetCount(), 3u);

        // The event page alike.
        CMainPage& events = Events(main);
        user.Select(events, event_page::IDC_EVENT_LIST, 0);
        Type(events, event_page::IDC_FUNC_EDIT, "go();\r\n  @@event");
        user.Click(events, kIdOk);
        const Lines messages = user.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].substr(0, kRefusal.size()), kRefusal);
        EXPECT_EQ(Event(main, 0, "startfunc"), "_local_\r\ngo();");
        user.Answer(UiAnswer::kNo); // the save question
    });
}

TEST_F(PageGuardTest, ADeleteQuestionNamesTheElementAndHoldsOffTheResultsWindow)
{
    Run([&](CMainDlg& main) {
        main.ToolResults().SetLines(S("ITEM[2]：弓\nEVENT[1]：dry\n").c_str());
        user.ChooseMenu(main, ID_TOOL_RESULTS);
        CMainPage& items = Items(main);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        user.WhileMessageBox([&] { user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0); });
        user.Answer(UiAnswer::kYes);
        user.Click(items, item_page::IDC_DELETE);
        Lines messages = user.TakeMessages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), kBusy), 1);
        // The question names the item and how often the project names it.
        EXPECT_EQ(std::count(messages.begin(), messages.end(),
                             "このアイテムを削除してもよろしいですか？\n「剣」は 2 箇所から参照されています。"),
                  1);
        ASSERT_EQ(main.Document().itemdata.GetCount(), 2u);
        EXPECT_EQ(Item(main, 0, "name"), "盾");
        EXPECT_EQ(Item(main, 1, "name"), "弓");

        CMainPage& events = Events(main);
        user.Select(events, event_page::IDC_EVENT_LIST, 0);
        user.WhileMessageBox([&] { user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 1); });
        user.Answer(UiAnswer::kYes);
        user.Click(events, event_page::IDC_DELETE);
        messages = user.TakeMessages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), kBusy), 1);
        EXPECT_EQ(std::count(messages.begin(), messages.end(), "このイベントを削除してもよろしいですか？\n「rain」"), 1);
        ASSERT_EQ(main.Document().eventdata.GetCount(), 1u);
        EXPECT_EQ(Event(main, 0, "code"), "dry");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(PageGuardTest, ANewItemsFirstApplyGivesItTheDefaultLimitAndACopyKeepsItsOwn)
{
    Run([&](CMainDlg& main) {
        CMainPage& items = Items(main);
        user.Click(items, item_page::IDC_ADD);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        EXPECT_EQ(Item(main, 3, "limit"), "10");
        EXPECT_EQ(Item(main, 3, "name"), "アイテム_4");
        user.Click(items, item_page::IDC_COPY);
        user.Select(items, item_page::IDC_ITEM_LIST, 0);
        EXPECT_EQ(Item(main, 4, "limit"), "");
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
