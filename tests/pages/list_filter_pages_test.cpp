// The filter boxes over the item, event and arrangement lists through the
// main window and a scripted user: narrowing and clearing, selecting in a
// filtered list, the move buttons, add and copy, jumps from the tools and
// deleting a filtered line.
#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "pages/page_set_template.h"
#include "tools/project_jump_info_dlg.h"

namespace {


using Lines = std::vector<std::string>;

const std::string kData = "# head\r\n"
                          "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t鉄の剣\r\n"
                          "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t木の盾\r\n"
                          "@@EVENT\r\n\tcode\train\r\n\tstartmsg\t雨が降る\r\n"
                          "@@ITEM\r\n\tno\t12\r\n\tcode\tbow\r\n\tname\tLong Bow\r\n"
                          "@@EVENT\r\n\tcode\twind\r\n"
                          "@@EVENT\r\n\tcode\tSUN\r\n\tstartmsg\t晴れ\r\n"
                          "@@END\r\n";

// A page with a filtered list, and its controls.
struct ListPage {
    const char* name;
    int32_t tab;
    int32_t list, filter, add, copy, remove, up, down;
};

const ListPage kItems{"item",           CMainDlg::kItemTab,  item_page::IDC_ITEM_LIST, item_page::IDC_FILTER,
                      item_page::IDC_ADD, item_page::IDC_COPY, item_page::IDC_DELETE,    item_page::IDC_UP,
                      item_page::IDC_DOWN};
const ListPage kEvents{"event",            CMainDlg::kEventTab,  event_page::IDC_EVENT_LIST, event_page::IDC_FILTER,
                       event_page::IDC_ADD, event_page::IDC_COPY, event_page::IDC_DELETE,     event_page::IDC_UP,
                       event_page::IDC_DOWN};
const ListPage kSet{"arrangement",         CMainDlg::kSetTab,   set_page::IDC_ELEMENT_LIST, set_page::IDC_FILTER,
                    set_page::IDC_INSERT,   set_page::IDC_COPY,  set_page::IDC_DELETE,       set_page::IDC_UP,
                    set_page::IDC_DOWN};

class ListFilterPageTest : public MainDlgTest {
protected:
    void Open() { startup.commandLine = PutFile("f.cgi", InfoBlock(kBetaRule, "p") + S(kData)); }
    CMainPage& Page(CMainDlg& main, const ListPage& p) { return main.Page(p.tab); }
    void Enter(CMainDlg& main, const ListPage& p) { user.Select(main, CMainDlg::IDC_TAB, p.tab); }
    Lines List(CMainDlg& main, const ListPage& p)
    {
        Lines lines;
        for (const CStr_base<64>& line : user.Look(Page(main, p), p.list).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    // The selected line's text; "" for none.
    std::string Selected(CMainDlg& main, const ListPage& p)
    {
        const CHeadlessControl& list = user.Look(Page(main, p), p.list);
        return list.curSel < 0 ? "" : Cp932ToUtf8(list.items[static_cast<size_t>(list.curSel)].GetBuffer());
    }
    std::string FilterText(CMainDlg& main, const ListPage& p)
    {
        return Cp932ToUtf8(user.Look(Page(main, p), p.filter).text.GetBuffer());
    }
    void Filter(CMainDlg& main, const ListPage& p, const std::string& utf8)
    {
        user.TypeText(Page(main, p), p.filter, S(utf8).c_str());
    }
    void Pick(CMainDlg& main, const ListPage& p, const std::string& line)
    {
        const Lines lines = List(main, p);
        const auto found = std::find(lines.begin(), lines.end(), line);
        ASSERT_NE(found, lines.end()) << line;
        user.Select(Page(main, p), p.list, static_cast<int32_t>(found - lines.begin()));
    }
    size_t Count(CMainDlg& main, const ListPage& p)
    {
        return p.tab == CMainDlg::kItemTab    ? main.Document().itemdata.GetCount()
               : p.tab == CMainDlg::kEventTab ? main.Document().eventdata.GetCount()
                                              : main.Document().setdata.GetCount();
    }
};

TEST_F(ListFilterPageTest, TypingNarrowsTheListAndClearingKeepsTheShownElement)
{
    struct Case {
        const ListPage* page;
        std::string text;
        Lines lines;
    } const cases[] = {
        {&kItems, "SW", {"鉄の剣"}},
        {&kItems, "1", {"鉄の剣", "Long Bow"}}, // "no" 1 and 12
        {&kItems, "の", {"鉄の剣", "木の盾"}},
        {&kItems, "bOw", {"Long Bow"}},
        {&kItems, "axe", {}},
        {&kEvents, "sun", {"晴れ"}}, // by the code
        {&kEvents, "雨", {"雨が降る"}},
        {&kEvents, "WI", {"wind"}},
        {&kSet, "event：", {"@@EVENT：雨が降る", "@@EVENT：wind", "@@EVENT：晴れ"}},
        {&kSet, "bow", {"@@ITEM：Long Bow"}},
        {&kSet, "# H", {"# head"}},
    };
    for (const ListPage* page : {&kItems, &kEvents, &kSet}) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            Enter(main, *page);
            const Lines all = List(main, *page);
            for (const Case& c : cases) {
                if (c.page != page)
                    continue;
                Filter(main, *page, c.text);
                EXPECT_EQ(List(main, *page), c.lines) << page->name << " " << c.text;
            }
            // A line picked in a filtered list stays selected among all.
            Filter(main, *page, page == &kSet ? "bow" : "w");
            const std::string picked = List(main, *page).back();
            Pick(main, *page, picked);
            Filter(main, *page, "");
            EXPECT_EQ(List(main, *page), all) << page->name;
            EXPECT_EQ(Selected(main, *page), picked) << page->name;
            // The filter is no edit of the project, and what the file cannot
            // hold may be typed into it.
            user.TypeUnicode(Page(main, *page), page->filter, U"\U0001F600");
            if (user.Look(Page(main, *page), kIdOk).enabled)
                user.Click(Page(main, *page), kIdOk);
            EXPECT_EQ(user.TakeMessages(), Lines{}) << page->name;
            EXPECT_FALSE(main.IsModified()) << page->name;
        });
    }
}

