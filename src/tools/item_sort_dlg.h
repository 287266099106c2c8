// The item sort dialog: a key, ascending or descending, or the order from
// before the last sort. OK sorts the document's items; the item page shows
// them anew afterwards.
//
//     CItemSortDlg dialog(context, previousOrder, prepare);
//     if (dialog.DoModal(page) == kIdOk && dialog.Changed()) { /* refill the list */ }
#pragma once

#include <cstdint>
#include <functional>

#include "app/page_context.h"
#include "editing/item_sort.h"
#include "ui/dialog_base.h"

class CItemSortDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 147,
        IDC_KEY = 1003,        // the key list
        IDC_DESCENDING = 1018, // "降順ソートする"
    };

    // `previous` is the order from before the last sort, kept by the page
    // for the project; `prepare` runs before the items move (the page makes
    // sure it shows an item) and may refuse.
    CItemSortDlg(CPageContext& context, CItemPreviousOrder& previous, std::function<bool()> prepare);
    ~CItemSortDlg() override { DestroyWindow(); }

    // Whether OK changed the order of the items.
    bool Changed() const { return m_step != nullptr; }
    // The step that takes the sort back, for the undo history.
    CEditCommandPtr TakeStep() { return std::move(m_step); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CPageContext& m_context;
    CItemPreviousOrder& m_previous;
    std::function<bool()> m_prepare;
    CEditCommandPtr m_step;
};
