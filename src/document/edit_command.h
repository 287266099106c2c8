// One change of the document that can be taken back and done again.
//
// Every change of the document is made by one of the operations below,
// which makes it and gives the step that takes it back. A step addresses
// elements by their identity (CMerxDocument::IdentityOf) and holds copies
// of what they held (element_snapshot.h), never pointers into the
// document. A step is undone only on the document as it left it, and
// redone only on the document as it was before it: the undo history
// (undo_history.h) keeps that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/element_snapshot.h"
#include "document/merx_document.h"

class CEditCommand {
public:
    virtual ~CEditCommand() = default;
    virtual void Undo(CMerxDocument& doc) = 0;
    virtual void Redo(CMerxDocument& doc) = 0;
    // About how many bytes the step holds.
    virtual size_t Bytes() const = 0;
    // The identity of the element the step changed, to show it (a batch:
    // that of its first step); 0 for none.
    virtual uint32_t ElementId() const = 0;
};

using CEditCommandPtr = std::unique_ptr<CEditCommand>;

// Several steps as one, undone in reverse order.
class CEditBatch : public CEditCommand {
public:
    void Add(CEditCommandPtr step);
    bool IsEmpty() const { return m_steps.empty(); }
    size_t GetCount() const { return m_steps.size(); }

    void Undo(CMerxDocument& doc) override;
    void Redo(CMerxDocument& doc) override;
    size_t Bytes() const override { return m_nBytes; }
    uint32_t ElementId() const override { return m_steps.empty() ? 0 : m_steps.front()->ElementId(); }

private:
    std::vector<CEditCommandPtr> m_steps;
    size_t m_nBytes = sizeof(CEditBatch);
};

// `element` (an element of `doc`: item, event, other text, function
// element or the definition) takes what `content` (of the same kind)
// holds; its place in the kept text stays its own.
CEditCommandPtr ReplaceContent(CMerxDocument& doc, CMERX_base& element, const CMERX_base& content);
// A change already made in `element`, which held what `before` holds
// (a snapshot of it taken just before): the step that takes it back; null
// when the element holds the same as before.
CEditCommandPtr ContentChanged(CMerxDocument& doc, const CMERX_base& element, std::unique_ptr<CElementSnapshot> before);
// A new item (event) at `index` of its container and `position` of the
// arrangement, holding what `content` holds (an empty one for null).
CEditCommandPtr InsertItem(CMerxDocument& doc, uint32_t index, uint32_t position, const Citemstruct* content);
CEditCommandPtr InsertEvent(CMerxDocument& doc, uint32_t index, uint32_t position, const Ceventstruct* content);
// The same with what `made` holds (left empty). What may run out of memory
// is done before or taken back: then the document is as it was.
CEditCommandPtr InsertItem(CMerxDocument& doc, uint32_t index, uint32_t position, Citemstruct&& made);
CEditCommandPtr InsertEvent(CMerxDocument& doc, uint32_t index, uint32_t position, Ceventstruct&& made);
// An item, event or other text just put into the document (by
// CMerxDocument::InsertItem, InsertEvent or InsertOther and filled): the
// step that takes it out again.
CEditCommandPtr Inserted(CMerxDocument& doc, const CMERX_base& element);
// A new other text at `position` of the arrangement.
CEditCommandPtr InsertOther(CMerxDocument& doc, uint32_t position, const Cotherstruct* content);
// Removes an item, event or other text (null for any other element, which
// is not removed).
CEditCommandPtr RemoveElement(CMerxDocument& doc, CMERX_base& element);
// CMerxDocument::ExchangeItems, ExchangeEvents, ExchangeNeighbours (null
// when it changes nothing) and ReorderItems (null when `order` is refused).
CEditCommandPtr ExchangeItems(CMerxDocument& doc, uint32_t a, uint32_t b);
CEditCommandPtr ExchangeEvents(CMerxDocument& doc, uint32_t a, uint32_t b);
CEditCommandPtr ExchangeNeighbours(CMerxDocument& doc, uint32_t upper);
CEditCommandPtr ReorderItems(CMerxDocument& doc, const std::vector<Citemstruct*>& order);
