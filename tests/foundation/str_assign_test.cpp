// A counted assign stops at the first zero byte, for short and long counts
// alike (short counts are measured without a call).
#include <gtest/gtest.h>

#include <string>

#include "foundation/str_base.h"

TEST(StrCountedAssign, StopsAtTheFirstZeroWithinTheCount)
{
    struct Row {
        uint32_t count;
        int zeroAt; // -1: no zero byte within the text
    };
    const Row rows[] = {{0, -1}, {1, -1}, {1, 0}, {31, -1}, {31, 30}, {32, -1}, {32, 31}, {32, 0},
                        {33, -1}, {33, 32}, {33, 31}, {100, -1}, {100, 99}, {100, 40}, {100, 5}};
    for (const Row& row : rows) {
        std::string text(200, 'x');
        for (uint32_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        if (row.zeroAt >= 0)
            text[row.zeroAt] = 0;
        CStr_base<64> s;
        s.Assign(text.data(), static_cast<int32_t>(row.count));
        const uint32_t expected =
            row.zeroAt >= 0 && static_cast<uint32_t>(row.zeroAt) < row.count ? row.zeroAt : row.count;
        EXPECT_EQ(s.GetLength(), expected) << row.count << " " << row.zeroAt;
        EXPECT_EQ(std::string(s.GetBuffer()), text.substr(0, expected)) << row.count << " " << row.zeroAt;
        EXPECT_EQ(s.GetBuffer()[expected], 0);
    }
}
