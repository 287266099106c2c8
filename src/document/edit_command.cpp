#include "document/edit_command.h"

#include <stdexcept>
#include <utility>

#include "document/element_snapshot.h"

namespace {

// The element with identity `id`; a step undone or redone out of order
// finds none, which is a fault of its caller.
CMERX_base& Find(CMerxDocument& doc, uint32_t id)
{
    CMERX_base* element = doc.FindByIdentity(id);
    if (!element)
        throw std::logic_error("an undo step met a document it did not leave");
    return *element;
}

// The step holds what the element does not hold now: undone and redone,
// the two exchange what they hold.
class CReplaceStep : public CEditCommand {
public:
    CReplaceStep(uint32_t id, std::unique_ptr<CElementSnapshot> other) : m_nId(id), m_other(std::move(other)) {}
    void Undo(CMerxDocument& doc) override { m_other->ExchangeWith(Find(doc, m_nId)); }
    void Redo(CMerxDocument& doc) override { m_other->ExchangeWith(Find(doc, m_nId)); }
    size_t Bytes() const override { return sizeof(*this) + m_other->Bytes(); }
    uint32_t ElementId() const override { return m_nId; }

private:
    uint32_t m_nId;
    std::unique_ptr<CElementSnapshot> m_other;
};

// An item, event or other text standing at `index` of its container and
// `position` of the arrangement: taken out, or put back with its identity,
// what it held, the place of its text and the function blocks that stood
// behind it.
class CPresence {
public:
    CPresence(CMerxDocument& doc, const CMERX_base& element)
        : m_nId(doc.IdentityOf(element)), m_nKind(element.GetKind()), m_snapshot(element)
    {
        m_nPosition = static_cast<uint32_t>(doc.FindInArrangement(&element));
        if (m_nKind == CMERX_TYPE_ITEM)
            m_nIndex = static_cast<uint32_t>(doc.itemdata.IndexOf(&element));
        else if (m_nKind == CMERX_TYPE_EVENT)
            m_nIndex = static_cast<uint32_t>(doc.eventdata.IndexOf(&element));
        for (size_t i = 0; i < doc.keptFunctionParts.size(); ++i)
            if (doc.keptFunctionParts[i].anchor == &element)
                m_parts.push_back(i);
    }

    void PutBack(CMerxDocument& doc) const
    {
        CMERX_base* element = nullptr;
        if (m_nKind == CMERX_TYPE_ITEM)
            element = doc.InsertItem(m_nIndex, m_nPosition);
        else if (m_nKind == CMERX_TYPE_EVENT)
            element = doc.InsertEvent(m_nIndex, m_nPosition);
        else
            element = doc.InsertOther(m_nPosition);
        doc.GiveIdentity(*element, m_nId);
        m_snapshot.RestoreInto(*element);
        for (size_t part : m_parts)
            if (part < doc.keptFunctionParts.size())
                doc.keptFunctionParts[part].anchor = element;
    }

    void TakeOut(CMerxDocument& doc) const { doc.RemoveElement(&Find(doc, m_nId)); }

