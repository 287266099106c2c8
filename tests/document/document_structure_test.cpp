// Changing which elements stand where: the document's operations keep the
// containers and the arrangement in step and raise the structure version;
// changes inside elements do not.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document_test_helpers.h"

namespace {

// The arrangement without its function blocks ("I" and the item's no, "E"
// and the event's code, "O" other text, "D" the definition), then the
// item numbers and the event codes in container order.
std::string View(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata) {
        switch (element->GetKind()) {
        case CMERX_TYPE_ITEM: out += "I" + dtest::Field(*static_cast<Citemstruct*>(element), "no") + " "; break;
        case CMERX_TYPE_EVENT: out += "E" + dtest::Field(*static_cast<Ceventstruct*>(element), "code") + " "; break;
        case CMERX_TYPE_OTHER: out += "O "; break;
        case CMERX_TYPE_DEFINE: out += "D "; break;
        default: break;
        }
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
    auto item = [](CMerxDocument& doc, uint32_t i) { return doc.itemdata.GetAt(i); };
    const StructureCase cases[] = {
        {"Clear", [](CMerxDocument& doc) { doc.Clear(); return true; }, true, true, "||"},
        {"Parse", [](CMerxDocument& doc) { return CMerxReader(doc).Parse("@@ITEM\n\tno\t5\n"); }, true, true,
         "I5 D |5|"},
        {"InsertItem",
         [](CMerxDocument& doc) { return doc.InsertItem(1, 4)->fields.GetOrInsert("no")->Assign("9"), true; }, true,
         true, "I1 I2 Ea O I9 Eb I3 D |1923|ab"},
        {"InsertEvent",
         [](CMerxDocument& doc) { return doc.InsertEvent(2, 0)->fields.GetOrInsert("code")->Assign("c"), true; },
         true, true, "Ec I1 I2 Ea O Eb I3 D |123|abc"},
        {"InsertOther", [](CMerxDocument& doc) { return doc.InsertOther(6) != nullptr; }, true, true,
         "I1 I2 Ea O Eb I3 O D |123|ab"},
        {"RemoveItem", [&](CMerxDocument& doc) { return doc.RemoveElement(item(doc, 1)); }, true, true,
         "I1 Ea O Eb I3 D |13|ab"},
        {"RemoveTheDefinitionIsRefused", [](CMerxDocument& doc) { return doc.RemoveElement(&doc.definedata); },
         false, false, "I1 I2 Ea O Eb I3 D |123|ab"},
        {"ExchangeItems", [](CMerxDocument& doc) { return doc.ExchangeItems(0, 2), true; }, true, true,
         "I3 I2 Ea O Eb I1 D |321|ab"},
        {"ExchangeEvents", [](CMerxDocument& doc) { return doc.ExchangeEvents(1, 0), true; }, true, true,
         "I1 I2 Eb O Ea I3 D |123|ba"},
        {"ExchangeNeighbouringItems", [](CMerxDocument& doc) { return doc.ExchangeNeighbours(0); }, true, true,
         "I2 I1 Ea O Eb I3 D |213|ab"},
        {"ExchangeItemAndEvent", [](CMerxDocument& doc) { return doc.ExchangeNeighbours(1); }, true, true,
         "I1 Ea I2 O Eb I3 D |123|ab"},
        // Items that are neighbours in the arrangement but not in their
        // container: nothing is exchanged.
        {"ExchangeItemsOutOfStep",
         [](CMerxDocument& doc) { return doc.itemdata.Exchange(0, 2), doc.ExchangeNeighbours(0); }, false, false,
         "I1 I2 Ea O Eb I3 D |321|ab"},
        {"ReorderItems", [&](CMerxDocument& doc) { return doc.ReorderItems({item(doc, 2), item(doc, 0), item(doc, 1)}); },
         true, true, "I3 I1 Ea O Eb I2 D |312|ab"},
        {"ReorderWithAnItemTwice",
         [&](CMerxDocument& doc) { return doc.ReorderItems({item(doc, 2), item(doc, 2), item(doc, 1)}); }, false,
         false, "I1 I2 Ea O Eb I3 D |123|ab"},
        {"ReorderWithAnItemMissing", [&](CMerxDocument& doc) { return doc.ReorderItems({item(doc, 0)}); }, false,
         false, "I1 I2 Ea O Eb I3 D |123|ab"},
        {"FieldEdit", [&](CMerxDocument& doc) { return item(doc, 0)->SetField("no", "7"); }, true, false,
         "I7 I2 Ea O Eb I3 D |723|ab"},
        {"TextEdits",
         [](CMerxDocument& doc) {
             doc.otherdata[0].text.Assign("free\n");
             doc.FindFunction("@@FUNCNEW")->text.Assign("sub n {}\n");
             Cdefinestruct fresh;
             fresh.text.Assign("@@DEFINE\ntype1 a\n");
             doc.definedata = fresh;
             return true;
         },
         true, false, "I1 I2 Ea O Eb I3 D |123|ab"},
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
