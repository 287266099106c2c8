// The item sort: the order of each key within each section, the item
// places and the previous order, and the sort dialog on the item page.
#include <gtest/gtest.h>

#include "../document/document_test_helpers.h"
#include "../pages/page_fixture.h"
#include "editing/item_sort.h"
#include "pages/page_item_template.h"
#include "tools/item_sort_dlg.h"

namespace {

Lines Names(const CMerxDocument& doc)
{
    Lines names;
    for (const Citemstruct& item : doc.itemdata)
        names.push_back(U(item.FieldText("name")));
    return names;
}

// Items c, a, an other text, b, d, an event; types defined A and B, with B
// defined twice.
const char* kItems = "@@DEFINE\n\ttype1\tA\n\ttype2\tB\n\ttype3\tB\n"
                     "@@ITEM\n\tno\t3\n\tname\tc\n\ttype\tB\n\tprice\tabc\n\tcost\t5\n"
                     "@@ITEM\n\tno\t99999999999\n\tname\ta\n\ttype\tA\n\tprice\t100\n"
                     "@@SETMACRO\tM\tx\n"
                     "@@ITEM\n\tno\t2\n\tname\tb\n\ttype\tZ\n\tprice\t70\n"
                     "@@ITEM\n\tno\t2\n\tname\td\n\tprice\t20\n\tcost\t7\n"
                     "@@EVENT\n\tcode\te\n";

// Three sections: before the "@@IF" line, up to its closing line (which
// stands behind blanks, in lower case), and after it.
const char* kSections = "@@DEFINE\n\ttype1\tA\n\ttype2\tB\n"
                        "@@ITEM\n\tname\tc\n\ttype\tB\n\tprice\t30\n"
                        "@@ITEM\n\tname\ta\n\ttype\tA\n\tprice\t10\n"
                        "@@IF\t$SEASON eq 'winter'\n"
                        "@@ITEM\n\tname\td\n\ttype\tB\n\tprice\t5\n"
                        "@@EVENT\n\tcode\te\n"
                        "@@ITEM\n\tname\tb\n\ttype\tA\n\tprice\t20\n"
                        "  @@if\tend\n# all year\n"
                        "@@ITEM\n\tname\tg\n\tprice\t2\n"
                        "@@ITEM\n\tname\tf\n\ttype\tZ\n\tprice\t1\n";

// Each key sorts each section by itself; the item places follow
// `itemdata` and the restore gives the file back.
TEST(ItemSort, EachKeyGivesADefinedOrderInEachSection)
{
    struct Case {
        const char* data;
        CItemSortKey key;
        bool descending;
        Lines order;
    };
    const Case cases[] = {
        {kItems, CItemSortKey::kNo, false, {"b", "d", "c", "a"}},    // equal numbers keep their order; no overflow
        {kItems, CItemSortKey::kNo, true, {"a", "c", "d", "b"}},     // descending reverses
        {kItems, CItemSortKey::kPrice, false, {"c", "d", "b", "a"}}, // "abc" counts as 0
        {kItems, CItemSortKey::kCost, false, {"c", "b", "d", "a"}},  // 5, 70/10 = 7 before 7 (stable), 100/10
        {kItems, CItemSortKey::kName, false, {"a", "b", "c", "d"}},
        {kItems, CItemSortKey::kType, false, {"a", "c", "b", "d"}},  // A, B once, then Z and "" as they appear
        {kSections, CItemSortKey::kName, false, {"a", "c", "b", "d", "f", "g"}},
        {kSections, CItemSortKey::kPrice, true, {"c", "a", "b", "d", "g", "f"}},
        {kSections, CItemSortKey::kPrice, false, {"a", "c", "d", "b", "f", "g"}},
        {kSections, CItemSortKey::kType, false, {"a", "c", "b", "d", "g", "f"}}, // "" first seen before Z
        {kSections, CItemSortKey::kType, true, {"c", "a", "d", "b", "f", "g"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.key)) + (c.descending ? " descending" : ""));
        dtest::Document doc({.beta = true});
        ASSERT_EQ(doc.Parse(c.data), "");
        const std::string before = dtest::Text(CMerxWriter(doc).WriteDocument());
        CItemPreviousOrder previous;
        SortItems(doc, c.key, c.descending, previous);
        EXPECT_EQ(Names(doc), c.order);
        uint32_t next = 0;
        for (const CMERX_base* element : doc.setdata) {
            if (element->GetKind() == CMERX_TYPE_ITEM) {
                EXPECT_EQ(element, doc.itemdata.GetAt(next++));
            }
        }
        SortItems(doc, CItemSortKey::kRestore, false, previous);
        EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), before);
    }
}

TEST(ItemSort, TheItemPlacesStayAndThePreviousOrderComesBack)
{
    dtest::Document doc({.beta = true});
    EXPECT_EQ(doc.Parse(kItems), "");
    std::vector<uint8_t> kinds;
    for (const CMERX_base* element : doc.setdata)
        kinds.push_back(element->GetKind());
    CItemPreviousOrder previous;
    EXPECT_FALSE(previous.IsValid(doc));
    EXPECT_TRUE(SortItems(doc, CItemSortKey::kName, false, previous));
    EXPECT_FALSE(SortItems(doc, CItemSortKey::kName, false, previous)); // already in order
    std::vector<uint8_t> after;
    for (const CMERX_base* element : doc.setdata)
        after.push_back(element->GetKind());
    EXPECT_EQ(after, kinds);

    EXPECT_TRUE(previous.IsValid(doc));
    EXPECT_TRUE(SortItems(doc, CItemSortKey::kRestore, true, previous));
    EXPECT_EQ(Names(doc), (Lines{"c", "a", "b", "d"}));
    EXPECT_TRUE(SortItems(doc, CItemSortKey::kRestore, false, previous));
    EXPECT_EQ(Names(doc), (Lines{"a", "b", "c", "d"}));

    // After the arrangement changed the kept order is no longer offered.
    doc.InsertOther(0);
    EXPECT_FALSE(previous.IsValid(doc));
    EXPECT_FALSE(SortItems(doc, CItemSortKey::kRestore, false, previous));
}

class ItemSortDlgTest : public PageTest {};

TEST_F(ItemSortDlgTest, TheDialogSortsAndTheShownItemStaysShown)
{
    OpenData(kItems, "###ItemID=1\r\n");
    Run([&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        const auto sort = [&](int32_t key, size_t keys) {
            user.OnModal(
                [&](CDialogBase& d) {
                    EXPECT_EQ(user.Look(d, CItemSortDlg::IDC_KEY).items.size(), keys);
                    user.Select(d, CItemSortDlg::IDC_KEY, key);
                    user.SetCheck(d, CItemSortDlg::IDC_DESCENDING, key != 6);
                    user.Click(d, kIdOk);
                },
                CItemSortDlg::IDD);
            user.Click(page, item_page::IDC_SORT);
        };
        Type(page, item_page::IDC_INFO, "unapplied");
        sort(2, 6);
        EXPECT_EQ(Names(main.Document()), (Lines{"d", "c", "b", "a"}));
        EXPECT_EQ(page.CurrentElement(), 3); // "a", still with its unapplied edit
        EXPECT_EQ(Text(page, item_page::IDC_INFO), "unapplied");
        EXPECT_TRUE(main.IsModified());

        // The seventh entry puts the order back.
        sort(6, 7);
        EXPECT_EQ(Names(main.Document()), (Lines{"c", "a", "b", "d"}));
        EXPECT_EQ(page.CurrentElement(), 1);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
