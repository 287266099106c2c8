#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/decimal_text.h"

TEST(DecimalText, ReadsAsPercentDAndSaturates)
{
    struct Case {
        const char* text;
        bool number;
        int64_t value;
        int32_t value32;
    };
    const Case cases[] = {
        {"42", true, 42, 42},
        {" \t\n+7x", true, 7, 7},
        {"-5", true, -5, -5},
        {"007", true, 7, 7},
        {"12abc", true, 12, 12},
        {"99999999999", true, 99999999999LL, INT32_MAX},
        {"-99999999999", true, -99999999999LL, INT32_MIN},
        {"9223372036854775807", true, INT64_MAX, INT32_MAX},
        {"9223372036854775808", true, INT64_MAX, INT32_MAX},
        {"-9223372036854775808", true, INT64_MIN, INT32_MIN},
        {"-99999999999999999999999", true, INT64_MIN, INT32_MIN},
        {"", false, 0, -1},
        {"abc", false, 0, -1},
        {"-", false, 0, -1},
        {"+ 1", false, 0, -1},
        {"\x82\x4f", false, 0, -1}, // a full-width digit is no digit
    };
    for (const Case& c : cases) {
        int64_t value = 0;
        EXPECT_EQ(ReadDecimal(c.text, value), c.number) << c.text;
        if (c.number) {
            EXPECT_EQ(value, c.value) << c.text;
        }
        EXPECT_EQ(ReadDecimal32(c.text, -1), c.value32) << c.text;
    }
}
