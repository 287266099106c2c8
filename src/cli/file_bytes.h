// Whole files as raw bytes.
#pragma once

#include <string>

// Reads the file at `path` into `bytes`, up to the largest size the program
// reads (foundation/text_file.h). On failure returns false with the
// description of the problem in `error`.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);
