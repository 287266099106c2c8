// Japanese texts in tests: S() turns a UTF-8 literal into the CP932 bytes
// the system holds, U() a CP932 text back into UTF-8 for messages and
// comparisons that a reader of the test can read.
#pragma once

#include <string>

#include "foundation/cp932.h"
#include "foundation/str_base.h"

inline std::string S(const std::string& utf8) { return Utf8ToCp932(utf8); }

inline std::string U(const std::string& cp932) { return Cp932ToUtf8(cp932); }

template <unsigned N>
std::string U(const CStr_base<N>& text)
{
    return Cp932ToUtf8(std::string(text.GetBuffer(), text.GetLength()));
}
