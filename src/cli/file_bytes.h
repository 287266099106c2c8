// Whole files as raw bytes.
#pragma once

#include <string>

// Reads the file at `path` into `bytes`. On failure returns false with the
// system's description of the problem in `error`.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);
