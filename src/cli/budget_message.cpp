#include "cli/budget_message.h"

std::string OverBudgetMessage(const CStrRegexBudget& budget)
{
    const std::string limit = budget.stop == StrRegexStop::kMemory
                                  ? std::to_string(budget.maxBytes >> 20) + " MB for captures and results"
                                  : std::to_string(budget.maxSteps) + " steps";
    return "the pattern went over its budget of " + limit + " and was stopped; there is no result";
}
