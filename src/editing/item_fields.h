// The item's own fields as the item page shows them, and read back.
//
// The page puts the fields into its controls with ShowItemFields and, on
// apply, gives ReadBackItemFields both what it showed and what the controls
// hold now. A field whose controls still hold what was shown keeps its
// stored text byte for byte: browsing never rewrites an item. A field the
// user edited is read back by its rule: "limit" and "base" are joined from
// their two edits, "flag" from its six boxes, "no", "code" and "name" must
// not be empty; each broken rule adds its line to the error text, and
// nothing stops the read-back early.
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "foundation/str_base.h"

constexpr uint32_t kItemFlagCount = 6;

// The flag names of the six boxes, in the order they are joined.
extern const char* const g_aszItemFlagNames[kItemFlagCount];

// What the item's controls hold: the edits and the type combo's text, the
// two halves of "limit" and "base", and the flag boxes.
struct CItemFieldControls {
    CStr_base<64> no, type, code, name, info, price;
    CStr_base<64> limitStock, limitMarket; // 倉庫最大数, 市場最大数
    CStr_base<64> pop, scale, plus;
    CStr_base<64> baseCount, baseHalf;     // 基準数, 半額数
    CStr_base<64> cost, point;
    bool flags[kItemFlagCount] = {};
    // Set in what a new item showed: every field counts as edited, so that
    // its first apply gives its fields their rules ("limit" its default).
    bool allEdited = false;
};

// Fills `controls` from the item. Without a "flag" key the boxes are left
// as they are.
void ShowItemFields(const Citemstruct& item, CItemFieldControls& controls);

// Reads `now` back into the item (see above); `shown` is what
// ShowItemFields gave. Appends one line per broken rule to `errors` and
// returns whether there was none.
bool ReadBackItemFields(const CItemFieldControls& shown, const CItemFieldControls& now, Citemstruct& item,
                        CStr_base<1024>& errors);

// The fields an item must not leave empty ("no", "code", "name"), checked
// in a whole item's text as the direct edit reads it: as on the page, a
// field is checked when its text is not what it was `before`. Appends
// "[1]：@@ITEM：" and the field's message for each one emptied, and returns
// whether there was none.
bool CheckRequiredItemFields(const Citemstruct& before, const Citemstruct& item, CStr_base<1024>& errors);

// The two halves of a "limit" or "base" value: the text before the first
// "/" and the text between it and the next (or the end); further parts are
// not shown.
void SplitSlashPair(const char* value, CStr_base<64>& first, CStr_base<64>& second);
