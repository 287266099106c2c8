// libFuzzer target for the steps that change the document and the undo
// history.
//
// Input: one byte of rule bits (as the reader fuzzer: beta, includes as
// elements), the number of steps (the byte modulo 16), then for each step
// two bytes (what, and where), then the data text up to its first zero
// byte.
//
// The steps (content replaced, the definition's too, an item, event or
// other text inserted or removed, exchanges, the items reordered, a batch
// of two) are made through the history; between them, some inputs undo or
// redo one step. Checks,
// besides crashes, sanitizer reports and exceptions:
//   - each step holds bytes; undone at once, the save and the formatter
//     write the bytes they wrote before it; redone, the bytes they wrote
//     after it;
//   - every step undone: the bytes they wrote before the first;
//   - every step redone: the bytes they wrote after the last;
//   - the history is clean exactly where the document was read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/edit_command.h"
#include "document/kept_writer.h"
#include "document/merx_reader.h"
#include "document/undo_history.h"
#include "fuzz_check.h"
#include "pattern/editor_matchers.h"

namespace {

std::string Bytes(const CMerxDocument& doc)
{
    const CWriterText kept = CKeptWriter(doc).WriteDocument();
    const CWriterText formatted = CMerxWriter(doc).WriteDocument();
    return std::string(kept.GetBuffer(), kept.GetLength()) + '\0' +
           std::string(formatted.GetBuffer(), formatted.GetLength());
}

// One step chosen by `what`, placed by `where`; null when it changes
// nothing.
CEditCommandPtr Step(CMerxDocument& doc, uint8_t what, uint8_t where)
{
    const uint32_t items = doc.itemdata.GetCount();
    const uint32_t events = doc.eventdata.GetCount();
    const uint32_t places = doc.setdata.GetCount();
    switch (what % 11) {
    case 0:
        if (items) {
            Citemstruct content(doc.itemdata[where % items]);
            content.SetField(doc.itemkeys[where % doc.itemkeys.GetCount()], (where & 1) ? "v" : "");
            return ReplaceContent(doc, doc.itemdata[where % items], content);
        }
        return nullptr;
    case 1:
        if (events > 1 && (where & 0x80))
            return ExchangeEvents(doc, where % events, (where / 7u) % events);
        if (events) {
            Ceventstruct content;
            content.SetField("code", "c");
            return ReplaceContent(doc, doc.eventdata[where % events], content);
        }
        return nullptr;
    case 2: {
        CMERX_base& element = *doc.setdata[where % places];
        if (element.GetKind() == CMERX_TYPE_DEFINE) {
            Cdefinestruct define;
            define.text.Assign("@@DEFINE\ntype1 b\n");
            return ReplaceContent(doc, element, define);
        }
        if (element.GetKind() == CMERX_TYPE_OTHER || element.GetKind() == CMERX_TYPE_SINGLE) {
            Cotherstruct other;
            other.text.Assign("# x\n");
            Csinglestruct function;
            function.text.Assign("sub x {}\n");
            return ReplaceContent(doc, element,
                                  element.GetKind() == CMERX_TYPE_OTHER ? static_cast<CMERX_base&>(other) : function);
        }
        return nullptr;
    }
    case 3:
        return InsertItem(doc, where % (items + 1), where % (places + 1), items ? &doc.itemdata[where % items] : nullptr);
    case 4:
        return InsertEvent(doc, where % (events + 1), where % (places + 1), nullptr);
    case 5: {
        Cotherstruct content;
        content.text.Assign("\n# head\n");
        return InsertOther(doc, where % (places + 1), &content);
    }
    case 6:
        return RemoveElement(doc, *doc.setdata[where % places]);
    case 7:
        return items > 1 ? ExchangeItems(doc, where % items, (where / 7u) % items) : nullptr;
    case 8:
        return places > 1 ? ExchangeNeighbours(doc, where % (places - 1)) : nullptr;
    case 9: {
        std::vector<Citemstruct*> order;
        for (Citemstruct& item : doc.itemdata)
            order.insert(order.begin() + (order.empty() ? 0 : where % (order.size() + 1)), &item);
        return ReorderItems(doc, order);
    }
    default: {
        auto batch = std::make_unique<CEditBatch>();
        batch->Add(Step(doc, static_cast<uint8_t>(where), static_cast<uint8_t>(where * 7 + 1)));
        batch->Add(Step(doc, static_cast<uint8_t>(where / 3), static_cast<uint8_t>(where + 3)));
        return batch->IsEmpty() ? nullptr : CEditCommandPtr(std::move(batch));
    }
    }
}

void Run(const uint8_t* data, size_t size)
{
    const uint8_t rule = data[0];
    const size_t steps = data[1] % 16;
    if (size < 2 + 2 * steps)
        return;
    const std::string text(reinterpret_cast<const char*>(data + 2 + 2 * steps), size - 2 - 2 * steps);
    CMerxDocument doc;
    doc.RebuildKeyLists((rule & 1) != 0, (rule & 2) != 0);
    Expect(CMerxReader(doc).Parse(text.c_str()), "the reader failed");

    CUndoHistory history;
    const std::string first = Bytes(doc);
    for (size_t i = 0; i < steps; ++i) {
        const uint8_t what = data[2 + 2 * i];
        const uint8_t where = data[3 + 2 * i];
        if (what >= 0xF0) { // some inputs go back and forth between steps
            if (what & 1)
                history.Redo(doc);
            else
                history.Undo(doc);
            continue;
        }
        const std::string before = Bytes(doc);
        CEditCommandPtr step = Step(doc, what, where);
        if (!step)
            continue;
        const std::string after = Bytes(doc);
        Expect(step->Bytes() > 0, "a step holds no bytes");
        // Each step at once taken back and done again.
        step->Undo(doc);
        if (Bytes(doc) != before) {
            std::fprintf(stderr, "step %zu (%u, %u)\nbefore:\n%s\nundone:\n%s\n", i, what, where, before.c_str(),
                         Bytes(doc).c_str());
            Fail("a step undone does not give back what the document wrote");
        }
        step->Redo(doc);
        if (Bytes(doc) != after) {
            std::fprintf(stderr, "step %zu (%u, %u)\nbefore:\n%s\nundone:\n%s\n", i, what, where, after.c_str(),
                         Bytes(doc).c_str());
            Fail("a step redone does not give back what the document wrote after it");
        }
        history.Push(std::move(step), "step");
    }
    // The last state the history holds: steps taken back last are done
    // again.
    while (history.CanRedo())
        history.Redo(doc);
    const std::string last = Bytes(doc);
    while (history.CanUndo())
        history.Undo(doc);
    Expect(history.IsClean(), "the history is not clean where the document was read");
    if (Bytes(doc) != first) {
        std::fprintf(stderr, "before:\n%s\nundone:\n%s\n", first.c_str(), Bytes(doc).c_str());
        Fail("every step undone, the document does not write what it wrote");
    }
    while (history.CanRedo())
        history.Redo(doc);
    if (Bytes(doc) != last) {
        std::fprintf(stderr, "before:\n%s\nundone:\n%s\n", last.c_str(), Bytes(doc).c_str());
        Fail("every step redone, the document does not write what it wrote after them");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterEditorMatchers();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("undo_fuzzer", &input);
    try {
        Run(data, size);
    } catch (...) {
        Fail("an exception left a step or the history");
    }
    return 0;
}
