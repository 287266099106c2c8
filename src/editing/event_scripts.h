// The script texts of an event ("startfunc", "endfunc", "func"): a
// reference (empty, "stock_le", "stock_ge", a function name, any text) or a
// block: "_local_" or "_local_(arguments)", CR LF, then the script lines.
//
// The event page shows the first line in its reference combo and the rest
// in the script edit. Texts the user did not edit keep their bytes; an
// edited one is read back: the reference trimmed of white space, and when
// it is "_local_" with or without arguments the script lines follow it,
// refused when one would close the block early and completed with the
// missing "\" after double-byte characters.
#pragma once

#include <cstdint>

#include "document/yes_no_question.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"

extern const char* const g_aszEventScriptKeys[3]; // startfunc, endfunc, func

struct CEventScriptControls {
    CStr_base<64> reference;
    CStr_base<16384> body;
};

void ShowEventScript(const char* value, CEventScriptControls& controls);

// Whether a reference opens a block: "_local_", or "_local_" with an
// argument list in parentheses and nothing after it.
bool IsEventBlockReference(const char* reference);

// The reference combo's entries: an empty entry, "_local_", "stock_le",
// "stock_ge", then the `declared` function names.
void EventScriptChoices(const CStrArray_base<64>& declared, CStrArray_base<64>& choices);

// Reads the controls back into `value` (see above); `escapeMode` is the
// 0x5C completion mode of the pages. Appends a line to `errors` and returns
// false, leaving `value` alone, when the script cannot be stored.
bool ReadBackEventScript(const CEventScriptControls& shown, const CEventScriptControls& now, const char* key,
                         int32_t escapeMode, CYesNoQuestion& question, CStr_base<64>& value, CStr_base<1024>& errors);
