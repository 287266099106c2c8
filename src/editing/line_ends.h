// Line ends between texts in memory ("\n") and edit controls ("\r\n"). CR
// and LF are never the second byte of a double-byte character, so the
// conversions work byte by byte.
#pragma once

#include "foundation/str_base.h"

// Every CR LF pair becomes LF.
void CrLfToLf(CStr_base<16384>& text);
// Every LF not already preceded by CR becomes CR LF.
void LfToCrLf(CStr_base<16384>& text);
