// Whole files as raw bytes.
#pragma once

#include <string>

#include "foundation/str_base.h"

// Reads the file at `path` into `bytes` as it is (zero bytes too), straight
// into the string's buffer, up to the largest size the program reads
// (foundation/text_file.h). On failure returns false with the description
// of the problem in `error`.
bool ReadFileBytes(const std::string& path, CStr_base<16384>& bytes, std::string& error);
