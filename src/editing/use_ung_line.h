// Conditions and rewards of a use entry: use, need and get lines, stored
// as kind, count, item name, probability and message joined by tabs.
//
// The item combo shows "このアイテム" for the item's own name, and the
// probability edit shows the number without the "%" that saving appends.
// A control the user left alone gives back its column as it was stored
// (a kind "USE" or an unknown word, a probability without "%"); an edited
// control is checked and normalised: an empty count becomes 1, "このアイテム"
// becomes the item's name, an item number becomes the name of the item with
// that number, a probability gets its "%". The file separates the columns
// by blanks and "#" begins a comment there: an edited item or message
// holding either is refused, an edited line gets a count when it has none,
// and it is refused without an item or with a message but no probability.
#pragma once

#include <cstdint>

#include "document/merx_document.h"
#include "foundation/str_base.h"

constexpr uint32_t kUngColumns = 5;

// The kinds of the kind combo, in its order.
extern const char* const g_aszUngKinds[3];

struct CUngControls {
    int32_t kind = -1; // index in the kind combo; -1 for a word it does not list
    CStr_base<64> count, item, rate, message;
};

// The line's label: every tab turned into a space.
CStr_base<64> UngLabel(const char* entry);

// Fills the controls from a line; `itemName` is the item's name as the
// name edit holds it. Missing columns show empty; the message column takes
// everything after the fourth tab.
void ShowUngLine(const char* entry, const char* itemName, CUngControls& controls);

// Reads the controls back into `entry` (see above); without `shown` every
// control counts as edited (a line just added). Appends one line per
// refused control to `errors` and returns false, leaving `entry` alone.
bool ReadBackUngLine(const CUngControls* shown, const CUngControls& now, const CMerxDocument& doc,
                     const char* itemName, CStr_base<64>& entry, CStr_base<1024>& errors);
