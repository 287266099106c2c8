// The document: clearing, the end of the data, look-ups, and changing
// which elements stand where (the operations keep the containers and the
// arrangement in step and raise the structure version; changes inside
// elements do not).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "document/function_keywords.h"
#include "document_test_helpers.h"

TEST(Document, ClearLeavesTheTwelveEmptyFunctionBlocksOutsideTheArrangement)
{
    dtest::Document doc;
    doc.Parse("@@ITEM\n\tno\t1\n@@FUNCITEM\nsub a {}\n@@DEFINE\ntype1 a\n");
    doc.Clear();
    EXPECT_EQ(doc.setdata.GetCount() + doc.itemdata.GetCount() + doc.definedata.types.GetCount(), 0u);
    EXPECT_TRUE(doc.definedata.text.IsEmpty());
    EXPECT_EQ(doc.singledata.GetCount(), MERX_FUNCTION_COUNT);
    for (const char* keyword : g_aszMerxFunctionKeywords)
        EXPECT_EQ(doc.FindFunction(keyword)->keyword.GetBuffer() + std::string("|") + doc.FindFunction(keyword)->text.GetBuffer(),
                  std::string(keyword) + "|");
    EXPECT_EQ(doc.FindFunction("@@funcitem"), nullptr); // byte for byte
}

// The end in any case after tabs, blanks and line feeds, never @@ENDSKIP;
// an unclosed skip ends the data too. The end position is the first other
// text that ends the data, or the length of the arrangement.
TEST(Document, TheEndOfTheData)
{
    const std::pair<const char*, bool> texts[] = {
        {"@@END", true},         {"@@end\n", true},  {"\n\n  \t@@ENDX", true}, {"@@ENDSKIP\n", false},
        {"@@EndSkip\n", false}, {"x @@END", false}, {"\r\n@@END", false},    {"@@EN", false},
        {"@@skip\n@@ITEM\n", true}, {"@@SKIP\n@@ITEM\n@@endskip\nx\n", false}};
    for (const auto& [text, end] : texts)
        EXPECT_EQ(CMerxDocument::IsEndText(text), end) << text;

    CMerxDocument doc;
    doc.InsertOther(0)->text = "free\n@@END\n";
    doc.InsertIntoArrangement(1, &doc.definedata);
    EXPECT_EQ(doc.FindEndPosition(), 2u);
    doc.InsertOther(2)->text = "\n\t @@End\nrest\n";
    doc.InsertOther(3)->text = "@@END\n";
    EXPECT_EQ(doc.FindEndPosition(), 2u);
}

TEST(Document, ItemNumberLookUpComparesBytes)
{
    dtest::Document doc;
    doc.Parse(SJ("@@ITEM\n\tno\t01\n\tname\t剣\n@@ITEM\n\tno\t1\n\tname\t盾\n@@ITEM\n\tno\t1\n\tname\t弓\n"));
    ASSERT_NE(doc.FindItemNameByNo("1"), nullptr);
    EXPECT_EQ(*doc.FindItemNameByNo("1"), SJ("盾")); // the first item with that number
    EXPECT_EQ(*doc.FindItemNameByNo("01"), SJ("剣"));
    EXPECT_EQ(doc.FindItemNameByNo("001"), nullptr);
    EXPECT_EQ(doc.FindItemNameByNo(""), nullptr);
}

namespace {

// The arrangement without its function blocks ("I" and the item's no, "E"
// and the event's code, "O" other text, "D" the definition), then the
// item numbers and the event codes in container order.
std::string View(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata) {
        const auto* fields = dynamic_cast<const CMerxFieldElement*>(element);
        if (element->GetKind() != CMERX_TYPE_SINGLE)
            out += "?IUEFOD"[element->GetKind()] +
                   (fields ? dtest::Field(*fields, fields->GetField("no") ? "no" : "code") : "") + " ";
    }
    out += "|";
    for (const Citemstruct& item : doc.itemdata)
        out += dtest::Field(item, "no");
    out += "|";
    for (const Ceventstruct& event : doc.eventdata)
        out += dtest::Field(event, "code");
    return out;
}

struct StructureCase {
    const char* name;
    std::function<bool(CMerxDocument&)> change;
    bool done;       // what the operation answered
    bool structural; // the version was raised
    std::string view;
};

} // namespace

