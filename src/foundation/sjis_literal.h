// Shift-JIS bytes of a Japanese string literal.
//
// Source files are UTF-8; the system's texts are CP932 bytes. SJ("…") and
// SJ(u8"…") yield a zero-terminated const char* holding the literal's CP932
// bytes. Each place that uses SJ converts once, on its first run, and keeps
// the bytes for the rest of the process:
//
//     str.Regex(SJ("%{%/j%}武器"), "g");
#pragma once

#include <string>
#include <string_view>

#include "foundation/cp932.h"

inline std::string SjisLiteralBytes(std::string_view utf8) { return Utf8ToCp932(utf8); }

inline std::string SjisLiteralBytes(std::u8string_view utf8)
{
    return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

#define SJ(literal)                                                          \
    ([]() -> const char* {                                                   \
        static const std::string sjisLiteralBytes = SjisLiteralBytes(literal); \
        return sjisLiteralBytes.c_str();                                     \
    }())
