// Look-up in the user-matcher registries.
#pragma once

#include "pattern/regex_types.h"

// Entry n of the lower (%Nu) or upper (%NU) registry, or null.
StrRegexLowerMatcher StrRegexLowerEntry(uint32_t n);
StrRegexUpperMatcher StrRegexUpperEntry(uint32_t n);
