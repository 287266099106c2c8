#include "editing/line_ends.h"

void CrLfToLf(CStr_base<16384>& text) { text.Replace("\r\n", "\n"); }

void LfToCrLf(CStr_base<16384>& text)
{
    CStr_base<16384> out;
    out.Reserve(text.GetLength() + text.GetLength() / 8 + 2);
    const char* p = text.GetBuffer();
    for (uint32_t i = 0; i < text.GetLength(); ++i) {
        if (p[i] == '\n' && (i == 0 || p[i - 1] != '\r'))
            out.Append('\r');
        out.Append(p[i]);
    }
    text.Swap(out);
}
