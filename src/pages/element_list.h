// The element list of the item and event pages, and what its buttons do:
// the selection that shows an element, add, copy, delete, ↑/↓, revert,
// and the selection the page remembers without a window.
//
// One behaviour for both pages. The shown element is applied (the page's
// Apply) before the list shows another one or inserts one; a refused apply
// keeps it shown and selected, and nothing is inserted. Each change of the
// document is one step of the undo history, named for its element
// (ElementStepName). A new or copied element is shown at once; when memory
// runs out on the way, it goes again and the page shows what it showed.
//
// What differs between the pages is their element kind (CElementListKind:
// the container, the text of a line, the delete question, the makers of
// new and copied elements) and how the page shows what it shows
// (CElementListOwner).
#pragma once

#include <cstdint>

#include "app/apply_result.h"
#include "document/edit_command.h"
#include "document/merx_document.h"
#include "editing/insert_place.h"
#include "foundation/str_base.h"

class CFilteredListPage;
class CPageContext;

// The page's side of its list.
class CElementListOwner {
public:
    // Shows the working copy, just taken from the element the list selects.
    virtual void ShowElement() = 0;
    // Shows no element.
    virtual void HideElement() = 0;
    // After the elements changed (an apply, a delete, a reload, a new
    // window): what the page shows of them besides the list.
    virtual void ElementsChanged() {}
    // A new (`fresh`) or copied element is shown after its insertion.
    virtual void InsertedShown(bool /*fresh*/) {}

protected:
    ~CElementListOwner() = default;
};

// The elements of a list of `T` (Citemstruct, Ceventstruct), its controls,
// and the names an internal-error report gives the container, the shown
// index and the handler that found them out of step.
template <class T>
struct CElementListKind {
    int32_t listId;       // the list
    int32_t insertId;     // the check box of insert mode
    int32_t upId, downId; // ↑ and ↓
    CMerxArray<T> CMerxDocument::*container;
    // The text of a line; in `buffer` when it is made for the line.
    const char* (*label)(const T& element, CStr_base<64>& buffer);
    // Asked before `element` is deleted.
    CStr_base<1024> (*deleteQuestion)(const CMerxDocument& document, const T& element);
    // The insertion of a new element, of a copy of `source`, and the
    // exchange of two neighbours, each as a step.
    CEditCommandPtr (*insertNew)(CMerxDocument& document, const CInsertPlace& place);
    CEditCommandPtr (*insertCopy)(CMerxDocument& document, const CInsertPlace& place, const T& source);
    CEditCommandPtr (*exchange)(CMerxDocument& document, uint32_t a, uint32_t b);
    const char* containerName;  // "itemdata"
    const char* shownName;      // "nowitemID"
    const char* handler;        // "Cpage_item::OnSelChangeList1()"
};

template <class T>
class CElementListController {
public:
    // `shown` is the page's index of the element it shows, -1 for none;
    // `work` its working copy of it.
    CElementListController(CFilteredListPage& page, CPageContext& context, CElementListOwner& owner, int32_t& shown,
                           T& work, const CElementListKind<T>& kind);

    // The remembered selection: the shown element while the page has a
    // window, else the one loaded or selected since.
    void LoadSelection(int32_t index) { m_nStored = index; }
    int32_t Selection() const;
    int32_t CurrentElement() const;
    // The shown element is now the remembered one.
    void StoreShown() { m_nStored = m_nShown; }

    // A new window: every element listed, the remembered one shown when
    // it exists; nothing is applied.
    void ShowStored();
    // As if the user had selected element `index`; an element the filter
    // hides is shown with every element listed.
    void SelectElement(int32_t index);
    // After a replace: the element at the shown place, or the last one
    // when that place went, shown anew without applying.
    void Reload();

    // The list selection changed: the shown element is applied, then the
    // selected one shown; a refused apply puts the selection back.
    CApplyResult ShowSelected();
    void OnRevert();
    void OnAdd();
    void OnCopy();
    void OnDelete();
    void OnUp();
    void OnDown();

    // The filter box's side of the list.
    uint32_t Count() const;
    void FillList();
    void EnableMoveButtons();
    // The shown element's line takes its text again (after an apply); the
    // selection stays where the user put it.
    void RelabelShown();

private:
    CMerxArray<T>& Elements() const;
    // Whether the shown element, if any, was applied before an insertion.
    bool ApplyBeforeInsert();
    void Insert(CEditCommandPtr step, const CInsertPlace& place, bool atEnd, bool fresh);
    // Lists and shows element `index` just inserted; when memory runs out
    // on the way, TakeBack.
    void ShowInserted(uint32_t index, bool atEnd, bool fresh);
    // Removes element `index` inserted while the page showed `shown`, and
    // its line when the list has `listed` + 1 lines; shows `shown` again,
    // reloaded only when the page had left it.
    void TakeBack(uint32_t index, int32_t shown, uint32_t listed);
    void ExchangeWithNeighbour(int32_t other);
    // Puts element `index` into its line, when the filter shows it.
    void SetListLine(int32_t index);
    void HideShown();

    CFilteredListPage& m_page;
    CPageContext& m_context;
    CElementListOwner& m_owner;
    int32_t& m_nShown;
    T& m_work;
    const CElementListKind<T> m_kind;
    int32_t m_nStored = -1; // the selection: loaded, then following the shown element
};

extern template class CElementListController<Citemstruct>;
extern template class CElementListController<Ceventstruct>;
