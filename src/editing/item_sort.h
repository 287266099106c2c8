// Sorting the items of a document by one key, and putting back the order
// from before the last sort.
//
// The items take their new order in `itemdata` and in the places items
// hold in the arrangement; the places themselves stay among the other
// elements. Items are sorted within their sections only: an other text
// holding an "@@IF" line (document/condition_lines.h) between two item
// places separates them, and no item crosses it. A sort is stable: items
// that compare equal keep their order (descending reverses the ascending
// result of each section). The previous order is kept
// with the document's structure version of right after the sort: it can be
// put back only while no element was added, removed or moved since.
#pragma once

#include <cstdint>
#include <vector>

#include "document/edit_command.h"
#include "document/merx_document.h"

// The entries of the sort dialog's key list, in its order.
enum class CItemSortKey : int32_t { kNo = 0, kCode, kName, kPrice, kCost, kType, kRestore };

// The items in the order of `key` (kNo to kType), section by section in
// the order of their places in the arrangement (an item that stands
// nowhere in it is left out); descending reverses each section.
// Numbers (no, price, cost) are read as "%d" reads them, an empty cost as
// the price divided by 10; code and name compare byte by byte.
// By type: the items of each defined type in definition order (a type
// name defined twice takes its items once), then the items of undefined
// types, grouped by type in the order of first appearance.
std::vector<Citemstruct*> SortedItems(const CMerxDocument& doc, CItemSortKey key, bool descending);

class CItemPreviousOrder {
public:
    // Whether an order is kept that can still be put back.
    bool IsValid(const CMerxDocument& doc) const;
    // The order of `doc` before a change, stamped after it.
    void Keep(std::vector<Citemstruct*> order, const CMerxDocument& doc);
    const std::vector<Citemstruct*>& Order() const { return m_order; }
    void Forget() { m_order.clear(); }

private:
    std::vector<Citemstruct*> m_order;
    uint32_t m_nVersion = 0;
};

// Puts the items into the order of `key` (or, for kRestore, back into the
// kept order, descending ignored) and keeps the order before as the
// previous order. Returns the step that puts the order before back; null
// when the order did not change (for kRestore also when no valid order is
// kept).
CEditCommandPtr SortItems(CMerxDocument& doc, CItemSortKey key, bool descending, CItemPreviousOrder& previous);