TEST_F(ListFilterPageTest, SelectingInAFilteredListAppliesFirstAndARefusalKeepsSelectionAndFilter)
{
    struct Case {
        const ListPage* page;
        std::string shown;                 // the element made unappliable
        std::function<void(CMainDlg&, const std::string&)> edit; // types into it
        std::string bad, good;             // what is typed
        std::string filter, pick;          // then filtered, a line picked
        std::string selectedAfterRefusal;  // the selected line after the refusal
    };
    auto itemName = [&](CMainDlg& main, const std::string& t) {
        user.TypeText(main.Page(CMainDlg::kItemTab), item_page::IDC_NAME, S(t).c_str());
    };
    auto eventCode = [&](CMainDlg& main, const std::string& t) {
        user.TypeText(main.Page(CMainDlg::kEventTab), event_page::IDC_FIELD_FIRST + 3, S(t).c_str());
    };
    auto otherText = [&](CMainDlg& main, const std::string& t) {
        user.TypeText(main.Page(CMainDlg::kSetTab), set_page::IDC_DETAIL, S(t).c_str());
    };
    const std::string lost = "# x\r\n@@ITEM\r\n\tno\t9\r\n";
    const Case cases[] = {
        // The shown element is hidden: nothing is selected after the refusal.
        {&kItems, "鉄の剣", itemName, "", "剣", "bow", "Long Bow", ""},
        {&kEvents, "雨が降る", eventCode, "", "rain", "sun", "晴れ", ""},
        {&kSet, "# head", otherText, lost, "# top\r\n", "bow", "@@ITEM：Long Bow", ""},
        // The shown element is listed: the selection goes back to it.
        {&kItems, "鉄の剣", itemName, "", "剣", "の", "木の盾", "鉄の剣"},
        {&kEvents, "wind", eventCode, "", "wind", "n", "雨が降る", "wind"},
        {&kSet, "# head", otherText, lost, "# top\r\n", "e", "@@ITEM：鉄の剣", "# head"},
    };
    for (const Case& c : cases) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            const ListPage& p = *c.page;
            Enter(main, p);
            Pick(main, p, c.shown);
            const int32_t shown = Page(main, p).CurrentElement();
            c.edit(main, c.bad);
            Filter(main, p, c.filter);
            const Lines filtered = List(main, p);
            Pick(main, p, c.pick);
            const Lines messages = user.TakeMessages();
            EXPECT_EQ(messages.size(), 1u) << p.name << " " << c.filter << "\n" << (messages.empty() ? "" : messages.front());
            EXPECT_EQ(Page(main, p).CurrentElement(), shown) << p.name << " " << c.filter;
            EXPECT_EQ(Selected(main, p), c.selectedAfterRefusal) << p.name << " " << c.filter;
            EXPECT_EQ(FilterText(main, p), c.filter) << p.name;
            EXPECT_EQ(List(main, p), filtered) << p.name;

            // Once the element applies, the picked one is shown (a renamed
            // item is not followed).
            c.edit(main, c.good);
            if (c.page == &kItems)
                user.Answer(UiAnswer::kNo);
            Pick(main, p, c.pick);
            EXPECT_EQ(user.TakeMessages().size(), c.page == &kItems ? 1u : 0u) << p.name << " " << c.filter;
            EXPECT_EQ(Selected(main, p), c.pick) << p.name << " " << c.filter;
            EXPECT_NE(Page(main, p).CurrentElement(), shown) << p.name << " " << c.filter;
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

TEST_F(ListFilterPageTest, UpAndDownAreDisabledWhileAFilterIsSet)
{
    struct Case {
        const ListPage* page;
        std::string shown, filter;
    } const cases[] = {
        {&kItems, "木の盾", "の"},
        {&kEvents, "wind", "w"},
        {&kSet, "@@ITEM：木の盾", "@@item"},
    };
    for (const Case& c : cases) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            const ListPage& p = *c.page;
            CMainPage& page = Page(main, p);
            Enter(main, p);
            Pick(main, p, c.shown);
            Filter(main, p, c.filter);
            const Lines filtered = List(main, p);
            for (int32_t id : {p.up, p.down})
                EXPECT_FALSE(user.Look(page, id).enabled) << p.name;
            // Nor do the keys of the buttons move anything.
            page.Control(p.list).SetFocus();
            for (UiKey key : {UiKey::kUp, UiKey::kDown})
                user.PressKey(page, key, false, false, true);
            EXPECT_EQ(List(main, p), filtered) << p.name;
            EXPECT_FALSE(main.IsModified()) << p.name;

            Filter(main, p, "");
            for (int32_t id : {p.up, p.down})
                EXPECT_TRUE(user.Look(page, id).enabled) << p.name;
        });
    }
}

