// The definition page's controls: the edit of the "@@DEFINE" block and the
// page buttons below it.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace define_page {

enum : int32_t {
    IDD = 133,
    IDC_DEFINE_EDIT = 1000,
    // Along the bottom; the default button "適用" is kIdOk.
    IDC_REVERT = 1051,
};

const CUiDialogTemplate& DefinePageTemplate();

} // namespace define_page