    uint32_t Id() const { return m_nId; }
    size_t Bytes() const { return sizeof(*this) + m_snapshot.Bytes() + m_parts.size() * sizeof(size_t); }

private:
    uint32_t m_nId;
    uint8_t m_nKind;
    uint32_t m_nIndex = 0;
    uint32_t m_nPosition = 0;
    CElementSnapshot m_snapshot;
    std::vector<size_t> m_parts;
};

class CInsertStep : public CEditCommand {
public:
    CInsertStep(CMerxDocument& doc, const CMERX_base& element) : m_presence(doc, element) {}
    void Undo(CMerxDocument& doc) override { m_presence.TakeOut(doc); }
    void Redo(CMerxDocument& doc) override { m_presence.PutBack(doc); }
    size_t Bytes() const override { return sizeof(*this) + m_presence.Bytes(); }
    uint32_t ElementId() const override { return m_presence.Id(); }

private:
    CPresence m_presence;
};

class CRemoveStep : public CEditCommand {
public:
    CRemoveStep(CMerxDocument& doc, const CMERX_base& element) : m_presence(doc, element) {}
    void Undo(CMerxDocument& doc) override { m_presence.PutBack(doc); }
    void Redo(CMerxDocument& doc) override { m_presence.TakeOut(doc); }
    size_t Bytes() const override { return sizeof(*this) + m_presence.Bytes(); }
    uint32_t ElementId() const override { return m_presence.Id(); }

private:
    CPresence m_presence;
};

// An exchange that undoes itself.
class CExchangeStep : public CEditCommand {
public:
    enum class Kind { Items, Events, Neighbours };
    CExchangeStep(Kind kind, uint32_t a, uint32_t b, uint32_t id) : m_kind(kind), m_nA(a), m_nB(b), m_nId(id) {}
    void Undo(CMerxDocument& doc) override { Exchange(doc); }
    void Redo(CMerxDocument& doc) override { Exchange(doc); }
    size_t Bytes() const override { return sizeof(*this); }
    uint32_t ElementId() const override { return m_nId; }

private:
    void Exchange(CMerxDocument& doc) const
    {
        if (m_kind == Kind::Items)
            doc.ExchangeItems(m_nA, m_nB);
        else if (m_kind == Kind::Events)
            doc.ExchangeEvents(m_nA, m_nB);
        else
            doc.ExchangeNeighbours(m_nA);
    }

    Kind m_kind;
    uint32_t m_nA;
    uint32_t m_nB;
    uint32_t m_nId;
};

// The items in their container's order and in the order their slots of
// the arrangement hold them (the same but for inserts that put an item
// elsewhere among its neighbours than in the container).
struct CItemOrder {
    std::vector<uint32_t> container;
    std::vector<uint32_t> slots;
};

CItemOrder ItemOrderOf(const CMerxDocument& doc)
{
    CItemOrder order;
    order.container.reserve(doc.itemdata.GetCount());
    order.slots.reserve(doc.itemdata.GetCount());
    for (const Citemstruct& item : doc.itemdata)
        order.container.push_back(doc.IdentityOf(item));
    for (const CMERX_base* element : doc.setdata)
        if (element->GetKind() == CMERX_TYPE_ITEM)
            order.slots.push_back(doc.IdentityOf(*element));
    return order;
}

class CReorderStep : public CEditCommand {
public:
    CReorderStep(CItemOrder before, CItemOrder after) : m_before(std::move(before)), m_after(std::move(after)) {}
    void Undo(CMerxDocument& doc) override { Reorder(doc, m_before); }
    void Redo(CMerxDocument& doc) override { Reorder(doc, m_after); }
    size_t Bytes() const override
    {
        return sizeof(*this) + 2 * (m_before.container.size() + m_after.container.size()) * sizeof(uint32_t);
    }
    uint32_t ElementId() const override { return m_after.container.empty() ? 0 : m_after.container.front(); }

private:
    static void Reorder(CMerxDocument& doc, const CItemOrder& ids)
    {
        std::vector<Citemstruct*> order;
        order.reserve(ids.container.size());
        for (uint32_t id : ids.container)
            order.push_back(static_cast<Citemstruct*>(&Find(doc, id)));
        std::vector<CMERX_base*> slots;
        slots.reserve(ids.slots.size());
        for (uint32_t id : ids.slots)
            slots.push_back(&Find(doc, id));
        if (!doc.ReorderItems(order))
            throw std::logic_error("an undo step met a document it did not leave");
        size_t next = 0;
        for (uint32_t i = 0; i < doc.setdata.GetCount() && next < slots.size(); ++i)
            if (doc.setdata[i]->GetKind() == CMERX_TYPE_ITEM)
                doc.setdata[i] = slots[next++];
    }

    CItemOrder m_before;
    CItemOrder m_after;
};

} // namespace

void CEditBatch::Add(CEditCommandPtr step)
{
    if (!step)
        return;
    m_nBytes += step->Bytes();
    m_steps.push_back(std::move(step));
}

void CEditBatch::Undo(CMerxDocument& doc)
{
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        (*step)->Undo(doc);
}

void CEditBatch::Redo(CMerxDocument& doc)
{
    for (CEditCommandPtr& step : m_steps)
        step->Redo(doc);
}

