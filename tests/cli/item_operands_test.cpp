// The operands of "tavaro item rename": INDEX, and whether NEWNAME reads back.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "cli/item_operands.h"

TEST(ItemOperands, IndexIsDigitsOnly)
{
    const std::pair<const char*, std::optional<uint64_t>> rows[] = {
        {"0", 0},
        {"007", 7},
        {"4294967296", 4294967296u},
        {"99999999999999999999999", std::numeric_limits<uint64_t>::max()},  // saturates, never wraps
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1a", std::nullopt},
        {"１", std::nullopt},  // a full-width digit
    };
    for (const auto& [text, index] : rows)
        EXPECT_EQ(ReadItemIndex(text), index) << text;
}

TEST(ItemOperands, NamesThatWouldNotReadBackAreNamed)
{
    const std::pair<std::string, const char*> rows[] = {
        {"sword", nullptr},
        {"two words", nullptr},
        {"\x95\x5c", nullptr},      // "表": a second byte 0x5C
        {"a\x81", nullptr},         // a stray lead byte takes no line end with it
        {"_local_x", nullptr},
        {"a\nb", "it holds a line feed"},
        {"a\rb", "it holds a carriage return"},
        {"a#b", "it holds \"#\", which begins a comment in the file"},
        {"\x81#", "it holds \"#\", which begins a comment in the file"},  // "#" is no second byte
        {" a", "it begins with a blank"},
        {"\ta", "it begins with a blank"},
        {"a ", "it ends with a blank"},
        {"a\t", "it ends with a blank"},
        {"_local_", "\"_local_\" begins a block of lines in the file"},
    };
    for (const auto& [name, problem] : rows) {
        const char* found = NameReadBackProblem(name);
        EXPECT_EQ(found ? std::string(found) : "", problem ? std::string(problem) : "") << name;
    }
}
