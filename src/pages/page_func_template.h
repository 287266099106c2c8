// The function page's controls: the combo of the twelve function keywords,
// the edit of the chosen block's text, and the page buttons below it.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace func_page {

enum : int32_t {
    IDD = 131,
    IDC_FUNC_COMBO = 1000, // in keyword order
    IDC_FUNC_EDIT,
    // Along the bottom; the default button "適用" is kIdOk.
    IDC_DIRECT_EDIT = 1050,
    IDC_REVERT,
};

const CUiDialogTemplate& FuncPageTemplate();

} // namespace func_page
