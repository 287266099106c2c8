// Which bytes can stand at a position where a pattern (or the rest of a body)
// matches; the terminating zero stands for the end of the text.
//
// The search loops and the "+" and "*" elements use it to pass over positions
// where no match can start; every result stays the same as trying each one.
#pragma once

#include <bitset>

#include "pattern/regex_node.h"

struct CStrRegexFirstBytes {
    std::bitset<256> bytes;         // the byte at a matching position is one of these
    bool useful = false;            // false: any position may match, nothing to skip
    int single = -1;                // the only byte in `bytes`, or -1 (not set for a rest)
};

CStrRegexFirstBytes StrRegexFirstBytes(const CStrRegexStruct& root, bool ignoreCase);
CStrRegexFirstBytes StrRegexRestFirstBytes(const CStrRegexBody& body, uint32_t from, bool ignoreCase);
