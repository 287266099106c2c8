// The script texts of a use entry ("func", "funci", "funcb"): each is a
// reference (one line: empty, a function name, or "_local_" and the number
// of the use entry whose script of the same key it borrows) or a local
// block: "_local_", CR LF, then the script lines.
//
// The use box shows a value as a reference in the reference combo, and a
// block as "_local_" there with its lines in the script edit. A value whose
// two controls the user left alone keeps its text; an edited one is read
// back from them: the reference trimmed of white space, or for "_local_"
// (or an empty reference under newly typed lines) the script lines, refused when one of them would close the block early
// and completed with the missing "\" after double-byte characters.
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "document/yes_no_question.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"

// The key that entry `index` of the use func combo stands for: func, funci,
// funcb with a beta rule, func, funcb with a stable one; null otherwise.
const char* UseScriptKey(int32_t index, bool beta);

struct CUseScriptControls {
    CStr_base<64> reference;
    CStr_base<16384> body;
};

void ShowScriptValue(const char* value, CUseScriptControls& controls);

// The reference combo's entries for `key`: an empty entry, "_local_",
// "_local_N" for every use entry N (from 1) of the item whose value of
// `key` is a local block, then the `declared` function names.
void UseScriptChoices(const Citemstruct& item, const char* key, const CStrArray_base<64>& declared,
                      CStrArray_base<64>& choices);

// Reads the controls back into `value` (see above); `escapeMode` is the
// 0x5C completion mode of the pages. Appends a line to `errors` and returns
// false, leaving `value` alone, when the script cannot be stored.
bool ReadBackUseScript(const CUseScriptControls& shown, const CUseScriptControls& now, const char* key,
                       int32_t escapeMode, CYesNoQuestion& question, CStr_base<64>& value, CStr_base<1024>& errors);
