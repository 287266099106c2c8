#include "ui/list_buttons.h"

#include <cstring>
#include <limits>

int32_t ListButton(const CUiDialogTemplate& t, int32_t listId, const char* caption)
{
    const CUiControlTemplate* list = nullptr;
    for (const CUiControlTemplate& c : t.controls) {
        if (c.id == listId && c.kind == UiControlKind::kList)
            list = &c;
    }
    if (!list)
        return 0;
    const CUiRect& l = list->rect;
    int32_t found = 0;
    int32_t nearest = std::numeric_limits<int32_t>::max();
    for (const CUiControlTemplate& c : t.controls) {
        const CUiRect& r = c.rect;
        if (c.kind != UiControlKind::kButton || std::strcmp(c.caption, caption) != 0 || r.y < l.y + l.h ||
            r.x < l.x || r.x + r.w > l.x + l.w)
            continue;
        if (r.y - (l.y + l.h) < nearest) {
            nearest = r.y - (l.y + l.h);
            found = c.id;
        }
    }
    return found;
}
