#include "document/element_snapshot.h"

#include <stdexcept>
#include <utility>

#include "document/define_struct.h"
#include "document/element_compare.h"
#include "document/event_struct.h"
#include "document/item_struct.h"
#include "document/other_struct.h"
#include "document/single_struct.h"

namespace {

// Bytes of a map's keys and texts, with a little for each entry.
template <class Map>
size_t MapBytes(const Map& map)
{
    size_t bytes = 0;
    for (auto [key, value] : map)
        bytes += 24 + value.GetLength();
    return bytes;
}

size_t ListBytes(const CStrArray_base<64>& list)
{
    size_t bytes = 16;
    for (const auto& entry : list)
        bytes += 16 + entry.GetLength();
    return bytes;
}

size_t FieldBytes(const CMerxFieldElement& element) { return MapBytes(element.fields) + MapBytes(element.comments); }

size_t UseBytes(const Cusestruct& use)
{
    size_t bytes = sizeof(Cusestruct) + FieldBytes(use);
    for (auto [key, list] : use.lists)
        bytes += ListBytes(list);
    for (auto [key, list] : use.listcomments)
        bytes += ListBytes(list);
    return bytes;
}

} // namespace

CElementSnapshot::CElementSnapshot(const CMERX_base& element) : m_span(element.GetKeptSpan())
{
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM: {
        const auto& item = static_cast<const Citemstruct&>(element);
        m_copy = std::make_unique<Citemstruct>(item);
        m_nBytes = sizeof(Citemstruct) + FieldBytes(item);
        for (const Cusestruct& use : item.uses)
            m_nBytes += UseBytes(use);
        break;
    }
    case CMERX_TYPE_EVENT: {
        const auto& event = static_cast<const Ceventstruct&>(element);
        m_copy = std::make_unique<Ceventstruct>(event);
        m_nBytes = sizeof(Ceventstruct) + FieldBytes(event) + ListBytes(event.params) + ListBytes(event.paramcomments);
        break;
    }
    case CMERX_TYPE_OTHER: {
        const auto& other = static_cast<const Cotherstruct&>(element);
        m_copy = std::make_unique<Cotherstruct>(other);
        m_nBytes = sizeof(Cotherstruct) + other.text.GetLength();
        break;
    }
    case CMERX_TYPE_SINGLE: {
        const auto& function = static_cast<const Csinglestruct&>(element);
        m_copy = std::make_unique<Csinglestruct>(function);
        m_nBytes = sizeof(Csinglestruct) + function.text.GetLength();
        break;
    }
    case CMERX_TYPE_DEFINE: {
        auto define = std::make_unique<Cdefinestruct>();
        *define = static_cast<const Cdefinestruct&>(element);
        m_nBytes = sizeof(Cdefinestruct) + define->text.GetLength() + 64 * (define->types.GetCount() + define->jobs.GetCount());
        m_copy = std::move(define);
        break;
    }
    default: // a use entry is part of its item's snapshot
        throw std::logic_error("a use entry has no snapshot of its own");
    }
}

CElementSnapshot::~CElementSnapshot() = default;

void CElementSnapshot::CopyInto(CMERX_base& element) const
{
    if (element.GetKind() != GetKind())
        throw std::logic_error("a snapshot copied into an element of another kind");
    switch (GetKind()) {
    case CMERX_TYPE_ITEM:
        static_cast<Citemstruct&>(element) = static_cast<const Citemstruct&>(*m_copy);
        break;
    case CMERX_TYPE_EVENT:
        static_cast<Ceventstruct&>(element) = static_cast<const Ceventstruct&>(*m_copy);
        break;
    case CMERX_TYPE_OTHER:
        static_cast<Cotherstruct&>(element).text = static_cast<const Cotherstruct&>(*m_copy).text;
        break;
    case CMERX_TYPE_SINGLE:
        static_cast<Csinglestruct&>(element).text = static_cast<const Csinglestruct&>(*m_copy).text;
        break;
    default:
        static_cast<Cdefinestruct&>(element) = static_cast<const Cdefinestruct&>(*m_copy);
        break;
    }
}

void CElementSnapshot::RestoreInto(CMERX_base& element) const
{
    CopyInto(element);
    element.SetKeptSpan(m_span);
}

void CElementSnapshot::ExchangeWith(CMERX_base& element)
{
    if (element.GetKind() != GetKind())
        throw std::logic_error("a snapshot exchanged with an element of another kind");
    switch (GetKind()) {
    case CMERX_TYPE_ITEM:
        static_cast<Citemstruct&>(element).Swap(static_cast<Citemstruct&>(*m_copy));
        break;
    case CMERX_TYPE_EVENT:
        static_cast<Ceventstruct&>(element).Swap(static_cast<Ceventstruct&>(*m_copy));
        break;
    default: {
        // Texts: through a copy of what the element holds now.
        CElementSnapshot now(element);
        CopyInto(element);
        std::swap(m_copy, now.m_copy);
        break;
    }
    }
}

bool CElementSnapshot::Holds(const CMERX_base& element) const
{
    if (element.GetKind() != GetKind())
        return false;
    switch (GetKind()) {
    case CMERX_TYPE_ITEM:
        return SameContent(static_cast<const Citemstruct&>(element), static_cast<const Citemstruct&>(*m_copy));
    case CMERX_TYPE_EVENT:
        return SameContent(static_cast<const Ceventstruct&>(element), static_cast<const Ceventstruct&>(*m_copy));
    case CMERX_TYPE_OTHER:
        return static_cast<const Cotherstruct&>(element).text == static_cast<const Cotherstruct&>(*m_copy).text;
    case CMERX_TYPE_SINGLE:
        return static_cast<const Csinglestruct&>(element).text == static_cast<const Csinglestruct&>(*m_copy).text;
    default:
        return static_cast<const Cdefinestruct&>(element).text == static_cast<const Cdefinestruct&>(*m_copy).text;
    }
}
