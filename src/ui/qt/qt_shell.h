// The shell on Qt: "open" a document with the desktop's application for
// it (QDesktopServices; parameters are for programs only), or start an
// executable file with its parameters in a working folder (QProcess,
// detached).
#pragma once

#include <cstdint>

#include "foundation/str_array.h"

// The result as Windows gives it: above 32 on success; 2 when the file is
// not there or cannot be opened or started, 31 for a verb other than "open".
int32_t QtShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments, const char* folder);
