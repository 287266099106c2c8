// A use entry's own fields as the use box shows them, and read back.
//
// The plain fields go to one edit each; "param" is split over four edits
// and "arg" over its option boxes, the number edit and the select mode.
// As on the item side, a field (the four param edits, the arg controls)
// that still holds what was shown keeps its stored text byte for byte; an
// edited one is joined by its rule. Use fields are taken as typed, with one
// exception: the "argselect" heading is refused when it holds ";" or "#",
// which would break the argselect line of the file.
#pragma once

#include <cstdint>

#include "document/use_struct.h"
#include "foundation/str_base.h"

constexpr uint32_t kUseFieldCount = 13;
constexpr uint32_t kUseParamCount = 4;

// The plain fields in the order of their edits: name, price, time, exptime,
// exp, scale, info, action, argmessage, argselect, okmsg, ngmsg, needexp.
extern const char* const g_aszUseFieldKeys[kUseFieldCount];

// The select modes of the mode combo: 標準, ラジオ, リスト.
enum : int32_t { kArgSelectPlain = 0, kArgSelectRadio = 1, kArgSelectList = 2 };

struct CUseFieldControls {
    CStr_base<64> fields[kUseFieldCount];
    CStr_base<64> params[kUseParamCount];
    bool target = false, nocount = false, message = false, select = false;
    CStr_base<64> messageNumber;
    int32_t selectMode = kArgSelectPlain;
};

// Fills `controls` from the entry; a field the entry lacks shows empty.
void ShowUseFields(const Cusestruct& use, CUseFieldControls& controls);

// Reads `now` back into the entry; `shown` is what ShowUseFields gave (as
// the controls gave it back). Appends one line per refused field to
// `errors` (that field keeps its stored text) and returns whether there was
// none.
bool ReadBackUseFields(const CUseFieldControls& shown, const CUseFieldControls& now, Cusestruct& use,
                       CStr_base<1024>& errors);

// "param" from its four parts: trailing empty parts are left out, inner
// ones kept (a, "", c, "" gives "a,,c").
CStr_base<64> JoinUseParams(const CStr_base<64> (&params)[kUseParamCount]);
// "arg" from the option controls: target, nocount, message[N], select and
// radio or list, joined with "|".
CStr_base<64> JoinUseArg(const CUseFieldControls& controls);
