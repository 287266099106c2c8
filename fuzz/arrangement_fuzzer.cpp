// libFuzzer target for the arrangement page's rules: other texts stored
// only when they read back in their place, and moves that never lose an
// element.
//
// Input: two texts separated by a zero byte: a data text and a text typed
// into the detail box of every other text (missing ones are empty).
// Besides crashes, sanitizer reports and exceptions, the target checks that
// after every accepted change (a stored other text, a move) the document,
// written and read again, holds as many items, events and other texts as
// before and the definition's types: no element is lost or split.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "document/data_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "editing/arrangement_rules.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

struct Counts {
    uint32_t items = 0, events = 0, others = 0, types = 0;
    bool operator==(const Counts&) const = default;
};

Counts CountsOf(const CMerxDocument& doc)
{
    return {doc.itemdata.GetCount(), doc.eventdata.GetCount(), doc.otherdata.GetCount(),
            doc.definedata.types.GetCount()};
}

// The counts of `doc` after a save and a reopen; other texts side by side
// are read back as one, so they are not compared.
void ExpectReadBack(const CMerxDocument& doc, const char* what)
{
    const CWriterText text = CMerxWriter(doc).WriteDocument();
    CMerxDocument again;
    again.RebuildKeyLists(doc.IsBeta(), doc.IsIncludeAsElement());
    CMerxReader(again).Parse(text.GetBuffer());
    Counts before = CountsOf(doc), after = CountsOf(again);
    before.others = after.others = 0;
    Expect(before == after, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("arrangement_fuzzer", &input);
    const size_t zero = input.find('\0');
    const std::string text = input.substr(0, zero);
    const std::string typed = zero == std::string::npos ? std::string() : input.substr(zero + 1);
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(text.c_str());
        // The file as read must read back as itself before anything changes.
        const Counts read = CountsOf(doc);
        {
            const CWriterText written = CMerxWriter(doc).WriteDocument();
            CMerxDocument again;
            again.RebuildKeyLists(true, false);
            CMerxReader(again).Parse(written.GetBuffer());
            if (!(CountsOf(again) == read))
                return 0; // a file the writer does not keep as it is; not this target's concern
        }
        for (uint32_t i = 0; i < doc.setdata.GetCount(); ++i) {
            if (doc.setdata[i]->GetKind() != CMERX_TYPE_OTHER)
                continue;
            CStr_base<1024> reason;
            if (StoreOtherText(doc, static_cast<Cotherstruct&>(*doc.setdata[i]), CStr_base<16384>(typed.c_str()),
                               reason))
                ExpectReadBack(doc, "a stored other text changed the elements on reopen");
        }
        for (uint32_t i = 0; i + 1 < doc.setdata.GetCount() && i < 64; ++i) {
            CStr_base<1024> reason;
            const CWriterText before = CMerxWriter(doc).WriteDocument();
            CEditCommandPtr step;
            if (MoveInArrangement(doc, i, reason, &step) == CArrangementMove::kMoved) {
                ExpectReadBack(doc, "a move changed the elements on reopen");
                const CWriterText moved = CMerxWriter(doc).WriteDocument();
                Expect(step != nullptr, "a move made no step");
                step->Undo(doc);
                Expect(CMerxWriter(doc).WriteDocument() == before, "the move undone is another file");
                step->Redo(doc);
                Expect(CMerxWriter(doc).WriteDocument() == moved, "the move done again is another file");
            } else {
                Expect(CMerxWriter(doc).WriteDocument() == before, "a refused move changed the file");
            }
        }
    } catch (...) {
        Fail("an exception left the arrangement rules");
    }
    return 0;
}
