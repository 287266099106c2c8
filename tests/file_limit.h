// A lower limit of file sizes for one test: a few bytes stand for the
// 256 MiB a file may have.
#pragma once

#include <cstdint>

#include "foundation/text_file.h"

class LowerFileLimit {
public:
    explicit LowerFileLimit(uint64_t bytes) { SetLargestFileBytes(bytes); }
    ~LowerFileLimit() { SetLargestFileBytes(kLargestFileBytes); }
    LowerFileLimit(const LowerFileLimit&) = delete;
    LowerFileLimit& operator=(const LowerFileLimit&) = delete;
};
