// A typed one-line text without the white space around it, as the reader
// would trim it on reopen.
#pragma once

#include "document/line_scan.h"
#include "foundation/str_base.h"

inline CStr_base<64> TrimmedText(const CStr_base<64>& text)
{
    uint32_t start = 0, end = 0;
    TrimRange(text.GetBuffer(), text.GetLength(), start, end);
    CStr_base<64> trimmed;
    trimmed.Assign(text.GetBuffer() + start, static_cast<int32_t>(end - start));
    return trimmed;
}
