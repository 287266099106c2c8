// The event page's controls: the event list on the left, the event's
// fields, script texts and param lines in the "@@EVENT" box, and the page
// buttons along the bottom.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace event_page {

enum : int32_t {
    IDD = 130,

    // The event list and its buttons.
    IDC_EVENT_LIST = 1000,
    IDC_ADD,
    IDC_COPY,
    IDC_DELETE,
    IDC_UP,
    IDC_DOWN,
    IDC_INSERT,
    IDC_FILTER,            // the filter box over the list

    // The event's fields in the order of g_aszEventFieldKeys; "group" is
    // an editable combo.
    IDC_FIELD_FIRST = 1010,
    IDC_GROUP = IDC_FIELD_FIRST + 4,

    // The script texts.
    IDC_FUNC_COMBO = 1030,
    IDC_FUNC_REF,
    IDC_FUNC_EDIT,

    // The param lines.
    IDC_PARAM_LIST = 1040,
    IDC_PARAM_ADD,
    IDC_PARAM_COPY,
    IDC_PARAM_DELETE,
    IDC_PARAM_ITEM,
    IDC_PARAM_VALUE,

    // Along the bottom; the default button "適用" is kIdOk.
    IDC_DIRECT_EDIT = 1050,
    IDC_REVERT,
};

const CUiDialogTemplate& EventPageTemplate();

} // namespace event_page
