// An event's own fields as the event page shows them, and read back.
//
// Each field has one control; "group" is the text of an editable combo.
// A field whose control still holds what was shown keeps its stored text
// byte for byte; an edited one is taken as typed, except that "code" must
// not be empty.
#pragma once

#include <cstdint>

#include "document/event_struct.h"
#include "foundation/str_base.h"

constexpr uint32_t kEventFieldCount = 8;

// start, basetime, plustime, code, group, startmsg, endmsg, info: the
// order of the read-back.
extern const char* const g_aszEventFieldKeys[kEventFieldCount];

struct CEventFieldControls {
    CStr_base<64> fields[kEventFieldCount];
};

void ShowEventFields(const Ceventstruct& event, CEventFieldControls& controls);

// Reads `now` back into the event; `shown` is what ShowEventFields gave.
// Appends a line to `errors` for an edited empty code and returns whether
// there was none (the code is stored even then, as on the item page).
bool ReadBackEventFields(const CEventFieldControls& shown, const CEventFieldControls& now, Ceventstruct& event,
                         CStr_base<1024>& errors);

// The code an event must not leave empty, checked in a whole event's text
// as the direct edit reads it: as on the page, only when it was not empty
// `before`. Appends "[1]：@@EVENT：" and the code's message when it was
// emptied, and returns whether it was not.
bool CheckRequiredEventFields(const Ceventstruct& before, const Ceventstruct& event, CStr_base<1024>& errors);

// The event's line in the list: its "startmsg", or its "code" when that is
// empty.
CStr_base<64> EventLabel(const Ceventstruct& event);
