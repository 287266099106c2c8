// Numbers, names and codes of the items that the item page adds and copies.
#pragma once

#include <cstdint>

#include "document/merx_document.h"
#include "foundation/str_base.h"

// The smallest number of 1 to N (N the item count) that no item's "no"
// reads as ("%d": white space, a sign, digits, the rest ignored), or N + 1
// when each is taken.
uint32_t NextFreeItemNumber(const CMerxDocument& document);

// The name of a copy: "剣" gives "剣(コピー)", "剣(コピー)" gives
// "剣(コピー^2)", "剣(コピー^k)" gives "剣(コピー^k+1)".
CStr_base<64> CopyItemName(const char* name);

// The code of a copy: the code with "_copy" behind it.
CStr_base<64> CopyItemCode(const char* code);

// The fields of a new item numbered `number`: "no" the number, "name"
// "アイテム_n", "code" "itemn".
void NameNewItem(Citemstruct& item, uint32_t number);
