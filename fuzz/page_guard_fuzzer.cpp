// libFuzzer target for the guard that page applies and direct edits pass
// before they store an item or an event, and for the delete question's
// count of what names an item.
//
// Input: three texts separated by zero bytes: a data text, the text of an
// item as a direct edit would give it, and the text of an event (missing
// ones are empty). Each edited text is read as the direct edit reads it
// and guarded against the document's first item or event.
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - what the guard lets through comes back from the file as it is stored
//     (it survives a save and a reopen), also after the guard took what
//     the file gives back;
//   - an edit that writes as the stored element writes is never refused;
//   - a refusal has lines, each beginning with a number in brackets, and
//     numbering them as typed keeps their count;
//   - the required-field check refuses exactly when it says why;
//   - counting the references to an item's name changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/element_reader.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/reopen_check.h"
#include "fuzz_check.h"
#include "editing/event_fields.h"
#include "editing/item_fields.h"
#include "editing/item_rename.h"
#include "editing/reopen_guard.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

uint32_t CountLines(const CStr_base<1024>& text)
{
    uint32_t lines = 0;
    for (uint32_t i = 0; i < text.GetLength(); ++i)
        lines += text.GetBuffer()[i] == '\n';
    return lines;
}

void CheckRefusal(const CStr_base<1024>& errors, const char* written, const char* typed)
{
    Expect(!errors.IsEmpty(), "a refusal without a reason");
    const char* text = errors.GetBuffer();
    for (const char* line = text; *line; line = std::strchr(line, '\n') + 1) {
        Expect(std::strchr(line, '\n') != nullptr, "a reason line without its line end");
        Expect(*line == '[', "a reason line without its number");
    }
    Expect(CountLines(NumberedAsTyped(errors, written, typed)) == CountLines(errors),
           "numbering as typed changed the number of lines");
}

bool Parse(const CMerxDocument& doc, const char* text, Citemstruct& out)
{
    CStr_base<1024> messages;
    uint32_t line = 0;
    return CElementReader(doc, messages).ParseItem(out, text, line) && messages.IsEmpty();
}

bool Parse(const CMerxDocument& doc, const char* text, Ceventstruct& out)
{
    CStr_base<1024> messages;
    uint32_t line = 0;
    return CElementReader(doc, messages).ParseEvent(out, text, line) && messages.IsEmpty();
}

template <class T>
void CheckGuard(const CMerxDocument& doc, const T& stored, const char* typed)
{
    T edited;
    if (!Parse(doc, typed, edited))
        return;
    const CMerxWriter writer(doc);
    const bool same = writer.WriteElement(edited) == writer.WriteElement(stored);
    CStr_base<1024> errors;
    const CReopenGuard guard = GuardReopen(doc, stored, edited, errors);
    if (guard == CReopenGuard::kRefused) {
        Expect(!same, "an edit that changed nothing was refused");
        CheckRefusal(errors, writer.WriteElement(edited).GetBuffer(), typed);
        return;
    }
    Expect(errors.IsEmpty(), "a guard that let the edit through gave reasons");
    Expect(same || SurvivesReopen(doc, edited), "the guard let through what does not come back");
    Expect(guard != CReopenGuard::kNormalised || SurvivesReopen(doc, edited),
           "what the file gives back does not come back");
}

void CheckRequired(const Citemstruct& before, const Citemstruct& after)
{
    CStr_base<1024> errors;
    Expect(CheckRequiredItemFields(before, after, errors) == errors.IsEmpty(), "an item refusal without a reason");
}

void CheckRequired(const Ceventstruct& before, const Ceventstruct& after)
{
    CStr_base<1024> errors;
    Expect(CheckRequiredEventFields(before, after, errors) == errors.IsEmpty(), "an event refusal without a reason");
}

template <class T>
void CheckRequiredOf(const CMerxDocument& doc, const T& stored, const char* typed)
{
    T edited;
    if (Parse(doc, typed, edited))
        CheckRequired(stored, edited);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("page_guard_fuzzer", &input);
    const std::vector<std::string> parts = FuzzParts(input, 3);
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(parts[0].c_str());
        const CWriterText before = CMerxWriter(doc).WriteDocument();
        if (doc.itemdata.GetCount() > 0) {
            const Citemstruct& item = *doc.itemdata.GetAt(0);
            CheckGuard(doc, item, parts[1].c_str());
            CheckRequiredOf(doc, item, parts[1].c_str());
            CountItemReferences(doc, item.FieldText("name"));
        }
        if (doc.eventdata.GetCount() > 0) {
            const Ceventstruct& event = *doc.eventdata.GetAt(0);
            CheckGuard(doc, event, parts[2].c_str());
            CheckRequiredOf(doc, event, parts[2].c_str());
        }
        Expect(CMerxWriter(doc).WriteDocument() == before, "checking changed the document");
    } catch (...) {
        Fail("an exception left the page guard");
    }
    return 0;
}
