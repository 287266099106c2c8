#include "editing/use_scripts.h"

#include <cstring>
#include <string_view>

#include "document/backslash_completion.h"
#include "document/reopen_check.h"
#include "editing/trimmed_text.h"

namespace {

constexpr char kLocal[] = "_local_";
constexpr char kLocalBlockStart[] = "_local_\r\n";
constexpr uint32_t kLocalBlockStartLength = sizeof kLocalBlockStart - 1;

} // namespace

const char* UseScriptKey(int32_t index, bool beta)
{
    static const char* const kBeta[] = {"func", "funci", "funcb"};
    static const char* const kStable[] = {"func", "funcb"};
    if (index < 0)
        return nullptr;
    if (beta)
        return index < 3 ? kBeta[index] : nullptr;
    return index < 2 ? kStable[index] : nullptr;
}

void ShowScriptValue(const char* value, CUseScriptControls& controls)
{
    if (std::strncmp(value, kLocalBlockStart, kLocalBlockStartLength) == 0) {
        controls.reference.Assign(kLocal);
        controls.body.Assign(value + kLocalBlockStartLength);
        return;
    }
    controls.reference.Assign(value);
    controls.body.Release();
}

void UseScriptChoices(const Citemstruct& item, const char* key, const CStrArray_base<64>& declared,
                      CStrArray_base<64>& choices)
{
    choices.RemoveAll();
    choices.Add();
    choices.Add()->Assign(kLocal);
    uint32_t number = 0;
    for (const Cusestruct& use : item.uses) {
        ++number;
        const CMerxString* value = use.GetField(key);
        if (value && std::strncmp(value->GetBuffer(), "_local_\r", 8) == 0)
            choices.Add()->Format("_local_%u", number);
    }
    for (const CStr_base<64>& name : declared)
        choices.Add()->Assign(name);
}

bool ReadBackUseScript(const CUseScriptControls& shown, const CUseScriptControls& now, const char* key,
                       int32_t escapeMode, CYesNoQuestion& question, CStr_base<64>& value, CStr_base<1024>& errors)
{
    if (shown.reference == now.reference && shown.body == now.body)
        return true;
    CStr_base<64> reference = TrimmedText(now.reference);
    // Script lines typed under an empty reference make a block of their own.
    if (reference.IsEmpty() && !now.body.IsEmpty() && !(now.body == shown.body))
        reference.Assign(kLocal);
    if (std::string_view(reference.GetBuffer(), reference.GetLength()) != kLocal) {
        value = reference;
        return true;
    }
    CStr_base<16384> body(now.body);
    CStr_base<64> label("@@USE::");
    label.Append(key);
    if (!CheckScriptLines(label.GetBuffer(), body.GetBuffer(), body.GetLength(), errors))
        return false;
    CompleteBackslashes(body, escapeMode, question);
    value.Assign(kLocalBlockStart);
    value.Append(body);
    return true;
}
