// The item page's controls: the item list on the left, the item's own
// fields in the "@@ITEM" box, the use entries in the "@@USE" box, and the
// page buttons along the bottom.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace item_page {

enum : int32_t {
    IDD = 129,

    // The item list and its buttons.
    IDC_ITEM_LIST = 1000,
    IDC_ADD,
    IDC_COPY,
    IDC_DELETE,
    IDC_UP,
    IDC_DOWN,
    IDC_SORT,
    IDC_INSERT,
    IDC_FILTER,            // the filter box over the list

    // The item's own fields.
    IDC_NO = 1010,
    IDC_TYPE,
    IDC_CODE,
    IDC_NAME,
    IDC_INFO,
    IDC_PRICE,
    IDC_LIMIT_STOCK,
    IDC_LIMIT_MARKET,
    IDC_POP,
    IDC_SCALE,
    IDC_PLUS,
    IDC_BASE_COUNT,
    IDC_BASE_HALF,
    IDC_COST,
    IDC_POINT,
    IDC_FLAG_FIRST = 1030, // six boxes in the order of the flag names
    IDC_FUNC_COMBO = 1040,
    IDC_FUNC_EDIT,
    IDC_FUNC_WINDOW,       // 別ウィンドウ
    IDC_ITEM_EX,           // 拡張項目

    // Along the bottom; the default button "適用" is kIdOk.
    IDC_ICON_EDIT = 1050,
    IDC_DIRECT_EDIT,
    IDC_REVERT,

    // The use entries.
    IDC_USE_LIST = 1100,
    IDC_USE_ADD,
    IDC_USE_COPY,
    IDC_USE_DELETE,
    IDC_USE_UP,
    IDC_USE_DOWN,
    IDC_USE_FIELD_FIRST = 1110, // name … needexp, in the order of g_aszUseFieldKeys
    IDC_USE_PARAM_FIRST = 1123, // param1 … param4
    IDC_ARG_TARGET = 1130,
    IDC_ARG_NOCOUNT,
    IDC_ARG_MESSAGE,
    IDC_ARG_MESSAGE_NUMBER,
    IDC_ARG_SELECT,
    IDC_ARG_SELECT_MODE,
    IDC_USE_FUNC_COMBO = 1140,
    IDC_USE_FUNC_REF,
    IDC_USE_FUNC_EDIT,
    IDC_USE_FUNC_WINDOW,
    IDC_USE_EX,
    IDC_JOB_LIST = 1150,
    IDC_JOB_ADD,
    IDC_JOB_DELETE,
    IDC_JOB_HALVE,
    IDC_JOB_NAME,
    IDC_JOB_PARAM,
    IDC_ARGSEL_LIST = 1160,
    IDC_ARGSEL_ADD,
    IDC_ARGSEL_DELETE,
    IDC_ARGSEL_UP,
    IDC_ARGSEL_DOWN,
    IDC_ARGSEL_PARAM,
    IDC_ARGSEL_HEADING,
    IDC_UNG_LIST = 1170,
    IDC_UNG_ADD,
    IDC_UNG_DELETE,
    IDC_UNG_KIND,
    IDC_UNG_ITEM,
    IDC_UNG_COUNT,
    IDC_UNG_RATE,
    IDC_UNG_MESSAGE,
    IDC_USE_LAST = IDC_UNG_MESSAGE,
};

// The item's edits (no combo, no flag box), and the field each shows.
struct CItemEditControl {
    int32_t id;
    const char* key;
};

const CUiDialogTemplate& ItemPageTemplate();

} // namespace item_page
