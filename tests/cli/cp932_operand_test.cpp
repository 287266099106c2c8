// Texts typed on the command line, converted to CP932.
#include "cli/cp932_operand.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(Cp932Operand, ConvertsOrNamesTheRefusedCharacters)
{
    const struct {
        const char* utf8;
        std::optional<std::string> text;
        std::string problem;
    } rows[] = {
        {"名剣", "\x96\xbc\x8c\x95", ""},
        {"a?b", "a?b", ""},          // a question mark of its own is no lost character
        {"〜−", "\x81\x60\x81\x7c", ""},  // variants written as CP932's "～" and "－"
        {"\xff", "\xff", ""},        // no UTF-8: taken as a byte, as every argument
        {"剣😀", std::nullopt, "holds characters that CP932 cannot hold: 😀 (U+1F600)"},
        {"éaé한", std::nullopt, "holds characters that CP932 cannot hold: é (U+00E9), 한 (U+D55C)"},
        {"\\¥", std::nullopt, "holds characters that CP932 cannot hold: ¥ (U+00A5)"},  // no second backslash
    };
    for (const auto& row : rows) {
        std::string problem;
        EXPECT_EQ(Cp932Operand(row.utf8, problem), row.text) << row.utf8;
        EXPECT_EQ(problem, row.problem) << row.utf8;
    }
}
