// Texts the user types on the command line (names, search and replacement
// texts): UTF-8 taken as it is, without escapes, and converted to CP932 as
// every argument is. A text with characters the data file cannot hold is
// refused, never written with "?" in their place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The CP932 bytes of `utf8`; nothing when it holds characters that CP932
// lacks or would turn into others (foundation/cp932.h, TypedUtf8ToCp932),
// and `problem` then names them: "holds characters that CP932 cannot hold:
// 한 (U+D55C), ¥ (U+00A5)". Variants CP932 writes as the same character
// ("〜" U+301C as "～") are taken.
std::optional<std::string> Cp932Operand(std::string_view utf8, std::string& problem);

// The refused characters of a text, each with its code point, for a
// message: "한 (U+D55C), é (U+00E9)".
std::string DescribeRefusedChars(std::u32string_view refused);
