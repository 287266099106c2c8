// The steps that change the document: a batch done, undone and redone
// writes exactly the bytes it wrote before and after; elements keep their
// identity through moves, and through a removal that is undone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/edit_command.h"
#include "document/kept_writer.h"
#include "document_test_helpers.h"

using dtest::Text;

namespace {

// Sections, an odd layout, a second function block behind an item, events.
const char* const kText = "# top\n@@DEFINE\ntype1 a\n@@FUNCITEM\nsub a {}\n"
                          "@@ITEM\n  no 1\n  name  A   # first\n  @@USE\n    name u\n    use x 1\n\n# ---- tools ----\n"
                          "@@ITEM\n\tno\t2\n\tname\tB\n@@FUNCITEM\nsub b {}\n@@ITEM\n\tno\t3\n\tname\tC\n\n"
                          "@@EVENT\n\tcode\te1\n@@EVENT\n\tcode\te2\n\ttail\n";

// What the save and the formatter write of the document.
std::string Bytes(const CMerxDocument& doc)
{
    return Text(CKeptWriter(doc).WriteDocument()) + "\n====\n" + Text(CMerxWriter(doc).WriteDocument());
}

CMERX_base& ItemAt(CMerxDocument& doc, uint32_t i) { return doc.itemdata[i]; }

} // namespace

// A batch is taken back in the reverse order of its steps (that each kind
// of step, done, undone and redone, writes the bytes it wrote before and
// after is the undo fuzz target's check, over seeds of every kind).
TEST(EditCommand, UndoGivesBackTheBytesAndRedoTheChange)
{
    dtest::Document doc;
    doc.Parse(kText);
    const std::string before = Bytes(doc);
    ASSERT_EQ(Text(CKeptWriter(doc).WriteDocument()), kText);
    auto batch = std::make_unique<CEditBatch>();
    Citemstruct content(doc.itemdata[2]);
    content.SetField("price", "5");
    batch->Add(ReplaceContent(doc, doc.itemdata[2], content));
    batch->Add(RemoveElement(doc, ItemAt(doc, 0)));
    batch->Add(InsertItem(doc, 0, 3, nullptr));
    batch->Add(ExchangeItems(doc, 0, 1));
    const std::string after = Bytes(doc);
    EXPECT_NE(after, before);
    batch->Undo(doc);
    EXPECT_EQ(Bytes(doc), before);
    batch->Redo(doc);
    EXPECT_EQ(Bytes(doc), after);
    batch->Undo(doc);
    EXPECT_EQ(Bytes(doc), before) << "undone twice";
    EXPECT_GT(batch->Bytes(), 0u);
}

TEST(EditCommand, OperationsThatChangeNothingGiveNoStep)
{
    dtest::Document doc;
    doc.Parse(kText);
    EXPECT_FALSE(RemoveElement(doc, doc.definedata));
    EXPECT_FALSE(ReorderItems(doc, {&doc.itemdata[0]}));
    EXPECT_EQ(Text(CKeptWriter(doc).WriteDocument()), kText);
}

// An identity stays with its element while others move, come and go; a
// removed element is found no more, until its removal is undone.
TEST(EditCommand, ElementsKeepTheirIdentity)
{
    dtest::Document doc;
    doc.Parse(kText);
    const uint32_t first = doc.IdentityOf(doc.itemdata[0]);
    const uint32_t last = doc.IdentityOf(doc.itemdata[2]);
    const uint32_t event = doc.IdentityOf(doc.eventdata[0]);
    EXPECT_NE(first, last);
    EXPECT_EQ(doc.IdentityOf(doc.itemdata[0]), first); // asked again, the same

    CEditCommandPtr exchange = ExchangeItems(doc, 0, 2);
    EXPECT_EQ(doc.FindByIdentity(first), &doc.itemdata[2]);
    CEditCommandPtr insert = InsertItem(doc, 0, 0, nullptr);
    EXPECT_EQ(doc.FindByIdentity(first), &doc.itemdata[3]);
    const uint32_t added = doc.IdentityOf(doc.itemdata[0]);
    EXPECT_TRUE(added != first && added != last && added != event);

    CEditCommandPtr remove = RemoveElement(doc, doc.itemdata[3]);
    EXPECT_EQ(doc.FindByIdentity(first), nullptr);
    EXPECT_EQ(doc.FindByIdentity(event), &doc.eventdata[0]);
    CEditCommandPtr another = InsertItem(doc, 0, 0, nullptr); // may take the removed one's storage
    EXPECT_NE(doc.IdentityOf(doc.itemdata[0]), first);
    another->Undo(doc);
    remove->Undo(doc);
    ASSERT_NE(doc.FindByIdentity(first), nullptr);
    EXPECT_EQ(dtest::Field(static_cast<Citemstruct&>(*doc.FindByIdentity(first)), "no"), "1");
    EXPECT_EQ(remove->ElementId(), first);
}
