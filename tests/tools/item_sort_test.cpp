// The item sort: the order of each key, the previous order, and the sort
// dialog on the item page.
#include <gtest/gtest.h>

#include "../app/main_dlg_fixture.h"
#include "../document/document_test_helpers.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "tools/item_sort.h"
#include "tools/item_sort_dlg.h"

namespace {

std::string S(const std::string& utf8) { return Utf8ToCp932(utf8); }

std::vector<std::string> Names(const CMerxDocument& doc)
{
    std::vector<std::string> names;
    for (const Citemstruct& item : doc.itemdata)
        names.push_back(Cp932ToUtf8(item.GetField("name")->GetBuffer()));
    return names;
}

// Items c, a, an other text, b, an event; types defined A and B, with B
// defined twice.
const char* kItems = "@@DEFINE\n\ttype1\tA\n\ttype2\tB\n\ttype3\tB\n"
                     "@@ITEM\n\tno\t3\n\tname\tc\n\ttype\tB\n\tprice\tabc\n\tcost\t5\n"
                     "@@ITEM\n\tno\t99999999999\n\tname\ta\n\ttype\tA\n\tprice\t100\n"
                     "@@IF\tx\n"
                     "@@ITEM\n\tno\t2\n\tname\tb\n\ttype\tZ\n\tprice\t70\n"
                     "@@ITEM\n\tno\t2\n\tname\td\n\tprice\t20\n\tcost\t7\n"
                     "@@EVENT\n\tcode\te\n";

TEST(ItemSort, EachKeyGivesADefinedOrder)
{
    struct Case {
        CItemSortKey key;
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {CItemSortKey::kNo, false, {"b", "d", "c", "a"}},     // equal numbers keep their order; no overflow
        {CItemSortKey::kNo, true, {"a", "c", "d", "b"}},      // descending reverses
        {CItemSortKey::kPrice, false, {"c", "d", "b", "a"}},  // "abc" counts as 0
        {CItemSortKey::kCost, false, {"c", "b", "d", "a"}},   // 5, 70/10 = 7 before 7 (stable), 100/10
        {CItemSortKey::kName, false, {"a", "b", "c", "d"}},
        {CItemSortKey::kType, false, {"a", "c", "b", "d"}},   // A, B once, then Z and "" as they appear
    };
    for (const Case& c : cases) {
        dtest::Document doc({.beta = true});
        EXPECT_EQ(doc.Parse(S(kItems)), "");
        CItemPreviousOrder previous;
        SortItems(doc, c.key, c.descending, previous);
        EXPECT_EQ(Names(doc), c.order) << static_cast<int>(c.key) << c.descending;
    }
}

TEST(ItemSort, TheItemPlacesStayAndThePreviousOrderComesBack)
{
    dtest::Document doc({.beta = true});
    EXPECT_EQ(doc.Parse(S(kItems)), "");
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
    EXPECT_EQ(doc.setdata[doc.FindInArrangement(doc.itemdata.GetAt(0))], doc.itemdata.GetAt(0));

    EXPECT_TRUE(previous.IsValid(doc));
    EXPECT_TRUE(SortItems(doc, CItemSortKey::kRestore, true, previous));
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_TRUE(SortItems(doc, CItemSortKey::kRestore, false, previous));
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"a", "b", "c", "d"}));

    // After the arrangement changed the kept order is no longer offered.
    doc.InsertOther(0);
    EXPECT_FALSE(previous.IsValid(doc));
    EXPECT_FALSE(SortItems(doc, CItemSortKey::kRestore, false, previous));
}

class ItemSortDlgTest : public MainDlgTest {};

TEST_F(ItemSortDlgTest, TheDialogSortsAndTheShownItemStaysShown)
{
    std::string block = InfoBlock(kBetaRule, "p");
    block.insert(block.find("###MERX_PROJECT_INFO_END"), "###ItemID=1\r\n");
    startup.commandLine = PutFile("s.cgi", block + S(kItems));
    Run([&](CMainDlg& main) {
        auto& page = static_cast<Cpage_item&>(main.Page(CMainDlg::kItemTab));
        user.TypeText(page, item_page::IDC_INFO, "unapplied");
        user.OnModal(
            [&](CDialogBase& d) {
                EXPECT_EQ(user.Look(d, CItemSortDlg::IDC_KEY).items.size(), 6u);
                user.Select(d, CItemSortDlg::IDC_KEY, 2);
                user.SetCheck(d, CItemSortDlg::IDC_DESCENDING, true);
                user.Click(d, kIdOk);
            },
            CItemSortDlg::IDD);
        user.Click(page, item_page::IDC_SORT);
        EXPECT_EQ(Names(main.Document()), (std::vector<std::string>{"d", "c", "b", "a"}));
        EXPECT_EQ(page.CurrentElement(), 3); // "a", still with its unapplied edit
        EXPECT_EQ(Cp932ToUtf8(user.Look(page, item_page::IDC_INFO).text.GetBuffer()), "unapplied");
        EXPECT_TRUE(main.IsModified());

        // The seventh entry puts the order back.
        user.OnModal(
            [&](CDialogBase& d) {
                ASSERT_EQ(user.Look(d, CItemSortDlg::IDC_KEY).items.size(), 7u);
                user.Select(d, CItemSortDlg::IDC_KEY, 6);
                user.Click(d, kIdOk);
            },
            CItemSortDlg::IDD);
        user.Click(page, item_page::IDC_SORT);
        EXPECT_EQ(Names(main.Document()), (std::vector<std::string>{"c", "a", "b", "d"}));
        EXPECT_EQ(page.CurrentElement(), 1);
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
