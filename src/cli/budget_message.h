// What the commands say when a pattern of the user went over its budget.
#pragma once

#include <string>

#include "pattern/regex_budget.h"

// "the pattern went over its budget of 1000000000 steps and was stopped;
// there is no result", with the limit that `budget` stopped on.
std::string OverBudgetMessage(const CStrRegexBudget& budget);
