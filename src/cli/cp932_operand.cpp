#include "cli/cp932_operand.h"

#include <algorithm>

#include "foundation/cp932.h"

std::optional<std::string> Cp932Operand(std::string_view utf8)
{
    // The conversion writes "?" for a character CP932 lacks, and only then
    // does a "?" appear that the argument did not have: every other byte
    // of a CP932 text that is 0x3F is a "?" of the argument (no second byte
    // of a double-byte character is below 0x40).
    std::string text = Utf8ToCp932(utf8);
    if (std::count(text.begin(), text.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
        return std::nullopt;
    return text;
}
