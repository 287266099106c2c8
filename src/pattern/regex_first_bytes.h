// Which bytes can stand at a position where a pattern matches.
//
// The search loops use it to skip quickly over positions where no match can
// start; every result stays the same as trying each position.
#pragma once

#include <bitset>

#include "pattern/regex_node.h"

struct CStrRegexFirstBytes {
    std::bitset<256> bytes;  // the byte at a matching position is one of these
    bool useful = false;     // false: any position may match, nothing to skip
};

CStrRegexFirstBytes StrRegexFirstBytes(const CStrRegexStruct& root, bool ignoreCase);
