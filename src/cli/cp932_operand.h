// Texts the user types on the command line (names, search and replacement
// texts): UTF-8 taken as it is, without escapes, and converted to CP932 as
// every argument is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The CP932 bytes of `utf8`; nothing when it holds a character that CP932
// lacks (which would otherwise be written as "?").
std::optional<std::string> Cp932Operand(std::string_view utf8);
