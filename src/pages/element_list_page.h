// A filtered list page whose list is an element list (element_list.h):
// the item and event pages. The list's handlers, the selection the tools
// see and the filter box's side of the list are the controller's; the
// page binds the handlers under their names and supplies the rest.
#pragma once

#include <cstdint>

#include "pages/element_list.h"
#include "pages/filtered_list_page.h"

template <class T>
class CElementListPage : public CFilteredListPage, protected CElementListOwner {
public:
    // `shown` and `work` are the page's index of the element it shows and
    // its working copy of it; they are only referred to here.
    CElementListPage(const CUiDialogTemplate& dialogTemplate, CPageContext& context, int32_t filterBox,
                     int32_t& shown, T& work, const CElementListKind<T>& kind)
        : CFilteredListPage(dialogTemplate, context, filterBox), m_list(*this, context, *this, shown, work, kind)
    {
    }

    int32_t CurrentElement() const override { return m_list.CurrentElement(); }
    void SelectElement(int32_t index) override { m_list.SelectElement(index); }
    void Reload() override { m_list.Reload(); }

    // The list selection changed: applies the shown element, then shows
    // the selected one; a refused apply puts the selection back.
    void OnSelChangeList1() { m_list.ShowSelected(); }

protected:
    // The list's buttons.
    void OnAdd() { m_list.OnAdd(); }
    void OnCopy() { m_list.OnCopy(); }
    void OnDelete() { m_list.OnDelete(); }
    void OnUp() { m_list.OnUp(); }
    void OnDown() { m_list.OnDown(); }
    void OnRevert() { m_list.OnRevert(); }

    uint32_t FilterCount() const override { return m_list.Count(); }
    void FillList() override { m_list.FillList(); }
    void EnableMoveButtons() override { m_list.EnableMoveButtons(); }

    CElementListController<T> m_list; // the list and its buttons
};
