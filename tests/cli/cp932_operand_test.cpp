// Texts typed on the command line, converted to CP932.
#include "cli/cp932_operand.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(Cp932Operand, ConvertsOrRefusesALostCharacter)
{
    const std::pair<const char*, std::optional<std::string>> rows[] = {
        {"名剣", "\x96\xbc\x8c\x95"},
        {"a?b", "a?b"},               // a question mark of its own is no lost character
        {"〜", "\x81\x60"},           // has a CP932 code, though that reads back as "～"
        {"\xff", "\xff"},             // no UTF-8: taken as a byte, as every argument
        {"剣😀", std::nullopt},
        {"é", std::nullopt},
    };
    for (const auto& [utf8, text] : rows)
        EXPECT_EQ(Cp932Operand(utf8), text) << utf8;
}