TEST_F(ListFilterPageTest, AddAndCopyClearTheFilter)
{
    struct Case {
        const ListPage* page;
        int32_t button;
        std::string shown, filter;
    } const cases[] = {
        {&kItems, kItems.add, "Long Bow", "bow"},   {&kItems, kItems.copy, "Long Bow", "bow"},
        {&kEvents, kEvents.add, "晴れ", "sun"},     {&kEvents, kEvents.copy, "晴れ", "sun"},
        {&kSet, kSet.add, "# head", "head"},        {&kSet, kSet.copy, "# head", "head"},
    };
    for (const Case& c : cases) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            const ListPage& p = *c.page;
            Enter(main, p);
            Pick(main, p, c.shown);
            Filter(main, p, c.filter);
            const size_t before = Count(main, p);
            user.Click(Page(main, p), c.button);
            EXPECT_EQ(Count(main, p), before + 1) << p.name << " " << c.button;
            EXPECT_EQ(FilterText(main, p), "") << p.name << " " << c.button;
            EXPECT_EQ(List(main, p).size(), before + 1) << p.name << " " << c.button;
            // The new element is shown and selected.
            const int32_t shown = Page(main, p).CurrentElement();
            EXPECT_EQ(user.Look(Page(main, p), p.list).curSel, shown) << p.name << " " << c.button;
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

TEST_F(ListFilterPageTest, AJumpToAHiddenElementClearsTheFilter)
{
    struct Case {
        const ListPage* page;
        std::string filter;
        std::string result;  // the results line jumped to
        bool cleared;
        std::string selected;
    } const cases[] = {
        {&kItems, "bow", "ITEM[0]：鉄の剣", true, "鉄の剣"},
        {&kItems, "の", "ITEM[1]：木の盾", false, "木の盾"},
        {&kEvents, "sun", "EVENT[1]：wind", true, "wind"},
        {&kSet, "bow", "OTHER[0]：# head", true, "# head"},
    };
    for (const Case& c : cases) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            const ListPage& p = *c.page;
            Enter(main, p);
            Filter(main, p, c.filter);
            main.ToolResults().SetLines(S(c.result + "\n").c_str());
            user.ChooseMenu(main, ID_TOOL_RESULTS);
            user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
            EXPECT_EQ(FilterText(main, p), c.cleared ? "" : c.filter) << c.result;
            EXPECT_EQ(Selected(main, p), c.selected) << c.result;
            EXPECT_EQ(List(main, p).size() == static_cast<size_t>(Count(main, p)), c.cleared) << c.result;
        });
    }
}

TEST_F(ListFilterPageTest, DeletingAFilteredLineDeletesItsElement)
{
    struct Case {
        const ListPage* page;
        std::string filter, deleted;
        Lines after;          // the filtered list afterwards
        std::string selected; // its selected line
    } const cases[] = {
        {&kItems, "の", "木の盾", {"鉄の剣"}, "鉄の剣"},
        {&kItems, "の", "鉄の剣", {"木の盾"}, "木の盾"},
        {&kEvents, "n", "wind", {"雨が降る", "晴れ"}, "晴れ"},
        {&kSet, "#", "# head", {}, ""},
        // The line is not the index: the element of the line goes.
        {&kItems, "bow", "Long Bow", {}, ""},
        {&kEvents, "sun", "晴れ", {}, ""},
        {&kSet, "@@end", "@@END", {}, ""},
    };
    for (const Case& c : cases) {
        Open();
        Run([&](CMainDlg& main) {
            user.TakeMessages(); // those of the run before
            const ListPage& p = *c.page;
            Enter(main, p);
            Filter(main, p, c.filter);
            Pick(main, p, c.deleted);
            const size_t before = Count(main, p);
            user.Answer(UiAnswer::kYes);
            user.Click(Page(main, p), p.remove);
            EXPECT_EQ(Count(main, p), before - 1) << p.name << " " << c.deleted;
            EXPECT_EQ(List(main, p), c.after) << p.name << " " << c.deleted;
            EXPECT_EQ(Selected(main, p), c.selected) << p.name << " " << c.deleted;
            Filter(main, p, "");
            const Lines all = List(main, p);
            EXPECT_EQ(std::find(all.begin(), all.end(), c.deleted), all.end()) << p.name << " " << c.deleted;
            EXPECT_EQ(all.size(), Count(main, p)) << p.name;
            user.TakeMessages();
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

} // namespace
