// The three groups of sub-entries in the use box, each described once: the
// list of the use entry it edits, its controls, how an entry is shown in
// them, read back from them and labelled in the entry combo. The code that
// runs a group (use_sub_entries.h) knows nothing else of it.
#pragma once

#include <cstdint>
#include <span>

#include "document/merx_document.h"
#include "editing/use_argselect.h"
#include "editing/use_job.h"
#include "editing/use_ung_line.h"
#include "foundation/str_base.h"

// What showing and reading back an entry may need besides the entry.
struct CUseSubScope {
    const CMerxDocument& doc;
    CStr_base<64> itemName; // the item's name as the name edit holds it
};

// One control of an entry, and the member of `Controls` it fills: the text
// of an edit or an editable combo, or the selection of a combo.
template <class Controls>
struct CUseSubControl {
    int32_t id;
    CStr_base<64> Controls::*text;
    int32_t Controls::*selection;
};

template <class Controls>
struct CUseSubGroup {
    const char* key;  // the use entry's list
    int32_t list;     // the entry combo
    // The controls of the shown entry, in the order they are filled and read.
    std::span<const CUseSubControl<Controls>> controls;
    // The group's buttons: enabled while the group is, with or without entries.
    std::span<const int32_t> buttons;
    // The group stands under a beta rule only, and only in entries that
    // have its list; the others stand in every shown entry.
    bool betaOnly;
    // An entry just added counts as edited in every control: it is read
    // from them as a whole when it is first saved.
    bool newEntryEdited;
    const char* newEntry; // the text of an entry just added
    CStr_base<64> (*label)(const char* entry);
    void (*show)(const char* entry, const CUseSubScope& scope, Controls& controls);
    // `shown` is null for an entry just added of a group whose new entries
    // count as edited.
    bool (*readBack)(const Controls* shown, const Controls& now, const CUseSubScope& scope, CStr_base<64>& entry,
                     CStr_base<1024>& errors);
};

// "job(職業補正)": job corrections, a job name and its parameter.
const CUseSubGroup<CJobControls>& JobGroup();
// "argselect(選択肢)": argument choices, a parameter and its heading.
const CUseSubGroup<CArgselectControls>& ArgselectGroup();
// "use/need/get(条件と報酬)": conditions and rewards.
const CUseSubGroup<CUngControls>& UngGroup();
