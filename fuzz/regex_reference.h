// Plain re-statements of two things the pattern engine does, for the fuzzer
// to compare with: expanding a replacement template, and the scan of the
// entry points for a pattern that is one plain literal (no "%").
#pragma once

#include <string>
#include <vector>

#include "pattern/regex_types.h"

using Captures = std::vector<std::string>;

// Appends the template expanded for one match to `out`. Returns false for
// the forms whose reading is not settled: a "%" that ends the template (after
// its digits, if any), a "%" before a double-byte character, "%v" or "%V"
// without a number, and numbers of more than nine digits.
bool ExpandTemplate(const std::string& replace, const Captures& captures, std::string* out);

// The hits of the search (CStr_base::Regex, start offset 0) for a pattern
// without "%", with the literal compared directly at each position.
std::vector<CStrRegexHitBufStruct> LiteralHits(const std::string& literal, const std::string& text,
                                               const std::string& options);
