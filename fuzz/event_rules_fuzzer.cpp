// libFuzzer target for the event page's text rules: the events of any
// document shown in their controls and read back, texts typed into the
// controls, the group codes, and new and copied events.
//
// Input: two texts separated by a zero byte: a data text and a text typed
// into the reference combo, the script edit and the param controls
// (missing ones are empty).
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - controls that still hold what was shown give every field, script and
//     param line back byte for byte;
//   - an accepted script that opens a block holds no line that closes it;
//   - every group code is listed once;
//   - new and copied events go into both views, before "@@END".
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "fuzz_check.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/reopen_check.h"
#include "editing/event_fields.h"
#include "editing/event_groups.h"
#include "editing/event_list_edit.h"
#include "editing/event_params.h"
#include "editing/event_scripts.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

class CNo : public CYesNoQuestion {
public:
    bool AskYesNo(const char*) override { return false; }
};

template <class A, class B>
bool Same(const A& a, const B& b)
{
    return a.GetLength() == b.GetLength() && std::memcmp(a.GetBuffer(), b.GetBuffer(), a.GetLength()) == 0;
}

void CheckEvent(Ceventstruct& event, const char* typed)
{
    const Ceventstruct before = event;
    CEventFieldControls fields;
    ShowEventFields(event, fields);
    CStr_base<1024> errors;
    Expect(ReadBackEventFields(fields, fields, event, errors), "unchanged fields were refused");
    for (auto [key, value] : before.fields)
        Expect(Same(value, *event.fields.Lookup(key)), "an unchanged field changed");

    for (CStr_base<64>& line : event.params) {
        const CStr_base<64> stored = line;
        CParamControls shown;
        if (!ShowParamLine(line.GetBuffer(), shown))
            continue;
        ReadBackParamLine(shown, shown, line);
        Expect(Same(stored, line), "an unchanged param line changed");
    }

    CNo no;
    for (const char* key : g_aszEventScriptKeys) {
        CMerxString* value = event.fields.Lookup(key);
        if (!value)
            continue;
        const CMerxString stored = *value;
        CEventScriptControls shown;
        ShowEventScript(value->GetBuffer(), shown);
        Expect(ReadBackEventScript(shown, shown, key, 2, no, *value, errors), "an unchanged script was refused");
        Expect(Same(stored, *value), "an unchanged script changed");

        CEventScriptControls now;
        now.reference.Assign(typed);
        now.body.Assign(typed);
        CMerxString edited = stored;
        if (ReadBackEventScript(shown, now, key, 2, no, edited, errors) &&
            IsEventBlockReference(now.reference.GetBuffer())) {
            const int32_t lineEnd = edited.Find("\r\n");
            Expect(lineEnd >= 0, "a block was stored without its line end");
            if (lineEnd >= 0) {
                const char* body = edited.GetBuffer() + lineEnd + 2;
                Expect(FindLocalClosingLine(body, static_cast<uint32_t>(std::strlen(body))) == 0,
                       "an accepted script closes its block early");
            }
        }
    }
}

void CheckLists(CMerxDocument& doc)
{
    CStrArray_base<64> groups;
    CollectEventGroups(doc, groups);
    std::set<std::string> seen;
    for (const CStr_base<64>& group : groups)
        Expect(seen.insert(std::string(group.GetBuffer(), group.GetLength())).second, "a group code is listed twice");

    const uint32_t events = doc.eventdata.GetCount();
    const Ceventstruct* added = static_cast<Ceventstruct*>(doc.FindByIdentity(InsertNewEvent(doc, FindInsertPlace(doc, doc.eventdata, false, -1))->ElementId()));
    Expect(doc.eventdata.GetCount() == events + 1, "the new event is not in the list");
    Expect(doc.FindInArrangement(added) >= 0, "the new event is not in the arrangement");
    const Ceventstruct source = doc.eventdata[0];
    const Ceventstruct* copy = static_cast<Ceventstruct*>(doc.FindByIdentity(InsertEventCopy(doc, FindInsertPlace(doc, doc.eventdata, true, 0), source)->ElementId()));
    Expect(&doc.eventdata[0] == copy, "the copy is not before the shown event");
    Expect(doc.FindInArrangement(copy) >= 0, "the copy is not in the arrangement");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("event_rules_fuzzer", &input);
    const size_t zero = input.find('\0');
    const std::string text = input.substr(0, zero);
    const std::string typed = zero == std::string::npos ? std::string() : input.substr(zero + 1);
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(text.c_str());
        for (Ceventstruct& event : doc.eventdata)
            CheckEvent(event, typed.c_str());
        CheckLists(doc);
    } catch (...) {
        Fail("an exception left the event rules");
    }
    return 0;
}
