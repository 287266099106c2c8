// Texts on the tavaro command line.
//
// Arguments are UTF-8 with backslash escapes; the engine works on CP932
// bytes. Reports quote CP932 texts back into UTF-8 with the same escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads the escapes \\ \" \n \r \t and \xHH (one raw byte, 01 to FF, either
// case) of a UTF-8 argument and returns the CP932 bytes: the text between
// escapes is converted from UTF-8, the escaped bytes are taken as they are.
// Any other backslash (an unknown letter, \x without two hex digits, \x00,
// a backslash at the end) is refused, and so is text with characters that
// CP932 cannot hold (cli/cp932_operand.h): the result is empty and `error`
// describes the problem.
std::optional<std::string> ReadEscapedArgument(std::string_view utf8, std::string& error);

// Quotes CP932 bytes for a report: "…" in UTF-8, with \\ \" \n \r \t, and
// \xHH (upper-case hex) for the other control bytes and for every byte that
// is no part of a CP932 character.
std::string QuoteCp932(std::string_view bytes);