CEditCommandPtr ReplaceContent(CMerxDocument& doc, CMERX_base& element, const CMERX_base& content)
{
    auto other = std::make_unique<CElementSnapshot>(content);
    other->ExchangeWith(element);
    return std::make_unique<CReplaceStep>(doc.IdentityOf(element), std::move(other));
}

CEditCommandPtr ContentChanged(CMerxDocument& doc, const CMERX_base& element, std::unique_ptr<CElementSnapshot> before)
{
    if (before->Holds(element))
        return nullptr;
    return std::make_unique<CReplaceStep>(doc.IdentityOf(element), std::move(before));
}

namespace {

// `made` swapped into the element just put into the document; when the step
// cannot be made, the element goes again and the document is as it was.
template <class Element>
CEditCommandPtr PutIn(CMerxDocument& doc, Element* element, Element& made)
{
    element->Swap(made);
    try {
        return std::make_unique<CInsertStep>(doc, *element);
    } catch (...) {
        doc.RemoveElement(element);
        throw;
    }
}

} // namespace

CEditCommandPtr InsertItem(CMerxDocument& doc, uint32_t index, uint32_t position, Citemstruct&& made)
{
    return PutIn(doc, doc.InsertItem(index, position), made);
}

CEditCommandPtr InsertEvent(CMerxDocument& doc, uint32_t index, uint32_t position, Ceventstruct&& made)
{
    return PutIn(doc, doc.InsertEvent(index, position), made);
}

CEditCommandPtr InsertItem(CMerxDocument& doc, uint32_t index, uint32_t position, const Citemstruct* content)
{
    Citemstruct made;
    if (content)
        made = *content;
    return InsertItem(doc, index, position, std::move(made));
}

CEditCommandPtr InsertEvent(CMerxDocument& doc, uint32_t index, uint32_t position, const Ceventstruct* content)
{
    Ceventstruct made;
    if (content)
        made = *content;
    return InsertEvent(doc, index, position, std::move(made));
}

CEditCommandPtr Inserted(CMerxDocument& doc, const CMERX_base& element)
{
    return std::make_unique<CInsertStep>(doc, element);
}

CEditCommandPtr InsertOther(CMerxDocument& doc, uint32_t position, const Cotherstruct* content)
{
    Cotherstruct* other = doc.InsertOther(position);
    if (content)
        other->text = content->text;
    return std::make_unique<CInsertStep>(doc, *other);
}

CEditCommandPtr RemoveElement(CMerxDocument& doc, CMERX_base& element)
{
    const uint8_t kind = element.GetKind();
    if (kind != CMERX_TYPE_ITEM && kind != CMERX_TYPE_EVENT && kind != CMERX_TYPE_OTHER)
        return nullptr;
    auto step = std::make_unique<CRemoveStep>(doc, element);
    if (!doc.RemoveElement(&element))
        return nullptr;
    return step;
}

CEditCommandPtr ExchangeItems(CMerxDocument& doc, uint32_t a, uint32_t b)
{
    doc.ExchangeItems(a, b);
    return std::make_unique<CExchangeStep>(CExchangeStep::Kind::Items, a, b, doc.IdentityOf(doc.itemdata[b]));
}

CEditCommandPtr ExchangeEvents(CMerxDocument& doc, uint32_t a, uint32_t b)
{
    doc.ExchangeEvents(a, b);
    return std::make_unique<CExchangeStep>(CExchangeStep::Kind::Events, a, b, doc.IdentityOf(doc.eventdata[b]));
}

CEditCommandPtr ExchangeNeighbours(CMerxDocument& doc, uint32_t upper)
{
    if (!doc.ExchangeNeighbours(upper))
        return nullptr;
    return std::make_unique<CExchangeStep>(CExchangeStep::Kind::Neighbours, upper, upper + 1,
                                           doc.IdentityOf(*doc.setdata[upper + 1]));
}

CEditCommandPtr ReorderItems(CMerxDocument& doc, const std::vector<Citemstruct*>& order)
{
    CItemOrder before = ItemOrderOf(doc);
    if (!doc.ReorderItems(order))
        return nullptr;
    return std::make_unique<CReorderStep>(std::move(before), ItemOrderOf(doc));
}
