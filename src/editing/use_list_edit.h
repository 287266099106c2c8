// The list operations of the use box: the use entries of an item, and the
// sub-entries of a use entry (job, argselect, ung lines) with the comments
// that run parallel to them.
//
// Use entries may borrow the script of another entry of the same item by
// position ("_local_2" in "func" is the "func" block of the second entry),
// so moving entries renumbers such references, and an entry whose script
// is borrowed cannot be deleted.
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "document/merx_document.h"

// A new use entry: one empty field per use key and use extension field
// held as one text, one empty list per use list key and extension field
// held as lines, named "新しい項目_<number>".
void InitNewUseEntry(const CMerxDocument& doc, Cusestruct& use, uint32_t number);

// Whether another entry of the item borrows a script of entry `index`.
bool IsUseScriptBorrowed(const Citemstruct& item, uint32_t index);
// Removes entry `index`; references to the entries behind it follow them.
// False, with nothing changed, when its script is borrowed (or no such entry).
bool RemoveUseEntry(Citemstruct& item, uint32_t index);
// Exchanges entries `a` and `b`, and the references to them.
void ExchangeUseEntries(Citemstruct& item, uint32_t a, uint32_t b);

// Appends `text` to the list `key` of the entry and an empty comment to its
// comments; returns the new entry's index (nothing happens without the list).
int32_t AddSubEntry(Cusestruct& use, const char* key, const char* text);
// Removes entry `index` of the list `key` and its comment.
void RemoveSubEntry(Cusestruct& use, const char* key, uint32_t index);
// Exchanges entries `a` and `b` of the list `key` and their comments.
void ExchangeSubEntries(Cusestruct& use, const char* key, uint32_t a, uint32_t b);
