// A page whose element list stands under a filter box: the typed text
// narrows the list to the elements that hold it (list_filter.h), and ↑/↓
// stand still while it hides some. The item, event and arrangement pages.
#pragma once

#include <cstdint>

#include "editing/list_filter.h"
#include "pages/main_page.h"

class CFilteredListPage : public CMainPage {
public:
    CFilteredListPage(const CUiDialogTemplate& dialogTemplate, CPageContext& context, int32_t filterBox)
        : CMainPage(dialogTemplate, context), m_nFilterBox(filterBox)
    {
    }

protected:
    // What the filter looks at: how many elements the list can show, and
    // the texts of element `index` that the typed text is looked for in.
    virtual uint32_t FilterCount() const = 0;
    virtual void AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const = 0;
    // Fills the list with the lines the filter shows and selects the shown
    // element's line.
    virtual void FillList() = 0;
    // ↑ and ↓ move elements among their neighbours in the file: not while
    // the list hides some.
    virtual void EnableMoveButtons() = 0;

    // A change of the filter box: the list is filled again when other
    // elements are listed now; the shown one stays shown.
    void OnFilterChanged();
    // Filters anew with the box's text; whether other elements are listed now.
    bool Refilter();
    // Filters anew and refills the list.
    void RefillList();
    // Empties the filter box, so that every element is listed.
    void ClearFilter();

    CListFilter m_filter; // the list lines against the element indexes

private:
    // The element list of the item and event pages keeps the list in step
    // with the filter (element_list.h).
    template <class T>
    friend class CElementListController;

    int32_t m_nFilterBox;
};
