// What the commands say when a pattern went over its budget.
#include "cli/budget_message.h"

#include <gtest/gtest.h>

TEST(BudgetMessage, NamesTheLimitThatStoppedThePattern)
{
    CStrRegexBudget budget;
    budget.maxSteps = 2'000'000;
    budget.maxBytes = 16u << 20;
    const std::pair<StrRegexStop, const char*> rows[] = {
        {StrRegexStop::kSteps, "the pattern went over its budget of 2000000 steps and was stopped; there is no result"},
        {StrRegexStop::kMemory,
         "the pattern went over its budget of 16 MB for captures and results and was stopped; there is no result"},
    };
    for (const auto& [stop, message] : rows) {
        budget.stop = stop;
        EXPECT_EQ(OverBudgetMessage(budget), message);
    }
}
