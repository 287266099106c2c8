// The report of the pattern tester, one item a line:
//   count N, hit OFFSET LENGTH (each hit), match K (each entry of the match
//   history) followed by its captures cap I "TEXT", and result "TEXT" when
//   the call replaced.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pattern/regex_types.h"

std::string FormatRegexReport(int32_t count, const CStrRegexHitList& hits, const CStrRegexHistory& history,
                              std::optional<std::string_view> result);
