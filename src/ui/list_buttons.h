// The buttons of a list: the keys Delete, Alt+Up and Alt+Down in a list do
// what its "削除", "↑" and "↓" buttons do. A list's button is the one with
// that caption under the list, in its column, nearest to it.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

// The identifier of the button of list `listId` whose caption is `caption`
// (CP932), or 0 when the template has none.
int32_t ListButton(const CUiDialogTemplate& dialogTemplate, int32_t listId, const char* caption);
