// One group of the use box's sub-entries at work (the group is described
// in use_sub_group.h): the entry combo filled from the shown use entry's
// list, one entry shown at a time in the group's controls, its buttons.
//
// Choosing another entry, or adding one, first saves the shown one. A
// control the user left alone gives back the text it was shown from (the
// group's read-back decides). A refused entry is reported as a failed apply
// is (the message, and a refusal with its lines) and keeps the combo on
// it; an entry added then goes again.
#pragma once

#include <cstdint>

#include "app/apply_result.h"
#include "document/use_struct.h"
#include "pages/use_sub_group.h"

class CUseBox;

template <class Controls>
class CUseSubEntries {
public:
    CUseSubEntries(CUseBox& box, const CUseSubGroup<Controls>& group) : m_box(box), m_group(group) {}

    // Fills the combo with the labels of `use`'s list (the empty entry of a
    // box without a shown entry) and shows the first, saving nothing.
    void ShowList(const Cusestruct& use);
    // Saves the shown entry into the shown use entry: done when there is
    // none or it was stored, a refusal when it was refused (see above).
    CApplyResult Save();
    // The group's controls as the shown use entry has them: nothing without
    // an entry, the buttons with it (for a beta-only group, under a beta rule
    // in entries that have the list), the combo and the entry's controls
    // only when the list has entries.
    void Enable(const Cusestruct* use, bool beta) const;
    // The shown entry, -1 for none.
    int32_t Shown() const { return m_nShown; }

    // The group's combo and buttons.
    void OnSelChange();
    void OnAdd();
    void OnDelete();
    // ↑ and ↓: the shown entry changes places with its neighbour, and the
    // controls go on showing it; nothing is saved.
    void OnUp();
    void OnDown();

private:
    CStrArray_base<64>* ShownList() const;
    // Saves the shown entry, then shows the combo's selection; false when
    // the shown entry was refused.
    bool SaveAndShowSelection();
    void Show(int32_t index);
    Controls ReadControls() const;
    void Move(int32_t other);

    CUseBox& m_box;
    const CUseSubGroup<Controls>& m_group;
    int32_t m_nShown = -1;
    bool m_bNew = false; // the shown entry was just added, and counts as edited
    Controls m_shown;    // what the controls held when the entry was shown or saved
};
