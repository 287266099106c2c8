// Results, registries and entry points of the pattern engine.
#pragma once

#include <cstdint>
#include <functional>

#include "foundation/array_auto.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"
#include "pattern/regex_budget.h"
#include "pattern/regex_node.h"

// Capture list: captured texts in the order in which their captures finished.
class CStrRegexMatchStruct : public CStrArray_base<16384> {};

// Where a match (or, when replacing, its replacement in the output) lies.
struct CStrRegexHitBufStruct {
    uint32_t offset = 0;
    uint32_t length = 0;
};

using CStrRegexHistory = CArrayAuto<CStrRegexMatchStruct>;
using CStrRegexHitList = CArrayAuto<CStrRegexHitBufStruct>;

// User matchers: (text position, escape node, body holding the node, the
// node's index in that body[, capture list]) -> bytes consumed, or -1.
using StrRegexLowerMatcher = int32_t (*)(const char* pos, const CStrRegexStruct* node, const CStrRegexBody* body,
                                         uint32_t index);
using StrRegexUpperMatcher = int32_t (*)(const char* pos, const CStrRegexStruct* node, const CStrRegexBody* body,
                                         uint32_t index, CStrRegexMatchStruct* captures);

// Appends an entry to the lower (%Nu) or upper (%NU) registry; returns its
// number. A registry holds up to 64 entries; one more is an internal error
// (raises 0). Registering is safe while calls run on other threads: an
// entry, once there, stays as it is.
uint32_t StrRegexRegisterLower(StrRegexLowerMatcher matcher);
uint32_t StrRegexRegisterUpper(StrRegexUpperMatcher matcher);
// Empties both registries (for tests that need a known state; no call may
// run meanwhile).
void StrRegexClearUserMatchers();

// Match function of StrRegex: (text at the match, offset, length, capture
// list) -> length to use; a negative value rejects the match.
using StrRegexMatchFunc = std::function<int32_t(const char* at, uint32_t offset, uint32_t length,
                                                CStrRegexMatchStruct* captures)>;

// Search over a plain zero-terminated text; returns the number of matches.
// Under a budget (patterns from the user), returns kStrRegexStopped when the
// budget ran out, with the reason in the budget (regex_budget.h).
int32_t StrRegex(const char* text, const char* pattern, const char* options,
                 CStrRegexMatchStruct* captures = nullptr, CStrRegexHistory* history = nullptr,
                 CStrRegexHitList* hits = nullptr, const StrRegexMatchFunc& func = {},
                 CStrRegexBudget* budget = nullptr);

// Search and replace over `length` bytes of `subject` (zero-terminated).
// With `replace` the output (the whole rewritten text) goes to `output`;
// a call stopped by its budget leaves `output` unfinished.
int32_t StrRegexSubject(const char* subject, uint32_t length, const char* pattern, const char* options,
                        CStrRegexMatchStruct* captures, const char* replace, CStrRegexHistory* history,
                        int32_t start, CStrRegexHitList* hits, const StrRegexReplaceFunc& func,
                        CStr_base<16384>* output, CStrRegexBudget* budget);
