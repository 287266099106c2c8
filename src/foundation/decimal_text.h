// Numbers typed by a person or stored as text, read as the C library's
// "%d" reads them: leading white space, an optional sign, digits, anything
// after them ignored. A number too large for the result saturates instead
// of wrapping, so "99999999999" is never taken for a small or negative one.
#pragma once

#include <cstdint>

// The number at the start of `text`; false, with `value` untouched, when no
// digit comes after the white space and the sign.
bool ReadDecimal(const char* text, int64_t& value);

// As ReadDecimal, saturated to the 32-bit range; `fallback` when there is
// no number.
int32_t ReadDecimal32(const char* text, int32_t fallback);
