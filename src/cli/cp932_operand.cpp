#include "cli/cp932_operand.h"

#include <cstdio>

#include "foundation/cp932.h"

std::optional<std::string> Cp932Operand(std::string_view utf8, std::string& problem)
{
    CTypedCp932 typed = TypedUtf8ToCp932(utf8);
    if (!typed.refused.empty()) {
        problem = "holds characters that CP932 cannot hold: " + DescribeRefusedChars(typed.refused);
        return std::nullopt;
    }
    return std::move(typed.bytes);
}

std::string DescribeRefusedChars(std::u32string_view refused)
{
    std::string text;
    for (char32_t cp : refused) {
        if (!text.empty())
            text += ", ";
        AppendUtf8(text, cp);
        char code[16];
        std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(cp));
        text += code;
    }
    return text;
}
