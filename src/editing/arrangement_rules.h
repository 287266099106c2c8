// The arrangement page's rules: how every element is listed and shown, and
// the changes the page makes to the arrangement and to other texts.
//
// Other texts are the only elements the page edits. A changed other text is
// stored only when the file would read it back as the same element in its
// place, and a move is made only when no element would be lost on reopen:
// nothing but other text may follow an other text that ends the data
// ("@@END", a "@@SKIP" never closed), which the reader takes as one text
// with everything behind it.
#pragma once

#include <cstdint>

#include "document/edit_command.h"
#include "document/merx_document.h"

// "@@ITEM：name", "@@EVENT：startmsg" (or code), a function block's keyword,
// the first line of an other text, "プロジェクト定義：@@DEFINE".
CStr_base<64> ArrangementLabel(const CMERX_base& element);
// The same into `label`, whose buffer serves again (the list filter asks
// for the labels of every element at each change of its text).
void ArrangementLabel(const CMERX_base& element, CStr_base<64>& label);

// What the detail box shows, with CR LF line ends: an item or event as the
// file will hold it, the text of a function block, the definition or an
// other text.
CStr_base<16384> ArrangementDetail(const CMerxDocument& doc, const CMERX_base& element);

// The index of a function block's keyword in the function page's table;
// -1 for a block under no keyword of it.
int32_t FunctionKeywordIndex(const Csinglestruct& block);

// Stores `text` (CR LF line ends, as the detail edit gives it) into the
// other text, which stands in the arrangement. False, with the reason in
// `reason` and the element as it was, when the text would not come back as
// this one element in its place.
bool StoreOtherText(const CMerxDocument& doc, Cotherstruct& other, const CStr_base<16384>& text,
                    CStr_base<1024>& reason);

enum class CArrangementMove { kMoved, kNotNeighbours, kWouldBeLost };

// Exchanges the elements at `upper` and `upper + 1` of `setdata` (and two
// items or events in their own list too). kNotNeighbours when two items or
// events are no neighbours in their list, kWouldBeLost (with `reason`)
// when the file would not read an element back after the move; nothing
// changes then. After a move `step` (when given) takes the step that
// takes it back.
CArrangementMove MoveInArrangement(CMerxDocument& doc, uint32_t upper, CStr_base<1024>& reason,
                                   CEditCommandPtr* step = nullptr);
