// The arrangement page: every element of the file in order, the selected
// one's details, other texts edited in place, elements moved, other texts
// inserted, copied and deleted, and a jump to any element's editing page.
#pragma once

#include <cstdint>

#include "pages/filtered_list_page.h"
#include "pages/main_page.h"

class Cpage_set : public CFilteredListPage {
public:
    explicit Cpage_set(CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override;
    void StoreSelection(CProjectInfo& info) const override;
    int32_t CurrentElement() const override;
    void SelectElement(int32_t index) override;
    void Reload() override;
    // "適用": stores the shown other text.
    CApplyResult Apply() override;

    // The list selection changed: an edited other text is applied first
    // (a refusal keeps the selection on it), then the selected element is
    // shown.
    void OnSelChangeList();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnDestroy() override;

private:
    void OnInsert();
    void OnCopy();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnEditPage();
    void OnRevert();

    // Stores the shown other text when the user changed it; a refusal, its
    // message shown, when it would not read back.
    CApplyResult ApplyShown();
    void ShowSelected(int32_t index);
    // Puts element `index` into its list line, when the filter shows it.
    void SetLine(int32_t index);
    // The element of the selected list line; -1 for none.
    int32_t SelectedIndex() const;
    // The filter box, as on the item page: the list shows the elements whose
    // label holds its text.
    uint32_t FilterCount() const override;
    void AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const override;
    void EnableMoveButtons() override;
    void FillList() override;
    void Move(int32_t upper, bool up);
    // The internal-error box for an element of a kind the operation cannot
    // take.
    void WrongKind(const CMERX_base& element, const char* handler);
    bool ShowsOtherText() const;

    int32_t m_nSelection = -1;      // the arrangement selection; kept while the page is closed
    int32_t m_nShown = -1;          // the element in the detail box, -1 for none
    CStr_base<16384> m_strShown;    // what the detail edit held when shown or applied
    mutable CStr_base<64> m_label;  // the label the filter looks at, one element at a time
};
