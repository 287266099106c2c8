// The item sort: the order of each key, the previous order, and the sort
// dialog on the item page.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "../shell/main_dlg_fixture.h"
#include "editing/item_sort.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "tools/item_sort_dlg.h"

namespace {


std::vector<std::string> Names(const CMerxDocument& doc)
{
    std::vector<std::string> names;
    for (const Citemstruct& item : doc.itemdata)
        names.push_back(Cp932ToUtf8(item.GetField("name")->GetBuffer()));
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

TEST(ItemSort, EachSectionIsSortedByItself)
{
    struct Case {
        CItemSortKey key;
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {CItemSortKey::kName, false, {"a", "c", "b", "d", "f", "g"}},
        {CItemSortKey::kPrice, true, {"c", "a", "b", "d", "g", "f"}},
        {CItemSortKey::kPrice, false, {"a", "c", "d", "b", "f", "g"}},
        {CItemSortKey::kType, false, {"a", "c", "b", "d", "g", "f"}}, // "" first seen before Z
        {CItemSortKey::kType, true, {"c", "a", "d", "b", "f", "g"}},
    };
    for (const Case& c : cases) {
        dtest::Document doc({.beta = true});
        ASSERT_EQ(doc.Parse(kSections), "");
        const std::string before = dtest::Text(CMerxWriter(doc).WriteDocument());
        CItemPreviousOrder previous;
        EXPECT_TRUE(SortItems(doc, c.key, c.descending, previous)) << static_cast<int>(c.key) << c.descending;
        EXPECT_EQ(Names(doc), c.order) << static_cast<int>(c.key) << c.descending;
        // The item places follow `itemdata`; the restore gives the file back.
        uint32_t next = 0;
        for (const CMERX_base* element : doc.setdata) {
            if (element->GetKind() == CMERX_TYPE_ITEM) {
                EXPECT_EQ(element, doc.itemdata.GetAt(next++));
            }
        }
        EXPECT_TRUE(SortItems(doc, CItemSortKey::kRestore, false, previous));
        EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), before);
    }
}

TEST(ItemSort, NoKeyCarriesAnItemOfTheSampleInOrOutOfItsWinterSection)
{
    // The items between the winter line and its closing line, in order.
    auto Winter = [](const CMerxDocument& doc) {
        std::vector<std::string> names;
        bool inside = false;
        for (const CMERX_base* element : doc.setdata) {
            if (element->GetKind() == CMERX_TYPE_OTHER) {
                const std::string text = static_cast<const Cotherstruct*>(element)->text.GetBuffer();
                if (text.find("@@IF\t$SEASON eq 'winter'") != std::string::npos)
                    inside = true;
                if (text.find("@@IF\tend") != std::string::npos)
                    inside = false;
            }
            if (inside && element->GetKind() == CMERX_TYPE_ITEM)
                names.push_back(Cp932ToUtf8(static_cast<const Citemstruct*>(element)->FieldText("name")));
        }
        return names;
    };
    for (int32_t key = 0; key <= static_cast<int32_t>(CItemSortKey::kType); ++key) {
        for (const bool descending : {false, true}) {
            dtest::Document doc({.beta = true});
            doc.Parse(dtest::SampleFile("inc-item-data.cgi"));
            std::vector<std::string> winter = Winter(doc);
            ASSERT_EQ(winter, (std::vector<std::string>{"冬至のケーキ", "雪の置物"}));
            CItemPreviousOrder previous;
            SortItems(doc, static_cast<CItemSortKey>(key), descending, previous);
            std::vector<std::string> after = Winter(doc);
            std::sort(after.begin(), after.end());
            std::sort(winter.begin(), winter.end());
            EXPECT_EQ(after, winter) << key << descending;
        }
    }
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

// The section headers of the sample stay between the same item places
// when the dialog sorts, and the save writes them there.
TEST_F(ItemSortDlgTest, TheSectionHeadersOfTheSampleStayInPlace)
{
    std::ifstream sample(std::string(TAVARO_SOURCE_DIR) + "/examples/inc-item-data.cgi", std::ios::binary);
    startup.commandLine = PutFile("s.cgi", std::string(std::istreambuf_iterator<char>(sample), {}));
    const auto headers = dtest::LinesAmongItems(dtest::SampleFile("inc-item-data.cgi"), "# ====");
    Run([&](CMainDlg& main) {
        auto& page = static_cast<Cpage_item&>(main.Page(CMainDlg::kItemTab));
        const std::vector<std::string> before = Names(main.Document());
        user.OnModal(
            [&](CDialogBase& d) {
                user.Select(d, CItemSortDlg::IDC_KEY, 2);
                user.Click(d, kIdOk);
            },
            CItemSortDlg::IDD);
        user.Click(page, item_page::IDC_SORT);
        EXPECT_NE(Names(main.Document()), before);
        user.ChooseMenu(main, ID_FILE_SAVE);
    });
    const std::string saved = dtest::ThroughFile(folder.Get("s.cgi"));
    EXPECT_EQ(dtest::LinesAmongItems(saved, "# ===="), headers);
    EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
}

} // namespace
