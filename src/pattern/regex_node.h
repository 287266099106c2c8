// Node of a compiled pattern.
#pragma once

#include <cstdint>

#include "foundation/array_auto.h"
#include "foundation/str_base.h"

enum : char {
    REGEX_KIND_EMPTY = 0,
    REGEX_KIND_LITERAL = 1,
    REGEX_KIND_GROUP = 2,
    REGEX_KIND_CAPTURE = 3,
    REGEX_KIND_ALTERNATIVES = 4,
    REGEX_KIND_ESCAPE = 5,
    REGEX_KIND_RANGE = 6,
};

struct CStrRegexStruct {
    char kind = REGEX_KIND_EMPTY;
    CStr_base<32> text;                    // literal bytes of a literal node
    CArrayAuto<CStrRegexStruct> children;  // body of a group, capture or alternatives; operand of %z
    char letter = ' ';                     // escape letter
    char prefix = ' ';                     // ' ', '+', '*', '!' or '/'
    char rangeLow = ' ';
    char rangeHigh = ' ';
    int32_t count = -1;  // number before the dot (repetition count)
    int32_t index = -1;  // number after the dot (for v, V, h, t, u, U: the escape's N)
    int32_t max = -1;    // number after the comma
};

using CStrRegexBody = CArrayAuto<CStrRegexStruct>;

// Compiles a pattern into the children of `root` (a group node). Every byte
// sequence is a valid pattern.
void StrRegexCompile(const char* pattern, CStrRegexStruct* root);