TEST(DocumentStructure, OperationsKeepContainersAndArrangementInStepAndRaiseTheVersion)
{
    auto item = [](CMerxDocument& d, uint32_t i) { return d.itemdata.GetAt(i); };
    const std::string same = "I1 I2 Ea O Eb I3 D |123|ab";
    const StructureCase cases[] = {
        {"Clear", [](auto& d) { return d.Clear(), true; }, true, true, "||"},
        {"Parse", [](auto& d) { return CMerxReader(d).Parse("@@ITEM\n\tno\t5\n"); }, true, true, "I5 D |5|"},
        {"InsertItem", [](auto& d) { return d.InsertItem(1, 4)->fields.GetOrInsert("no")->Assign("9"), true; }, true,
         true, "I1 I2 Ea O I9 Eb I3 D |1923|ab"},
        {"InsertEvent", [](auto& d) { return d.InsertEvent(2, 0)->fields.GetOrInsert("code")->Assign("c"), true; },
         true, true, "Ec I1 I2 Ea O Eb I3 D |123|abc"},
        {"InsertOther", [](auto& d) { return d.InsertOther(6) != nullptr; }, true, true, "I1 I2 Ea O Eb I3 O D |123|ab"},
        {"RemoveItem", [&](auto& d) { return d.RemoveElement(item(d, 1)); }, true, true, "I1 Ea O Eb I3 D |13|ab"},
        {"RemoveTheDefinition", [](auto& d) { return d.RemoveElement(&d.definedata); }, false, false, same},
        {"ExchangeItems", [](auto& d) { return d.ExchangeItems(0, 2), true; }, true, true, "I3 I2 Ea O Eb I1 D |321|ab"},
        {"ExchangeEvents", [](auto& d) { return d.ExchangeEvents(1, 0), true; }, true, true, "I1 I2 Eb O Ea I3 D |123|ba"},
        {"ExchangeTwoItems", [](auto& d) { return d.ExchangeNeighbours(0); }, true, true, "I2 I1 Ea O Eb I3 D |213|ab"},
        {"ExchangeItemAndEvent", [](auto& d) { return d.ExchangeNeighbours(1); }, true, true, "I1 Ea I2 O Eb I3 D |123|ab"},
        // Items that are neighbours in the arrangement but not in their
        // container: nothing is exchanged.
        {"ExchangeItemsOutOfStep", [](auto& d) { return d.itemdata.Exchange(0, 2), d.ExchangeNeighbours(0); }, false,
         false, "I1 I2 Ea O Eb I3 D |321|ab"},
        {"ReorderItems", [&](auto& d) { return d.ReorderItems({item(d, 2), item(d, 0), item(d, 1)}); }, true, true,
         "I3 I1 Ea O Eb I2 D |312|ab"},
        {"ReorderWithAnItemTwice", [&](auto& d) { return d.ReorderItems({item(d, 2), item(d, 2), item(d, 1)}); }, false,
         false, same},
        {"ReorderWithAnItemMissing", [&](auto& d) { return d.ReorderItems({item(d, 0)}); }, false, false, same},
        {"FieldEdit", [&](auto& d) { return item(d, 0)->SetField("no", "7"); }, true, false, "I7 I2 Ea O Eb I3 D |723|ab"},
        {"TextEdits",
         [](auto& d) {
             d.otherdata[0].text.Assign("free\n");
             d.FindFunction("@@FUNCNEW")->text.Assign("sub n {}\n");
             Cdefinestruct fresh;
             fresh.text.Assign("@@DEFINE\ntype1 a\n");
             return d.definedata = fresh, true;
         },
         true, false, same},
    };
    for (const StructureCase& c : cases) {
        dtest::Document doc;
        doc.Parse("@@ITEM\n\tno\t1\n@@ITEM\n\tno\t2\n@@EVENT\n\tcode\ta\n@@IF x\n@@EVENT\n\tcode\tb\n"
                  "@@ITEM\n\tno\t3\n@@DEFINE\n");
        const uint32_t version = doc.GetStructureVersion();
        EXPECT_EQ(c.change(doc), c.done) << c.name;
        EXPECT_EQ(doc.GetStructureVersion() != version, c.structural) << c.name;
        EXPECT_EQ(View(doc), c.view) << c.name;
    }
}
