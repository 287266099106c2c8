// Which separator patterns of rule files the rule fuzz target leaves alone
// because of their cost: the document code runs them without a budget.
#pragma once

#include <cstdint>
#include <string_view>

// Repetition counts multiply: "%999(%999(%999T%)%)" legitimately needs
// about 10^9 steps and as many captures (each capture owns a 16 KB buffer).
// Such inputs find nothing but time-outs and out-of-memory reports, so
// patterns with a digit run longer than three characters, or whose numbers
// multiply to more than 100, are skipped.
inline bool TooCostly(std::string_view pattern)
{
    uint64_t product = 1;
    for (size_t i = 0; i < pattern.size();) {
        if (pattern[i] < '0' || pattern[i] > '9') {
            ++i;
            continue;
        }
        size_t digits = 0;
        uint64_t number = 0;
        for (; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9'; ++i, ++digits)
            number = number * 10 + static_cast<uint64_t>(pattern[i] - '0');
        if (digits > 3)
            return true;
        product *= number > 1 ? number : 1;
        if (product > 100)
            return true;
    }
    return false;
}
