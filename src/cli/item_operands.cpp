#include "cli/item_operands.h"

#include <limits>

std::optional<uint64_t> ReadItemIndex(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    constexpr uint64_t kMost = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        value = value > (kMost - digit) / 10 ? kMost : value * 10 + digit;
    }
    return value;
}

const char* NameReadBackProblem(std::string_view name)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    if (name.find('\n') != std::string_view::npos)
        return "it holds a line feed";
    if (name.find('\r') != std::string_view::npos)
        return "it holds a carriage return";
    // "#" is below every second byte: each one begins a character.
    if (name.find('#') != std::string_view::npos)
        return "it holds \"#\", which begins a comment in the file";
    if (!name.empty() && isBlank(name.front()))
        return "it begins with a blank";
    if (!name.empty() && isBlank(name.back()))
        return "it ends with a blank";
    if (name == "_local_")
        return "\"_local_\" begins a block of lines in the file";
    return nullptr;
}
