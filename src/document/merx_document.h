// The in-memory form of one item data file.
//
// Every block of the file is one element, kept in two views at once: the
// per-kind containers that own the elements, and the arrangement `setdata`
// that refers to every element except the use entries, in file order. The
// key lists say which fields and lists items, uses and events carry under
// the applied makeitem rule; the extension keys come from the rule's item
// and use extension fields.
//
// Which elements stand where changes only through the document's
// operations (Clear, the inserts, RemoveElement, the exchanges,
// ReorderItems), which raise the structure version; changes inside an
// element (fields, texts) leave it alone. Whoever keeps element indexes or
// positions (result lines, the sort's previous order) keeps the version
// they were taken at and trusts them only while it is unchanged.
//
// The document belongs to the thread that created it (the window thread):
// its operations run there only, which debug and sanitizer builds check
// (foundation/owner_thread.h); another thread (the find worker) may read it
// while that thread waits.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/define_struct.h"
#include "document/event_struct.h"
#include "document/item_struct.h"
#include "document/kept_parts.h"
#include "document/merx_array.h"
#include "document/other_struct.h"
#include "document/single_struct.h"
#include "foundation/owner_thread.h"

class CMerxDocument {
public:
    CMerxArray<Citemstruct> itemdata;                // all items, file order
    CMerxArray<Ceventstruct> eventdata;              // all events, file order
    CMapElement<Csinglestruct, 32> singledata;       // the twelve function blocks by keyword
    CMerxArray<Cotherstruct> otherdata;              // all other-text elements
    Cdefinestruct definedata;                        // the one definition element
    CArrayAuto<CMERX_base*> setdata;                 // the arrangement: every element but uses

    CStrArray_base<64> itemkeys;    // fields of an item
    CStrArray_base<64> usekeys;     // fields of a use entry
    CStrArray_base<64> uselistkeys; // lists of a use entry
    CStrArray_base<64> eventkeys;   // fields of an event

    CStrArray_base<64> itemextkeys;     // item extension fields
    CStrArray_base<64> usefieldextkeys; // use extension fields held as one text
    CStrArray_base<64> uselistextkeys;  // use extension fields held as a list of lines

    // The data text the document was last read from, "\n" line ends: the
    // elements' kept spans point into it, and the save writes what did not
    // change from it byte for byte. Empty for a new project.
    std::string keptText;
    // Every function block read, in file order (kept_parts.h).
    std::vector<CKeptFunctionPart> keptFunctionParts;

    // An empty document: no elements but the twelve empty function blocks,
    // which stand nowhere in the arrangement yet.
    CMerxDocument();
    CMerxDocument(const CMerxDocument&) = delete;
    CMerxDocument& operator=(const CMerxDocument&) = delete;

    // Refills the four key lists in their stable or beta form, with or
    // without "@@include" as an element key.
    void RebuildKeyLists(bool beta, bool includeAsElement);
    bool IsBeta() const { return m_bBeta; }
    bool IsIncludeAsElement() const { return m_bIncludeAsElement; }

    // The extension keys of the applied rule, in rule order.
    void ClearExtensionKeys();
    void AddItemExtensionKey(const char* name);
    void AddUseExtensionKey(const char* name, bool array);

    // Empties the arrangement and the containers, empties the definition
    // and creates the twelve function elements with empty texts; forgets
    // the kept text.
    void Clear();

    uint32_t GetStructureVersion() const { return m_nStructureVersion; }
    // For a structural change that none of the operations below makes.
    void RaiseStructureVersion()
    {
        m_owner.Check(__func__);
        ++m_nStructureVersion;
    }

    Csinglestruct* FindFunction(const char* keyword) { return singledata.Lookup(keyword); }

    // Index in `setdata` of the element that ends the data (the first other
    // text for which IsEndText holds); the length of `setdata` when there
    // is none. Elements that must stand before the end of the data are
    // inserted there.
    uint32_t FindEndPosition() const;
    // Whether an other text ends the data: after leading tabs, blanks and
    // line feeds it begins with "@@END" in any case but not with
    // "@@ENDSKIP", or it begins with a @@SKIP that is never closed.
    static bool IsEndText(const char* text);

    // Position of `element` in `setdata`, or -1.
    int32_t FindInArrangement(const CMERX_base* element) const;
    // Puts `element` into `setdata` at `position` (at most the length).
    void InsertIntoArrangement(uint32_t position, CMERX_base* element);
    // A new empty item at `index` of `itemdata` (the items from there on
    // move down one place) and at `position` of `setdata`; both at most the
    // length.
    Citemstruct* InsertItem(uint32_t index, uint32_t position);
    Ceventstruct* InsertEvent(uint32_t index, uint32_t position);
    // A new empty other text at `position` of `setdata`.
    Cotherstruct* InsertOther(uint32_t position);
    // Removes an item, event or other text from its container and from
    // `setdata`; false (nothing changed) for any other element.
    bool RemoveElement(CMERX_base* element);
    // Items `a` and `b` exchange their places in `itemdata` and their slots
    // in `setdata`; every other element keeps its place.
    void ExchangeItems(uint32_t a, uint32_t b);
    void ExchangeEvents(uint32_t a, uint32_t b);
    // The elements at `upper` and `upper + 1` of `setdata` exchange their
    // places; two items (two events) exchange theirs in `itemdata`
    // (`eventdata`) too. False, with nothing changed, when two such items
    // or events are no neighbours in their container.
    bool ExchangeNeighbours(uint32_t upper);
    // `itemdata` takes the order of `order`, and the item slots of `setdata`
    // take the items in that order (the places of items among the other
    // elements stay). False, with nothing changed, when `order` does not
    // hold every item exactly once.
    bool ReorderItems(const std::vector<Citemstruct*>& order);

    // The name of the first item whose "no" equals `no` byte for byte, or
    // null when there is none.
    const CMerxString* FindItemNameByNo(const char* no) const;

    // Element identity: a number that stays with an element while it
    // moves, while others come and go, and through an undone removal
    // (GiveIdentity), never given twice in the document's life. The
    // document gives it on first asking; 0 is no identity.
    uint32_t IdentityOf(const CMERX_base& element) const;
    // The element of the arrangement, a function element or the definition
    // with identity `id`, or null (never given, or removed).
    CMERX_base* FindByIdentity(uint32_t id);
    // `element` (just inserted, without identity) takes `id` back.
    void GiveIdentity(CMERX_base& element, uint32_t id);

private:
    template <class T>
    void ExchangeInContainer(CMerxArray<T>& container, uint32_t a, uint32_t b);

    void IndexIdentities();

    bool m_bBeta = false;
    bool m_bIncludeAsElement = false;
    uint32_t m_nStructureVersion = 0;
    mutable uint32_t m_nNextId = 1;
    // Identity -> element, as of structure version m_nIndexedVersion.
    std::unordered_map<uint32_t, CMERX_base*> m_byIdentity;
    uint32_t m_nIndexedVersion = UINT32_MAX;
    [[no_unique_address]] COwnerThread m_owner;
};
