#include "foundation/decimal_text.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

} // namespace

bool ReadDecimal(const char* text, int64_t& value)
{
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    // Accumulated as a negative number, whose range is the larger one.
    int64_t number = 0;
    bool saturated = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const int digit = *p - '0';
        if (saturated)
            continue;
        if (number < (INT64_MIN + digit) / 10) {
            saturated = true;
            continue;
        }
        number = number * 10 - digit;
    }
    if (saturated)
        value = negative ? INT64_MIN : INT64_MAX;
    else if (negative)
        value = number;
    else
        value = number == INT64_MIN ? INT64_MAX : -number;
    return true;
}

int32_t ReadDecimal32(const char* text, int32_t fallback)
{
    int64_t value;
    if (!ReadDecimal(text, value))
        return fallback;
    if (value < INT32_MIN)
        return INT32_MIN;
    if (value > INT32_MAX)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}
