// The in-memory form of one item data file.
//
// Every block of the file is one element, kept in two views at once: the
// per-kind containers that own the elements, and the arrangement `setdata`
// that refers to every element except the use entries, in file order. The
// key lists say which fields and lists items, uses and events carry under
// the applied makeitem rule; the extension keys come from the rule's item
// and use extension fields.
#pragma once

#include <cstdint>

#include "document/define_struct.h"
#include "document/event_struct.h"
#include "document/item_struct.h"
#include "document/merx_array.h"
#include "document/other_struct.h"
#include "document/single_struct.h"

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

    CStr_base<1024> m_strApplyError; // the reader appends its messages here

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
    // and creates the twelve function elements with empty texts.
    void Clear();

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
    // Removes an item, event or other text from its container and from
    // `setdata`; false (nothing changed) for any other element.
    bool RemoveElement(CMERX_base* element);

    // The name of the first item whose "no" equals `no` byte for byte, or
    // null when there is none.
    const CMerxString* FindItemNameByNo(const char* no) const;

private:
    bool m_bBeta = false;
    bool m_bIncludeAsElement = false;
};
