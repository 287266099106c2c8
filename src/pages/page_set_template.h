// The arrangement page's controls: every element of the file in order on
// the left with the list buttons, the details of the selected element on
// the right, and the page buttons along the bottom.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace set_page {

enum : int32_t {
    IDD = 132,

    IDC_ELEMENT_LIST = 1000,
    IDC_INSERT,       // 挿入
    IDC_COPY,         // 複製
    IDC_DELETE,       // 削除
    IDC_UP,           // ↑
    IDC_DOWN,         // ↓
    IDC_FILTER,       // the filter box over the list
    IDC_DETAIL = 1010,
    IDC_EDIT_PAGE,    // 編集ページに切替
    IDC_REVERT = 1020, // 元に戻す; "適用" is kIdOk
};

const CUiDialogTemplate& SetPageTemplate();

} // namespace set_page
