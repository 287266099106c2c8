// The names of the steps of the undo history, as the edit menu shows them
// after "取り消し: " and "やり直し: ".
#pragma once

#include <cstdint>

#include "document/merx_base.h"
#include "foundation/str_base.h"

// What was done to one element: "アイテム「剣」の適用", "イベント「ev1」の削除",
// "関数「@@FUNCITEM」の適用", "定義の適用", "テキストの追加". `action` is
// the CP932 text of what was done ("適用", "追加", "削除", …).
CStr_base<256> ElementStepName(const CMERX_base& element, const char* action);
// A replace over `elements` elements: "置換 (16,446 要素)".
CStr_base<64> ReplaceStepName(uint32_t elements);
