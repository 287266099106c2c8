#include "ui/file_filter.h"

void UiSplitFileFilter(const char* filter, CStrArray_base<64>& names, CStrArray_base<64>& patterns)
{
    names.RemoveAll();
    patterns.RemoveAll();
    CStrArray_base<64> pieces;
    pieces.Split(filter, "|");
    for (uint32_t i = 0; i + 1 < pieces.GetCount(); i += 2) {
        if (pieces[i].IsEmpty() || pieces[i + 1].IsEmpty())
            break;
        names.Add()->Assign(pieces[i]);
        patterns.Add()->Assign(pieces[i + 1]);
    }
}
