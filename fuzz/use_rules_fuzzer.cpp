// libFuzzer target for the use box's text rules: the use entries of any
// document shown in their controls and read back, lines typed into the
// controls, the script lines that would close a block, the functions a
// block declares, and the list operations on use entries.
//
// Input: three texts separated by zero bytes: a data text, a text typed
// into every control of a use/need/get line, job and argselect entry, and
// a script text (missing ones are empty).
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - controls that still hold what was shown give every field and entry
//     back byte for byte;
//   - an accepted use/need/get line read from its controls as a whole has
//     no blank or "#" in a column and no empty column before a filled one,
//     so that it reads back from the file as it was stored;
//   - an accepted script read back holds no line that closes its block;
//   - removing and exchanging use entries keeps every "_local_N" reference
//     pointing at an entry of the item.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "document/declared_subs.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/reopen_check.h"
#include "editing/use_argselect.h"
#include "editing/use_fields.h"
#include "editing/use_job.h"
#include "editing/use_list_edit.h"
#include "editing/use_scripts.h"
#include "editing/use_ung_line.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

class CNo : public CYesNoQuestion {
public:
    bool AskYesNo(const char*) override { return false; }
};

template <class T>
void ExpectKept(const T& before, const T& after, const char* what)
{
    Expect(before.GetLength() == after.GetLength() &&
               std::memcmp(before.GetBuffer(), after.GetBuffer(), before.GetLength()) == 0,
           what);
}

void CheckUngColumns(const CStr_base<64>& line)
{
    bool emptySeen = false;
    const char* at = line.GetBuffer();
    for (uint32_t column = 0; column < kUngColumns; ++column) {
        const char* tab = column + 1 < kUngColumns ? std::strchr(at, '\t') : nullptr;
        const size_t length = tab ? static_cast<size_t>(tab - at) : std::strlen(at);
        const std::string text(at, length);
        Expect(text.find_first_of(" \t#") == std::string::npos, "an accepted column holds a blank or \"#\"");
        Expect(!(emptySeen && length > 0), "an accepted line has an empty column before a filled one");
        emptySeen = emptySeen || length == 0;
        if (!tab)
            break;
        at = tab + 1;
    }
}

void CheckUse(const CMerxDocument& doc, Cusestruct& use, const char* typed, const char* itemName)
{
    CUseFieldControls fields;
    ShowUseFields(use, fields);
    const Cusestruct before = use;
    CStr_base<1024> errors;
    Expect(ReadBackUseFields(fields, fields, use, errors), "unchanged use fields were refused");
    for (auto [key, value] : before.fields)
        ExpectKept(value, *use.fields.Lookup(key), "an unchanged use field changed");

    if (CStrArray_base<64>* jobs = use.GetList("job")) {
        for (CStr_base<64>& entry : *jobs) {
            const CStr_base<64> stored = entry;
            CJobControls shown;
            ShowJobEntry(entry.GetBuffer(), shown);
            Expect(ReadBackJobEntry(shown, shown, entry, errors), "an unchanged job was refused");
            ExpectKept(stored, entry, "an unchanged job changed");
            Expect(!JobLabel(entry.GetBuffer()).IsEmpty(), "a job without a label");
            CJobControls now;
            now.name.Assign(typed);
            now.param.Assign(typed);
            CStr_base<64> edited = entry;
            if (ReadBackJobEntry(shown, now, edited, errors))
                Expect(!std::strpbrk(edited.GetBuffer(), "#"), "an accepted job holds \"#\"");
        }
    }
    if (CStrArray_base<64>* choices = use.GetList("argselect")) {
        for (CStr_base<64>& entry : *choices) {
            const CStr_base<64> stored = entry;
            CArgselectControls shown;
            ShowArgselectEntry(entry.GetBuffer(), shown);
            Expect(ReadBackArgselectEntry(shown, shown, entry, errors), "an unchanged choice was refused");
            ExpectKept(stored, entry, "an unchanged choice changed");
        }
    }
    if (CStrArray_base<64>* lines = use.GetList("ung")) {
        for (CStr_base<64>& entry : *lines) {
            const CStr_base<64> stored = entry;
            CUngControls shown;
            ShowUngLine(entry.GetBuffer(), itemName, shown);
            Expect(ReadBackUngLine(&shown, shown, doc, itemName, entry, errors), "an unchanged line was refused");
            ExpectKept(stored, entry, "an unchanged line changed");
            CUngControls typedControls = shown;
            typedControls.count.Assign(typed);
            typedControls.item.Assign(typed);
            typedControls.rate.Assign(typed);
            typedControls.message.Assign(typed);
            CStr_base<64> whole = entry;
            if (ReadBackUngLine(nullptr, typedControls, doc, itemName, whole, errors))
                CheckUngColumns(whole);
        }
    }
}

void CheckScript(Citemstruct& item, const char* script)
{
    CUseScriptControls shown, now;
    now.reference.Assign("_local_");
    now.body.Assign(script);
    CStr_base<64> value;
    CStr_base<1024> errors;
    CNo no;
    if (ReadBackUseScript(shown, now, "func", 2, no, value, errors))
        Expect(FindLocalClosingLine(value.GetBuffer() + 9, value.GetLength() - 9) == 0,
               "an accepted script closes its block early");
    CStrArray_base<64> declared, choices;
    FindDeclaredSubs(script, declared);
    UseScriptChoices(item, "func", declared, choices);
    Expect(choices.GetCount() >= 2 + declared.GetCount(), "the reference choices lost an entry");
}

// A reference written with a leading zero ("_local_01") is written anew
// when it is renumbered.
bool HasLeadingZero(const CMerxString* value)
{
    return value && value->GetLength() > 8 && std::strncmp(value->GetBuffer(), "_local_0", 8) == 0;
}

void CheckReferences(Citemstruct& item)
{
    const uint32_t count = item.uses.GetCount();
    const char* const keys[] = {"func", "funci", "funcb"};
    if (count >= 2) {
        const Citemstruct before = item;
        ExchangeUseEntries(item, 0, count - 1);
        ExchangeUseEntries(item, 0, count - 1);
        for (uint32_t i = 0; i < count; ++i) {
            for (const char* key : keys) {
                const CMerxString* was = before.uses[i].GetField(key);
                const CMerxString* now = item.uses[i].GetField(key);
                if (was && now && !HasLeadingZero(was))
                    ExpectKept(*was, *now, "exchanging two entries twice changed a script");
            }
        }
    }
    if (count > 0) {
        const bool borrowed = IsUseScriptBorrowed(item, 0);
        Expect(RemoveUseEntry(item, 0) != borrowed, "a borrowed entry was removed, or a free one kept");
        Expect(item.uses.GetCount() == (borrowed ? count : count - 1), "the entry count is wrong");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("use_rules_fuzzer", &input);
    const std::vector<std::string> parts = FuzzParts(input, 3);
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(parts[0].c_str());
        for (Citemstruct& item : doc.itemdata) {
            const CMerxString* name = item.GetField("name");
            for (Cusestruct& use : item.uses)
                CheckUse(doc, use, parts[1].c_str(), name ? name->GetBuffer() : "");
            CheckScript(item, parts[2].c_str());
            CheckReferences(item);
        }
        if (doc.itemdata.GetCount() == 0) {
            Citemstruct empty;
            CheckScript(empty, parts[2].c_str());
        }
    } catch (...) {
        Fail("an exception left the use rules");
    }
    return 0;
}
