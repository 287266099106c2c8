// Extension fields of items and use entries: what a rule says of one
// field, and how the field's text is split into the values the
// extension-field dialog shows and joined again from them.
//
// A field's text is made of up to three sub-values (free text or a choice
// from a list), or, for a "CHECK" field, of the keys of the flags that are
// set; a literal separator (or a pattern, for splitting only) stands
// between them.
#pragma once

#include <cstdint>

#include "document/merx_document.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"
#include "pattern/regex_budget.h"
#include "settings/settings_store.h"

// A section of a rule's settings tree.
using CRuleSection = CSettingsSection;

// Type codes of a sub-value slot: the high byte is the control kind (1 flags,
// 2 free text, 3 list), the low byte the list source. 0 = no sub-value.
enum : uint32_t {
    ITEMEX_TYPE_NONE = 0,
    ITEMEX_TYPE_CHECK = 0x100,
    ITEMEX_TYPE_EDIT = 0x200,
    ITEMEX_TYPE_LIST_ITEMNAME = 0x301,
    ITEMEX_TYPE_LIST_ITEMCODE = 0x302,
    ITEMEX_TYPE_LIST_ITEMNO = 0x303,
    ITEMEX_TYPE_LIST_ITEMTYPE = 0x304,
    ITEMEX_TYPE_LIST_JOB = 0x305,
    ITEMEX_TYPE_LIST_EVENTCODE = 0x306,
    ITEMEX_TYPE_LIST_USER = 0x307,
};

constexpr uint32_t kItemExSlotCount = 3;
constexpr uint32_t kItemExFlagCount = 10;

inline bool IsItemExListType(uint32_t type) { return (type >> 8) == 3; }

// One extension field of a rule.
struct ItemExParams {
    CStr_base<64> name;                              // lower case
    uint32_t type[kItemExSlotCount] = {};            // slot type codes
    CStr_base<64> info[kItemExSlotCount];            // slot captions
    // "UserList1" … "UserList3" sections of the rule's tree, or null; valid
    // while that tree is neither reloaded nor cleared.
    const CRuleSection* userList[kItemExSlotCount] = {};
    CStr_base<64> checkInfo[kItemExFlagCount];       // flag captions
    CStr_base<64> checkKey[kItemExFlagCount];        // flag keys
    bool array = false;                              // use rules only: a list of lines
    CStr_base<64> separator;
    CStr_base<64> sepRegexPattern;
    bool regexSep = false;
    CStr_base<64> regexOpt;

    // A "CHECK" field: its first slot is "CHECK".
    bool IsCheck() const { return type[0] == ITEMEX_TYPE_CHECK; }
    // Flag i is used when both its caption and its key are given.
    bool IsFlagUsed(uint32_t i) const { return !checkInfo[i].IsEmpty() && !checkKey[i].IsEmpty(); }
};

// Splits a field's text into its pieces: with regexSep at every match of
// sepRegexPattern (options regexOpt), otherwise at every occurrence of the
// literal separator (never inside a double-byte character; an empty
// separator gives the whole text). Missing pieces are empty: there are
// always at least three. The pattern comes from a rule file and runs under
// `budget` (the default budget of patterns from the user when null); when it
// goes over it, the whole text is the first piece and the answer is false.
bool SplitItemExText(const ItemExParams& params, const char* text, CStrArray_base<64>& pieces,
                     CStrRegexBudget* budget = nullptr);

// The pieces of a field's text as its slots show them: used slots (type not
// 0) take the pieces in order; unused slots are empty.
void SplitItemExSlots(const ItemExParams& params, const char* text, CStr_base<64> (&slots)[kItemExSlotCount]);

// The text of a field from the values of its slots: the values of the used
// slots, in order, joined with the literal separator; the empty text when
// every one of them is empty.
void JoinItemExSlots(const ItemExParams& params, const CStr_base<64> (&slots)[kItemExSlotCount],
                     CStr_base<64>& text);

// The flags of a "CHECK" field: flag i (used flags only) is set when its key
// is one of the tokens of the text split by the literal separator.
void SplitItemExFlags(const ItemExParams& params, const char* text, bool (&checked)[kItemExFlagCount]);

// The text of a "CHECK" field: the keys of the set and used flags, in flag
// order, joined with the separator; empty when none is set.
void JoinItemExFlags(const ItemExParams& params, const bool (&checked)[kItemExFlagCount], CStr_base<64>& text);

// The choices of list slot `slot` (0 to 2) of a field: `shown` gets the
// texts of the drop-down list, `stored` the text each choice stores; both
// begin with the empty entry. Nothing is added for a slot that is no list.
void ItemExListChoices(const ItemExParams& params, uint32_t slot, const CMerxDocument& document,
                       CStrArray_base<64>& shown, CStrArray_base<64>& stored);

// The index of the first choice whose stored text equals `piece`, the empty
// entry (0) when none does.
uint32_t FindItemExChoice(const CStrArray_base<64>& stored, const char* piece);
