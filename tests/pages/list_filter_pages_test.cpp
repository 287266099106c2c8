// The filter boxes over the item, event and arrangement lists through the
// main window and a scripted user: narrowing and clearing, selecting in a
// filtered list, the move buttons, add and copy, jumps from the tools and
// deleting a filtered line (what a filter text matches is the list filter's
// tests).
#include <algorithm>

#include "page_fixture.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "pages/page_set_template.h"
#include "tools/project_jump_info_dlg.h"

namespace {

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

const ListPage kItems{"item", CMainDlg::kItemTab, item_page::IDC_ITEM_LIST, item_page::IDC_FILTER, item_page::IDC_ADD,
                      item_page::IDC_COPY, item_page::IDC_DELETE, item_page::IDC_UP, item_page::IDC_DOWN};
const ListPage kEvents{"event", CMainDlg::kEventTab, event_page::IDC_EVENT_LIST, event_page::IDC_FILTER, event_page::IDC_ADD,
                       event_page::IDC_COPY, event_page::IDC_DELETE, event_page::IDC_UP, event_page::IDC_DOWN};
const ListPage kSet{"arrangement", CMainDlg::kSetTab, set_page::IDC_ELEMENT_LIST, set_page::IDC_FILTER, set_page::IDC_INSERT,
                    set_page::IDC_COPY, set_page::IDC_DELETE, set_page::IDC_UP, set_page::IDC_DOWN};

class ListFilterPageTest : public PageTest {
protected:
    // Opens the data on page `p` for one case of a table.
    void RunOn(const ListPage& p, const std::function<void(CMainDlg&, CMainPage&)>& act)
    {
        SCOPED_TRACE(p.name);
        OpenData(kData);
        Run([&](CMainDlg& main) {
            Enter(main, p.tab);
            act(main, main.Page(p.tab));
        });
    }
    // The selected line's text; "" for none.
    std::string Selected(CMainPage& page, const ListPage& p)
    {
        const CHeadlessControl& list = user.Look(page, p.list);
        return list.curSel < 0 ? "" : U(list.items[static_cast<size_t>(list.curSel)]);
    }
    void Pick(CMainPage& page, const ListPage& p, const std::string& line)
    {
        const Lines lines = Items(page, p.list);
        const auto found = std::find(lines.begin(), lines.end(), line);
        ASSERT_NE(found, lines.end()) << line;
        user.Select(page, p.list, static_cast<int32_t>(found - lines.begin()));
    }
    size_t Count(CMainDlg& main, const ListPage& p)
    {
        return p.tab == CMainDlg::kItemTab    ? main.Document().itemdata.GetCount()
               : p.tab == CMainDlg::kEventTab ? main.Document().eventdata.GetCount()
                                              : main.Document().setdata.GetCount();
    }
};

// A filter narrows the list and disables the move buttons and their keys;
// a line picked in the filtered list stays selected among all once the
// filter is cleared. The filter is no edit of the project, and what the
// file cannot hold may be typed into it.
TEST_F(ListFilterPageTest, TypingNarrowsTheListAndClearingKeepsTheShownElement)
{
    struct Case {
        const ListPage* page;
        std::string text;
        Lines lines;
        std::string pick;
    } const cases[] = {
        {&kItems, "の", {"鉄の剣", "木の盾"}, "木の盾"},
        {&kEvents, "W", {"wind"}, "wind"},
        {&kSet, "@@item", {"@@ITEM：鉄の剣", "@@ITEM：木の盾", "@@ITEM：Long Bow"}, "@@ITEM：木の盾"},
    };
    for (const Case& c : cases) {
        RunOn(*c.page, [&](CMainDlg& main, CMainPage& page) {
            const ListPage& p = *c.page;
            const Lines all = Items(page, p.list);
            Type(page, p.filter, c.text);
            EXPECT_EQ(Items(page, p.list), c.lines);
            Pick(page, p, c.pick);
            for (int32_t id : {p.up, p.down})
                EXPECT_FALSE(Enabled(page, id));
            page.Control(p.list).SetFocus();
            for (UiKey key : {UiKey::kUp, UiKey::kDown})
                user.PressKey(page, key, false, false, true);
            EXPECT_EQ(Items(page, p.list), c.lines);

            Type(page, p.filter, "");
            EXPECT_EQ(Items(page, p.list), all);
            EXPECT_EQ(Selected(page, p), c.pick);
            for (int32_t id : {p.up, p.down})
                EXPECT_TRUE(Enabled(page, id));
            user.TypeUnicode(page, p.filter, U"\U0001F600");
            if (Enabled(page, kIdOk))
                Apply(page);
            EXPECT_EQ(user.TakeMessages(), Lines{});
            EXPECT_FALSE(main.IsModified());
        });
    }
}

TEST_F(ListFilterPageTest, SelectingInAFilteredListAppliesFirstAndARefusalKeepsSelectionAndFilter)
{
    struct Case {
        const ListPage* page;
        std::string shown;                // the element made unappliable
        int32_t field;                    // typed into
        std::string bad, good;            // what is typed
        std::string filter, pick;         // then filtered, a line picked
        std::string selectedAfterRefusal; // the selected line after the refusal
    };
    const int32_t name = item_page::IDC_NAME, code = event_page::IDC_FIELD_FIRST + 3, detail = set_page::IDC_DETAIL;
    const std::string lost = "# x\r\n@@ITEM\r\n\tno\t9\r\n";
    const Case cases[] = {
        // The shown element is hidden: nothing is selected after the refusal.
        {&kItems, "鉄の剣", name, "", "剣", "bow", "Long Bow", ""},
        {&kEvents, "雨が降る", code, "", "rain", "sun", "晴れ", ""},
        {&kSet, "# head", detail, lost, "# top\r\n", "bow", "@@ITEM：Long Bow", ""},
        // The shown element is listed: the selection goes back to it.
        {&kItems, "鉄の剣", name, "", "剣", "の", "木の盾", "鉄の剣"},
        {&kEvents, "wind", code, "", "wind", "n", "雨が降る", "wind"},
        {&kSet, "# head", detail, lost, "# top\r\n", "e", "@@ITEM：鉄の剣", "# head"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        RunOn(*c.page, [&](CMainDlg&, CMainPage& page) {
            const ListPage& p = *c.page;
            Pick(page, p, c.shown);
            const int32_t shown = page.CurrentElement();
            Type(page, c.field, c.bad);
            Type(page, p.filter, c.filter);
            const Lines filtered = Items(page, p.list);
            Pick(page, p, c.pick);
            EXPECT_EQ(user.TakeMessages().size(), 1u);
            EXPECT_EQ(page.CurrentElement(), shown);
            EXPECT_EQ(Selected(page, p), c.selectedAfterRefusal);
            EXPECT_EQ(Text(page, p.filter), c.filter);
            EXPECT_EQ(Items(page, p.list), filtered);

            // Once the element applies, the picked one is shown (a renamed
            // item is not followed).
            Type(page, c.field, c.good);
            if (c.page == &kItems)
                user.Answer(UiAnswer::kNo);
            Pick(page, p, c.pick);
            EXPECT_EQ(user.TakeMessages().size(), c.page == &kItems ? 1u : 0u);
            EXPECT_EQ(Selected(page, p), c.pick);
            EXPECT_NE(page.CurrentElement(), shown);
            user.Answer(UiAnswer::kNo); // the save question
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
        {&kItems, kItems.add, "Long Bow", "bow"}, {&kItems, kItems.copy, "Long Bow", "bow"},
        {&kEvents, kEvents.add, "晴れ", "sun"},   {&kEvents, kEvents.copy, "晴れ", "sun"},
        {&kSet, kSet.add, "# head", "head"},      {&kSet, kSet.copy, "# head", "head"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        RunOn(*c.page, [&](CMainDlg& main, CMainPage& page) {
            const ListPage& p = *c.page;
            Pick(page, p, c.shown);
            Type(page, p.filter, c.filter);
            const size_t before = Count(main, p);
            user.Click(page, c.button);
            EXPECT_EQ(Count(main, p), before + 1);
            EXPECT_EQ(Text(page, p.filter), "");
            EXPECT_EQ(Items(page, p.list).size(), before + 1);
            // The new element is shown and selected.
            EXPECT_EQ(Sel(page, p.list), page.CurrentElement());
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

TEST_F(ListFilterPageTest, AJumpToAHiddenElementClearsTheFilter)
{
    struct Case {
        const ListPage* page;
        std::string filter;
        std::string result; // the results line jumped to
        bool cleared;
        std::string selected;
    } const cases[] = {
        {&kItems, "bow", "ITEM[0]：鉄の剣", true, "鉄の剣"},
        {&kItems, "の", "ITEM[1]：木の盾", false, "木の盾"},
        {&kEvents, "sun", "EVENT[1]：wind", true, "wind"},
        {&kSet, "bow", "OTHER[0]：# head", true, "# head"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        RunOn(*c.page, [&](CMainDlg& main, CMainPage& page) {
            Type(page, c.page->filter, c.filter);
            main.ToolResults().SetLines(S(c.result + "\n").c_str());
            user.ChooseMenu(main, ID_TOOL_RESULTS);
            user.DoubleClick(main.ToolResults(), CProjectJumpInfoDlg::IDC_LIST, 0);
            EXPECT_EQ(Text(page, c.page->filter), c.cleared ? "" : c.filter);
            EXPECT_EQ(Selected(page, *c.page), c.selected);
            EXPECT_EQ(Items(page, c.page->list).size() == Count(main, *c.page), c.cleared);
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
        SCOPED_TRACE(c.deleted);
        RunOn(*c.page, [&](CMainDlg& main, CMainPage& page) {
            const ListPage& p = *c.page;
            Type(page, p.filter, c.filter);
            Pick(page, p, c.deleted);
            const size_t before = Count(main, p);
            user.Answer(UiAnswer::kYes);
            user.Click(page, p.remove);
            EXPECT_EQ(Count(main, p), before - 1);
            EXPECT_EQ(Items(page, p.list), c.after);
            EXPECT_EQ(Selected(page, p), c.selected);
            Type(page, p.filter, "");
            const Lines all = Items(page, p.list);
            EXPECT_EQ(std::find(all.begin(), all.end(), c.deleted), all.end());
            EXPECT_EQ(all.size(), Count(main, p));
            user.TakeMessages();
            user.Answer(UiAnswer::kNo); // the save question
        });
    }
}

} // namespace
