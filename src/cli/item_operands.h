// The operands of "tavaro item rename": which item, and whether its new
// name reads back (the name itself is a CP932 operand, cli/cp932_operand.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// INDEX: digits only, from 0 ("007" is 7); a number too large for the
// result saturates, which no item's index reaches. Nothing for any other
// text, the empty one too.
std::optional<uint64_t> ReadItemIndex(std::string_view text);

// Why an item name (CP932) would not come back unchanged when the file is
// read again ("it holds a line feed"); null when it would. The reader cuts
// lines at CR and LF, takes "#" for the start of a comment, trims blanks
// at both ends and reads "_local_" as the start of a block of lines.
const char* NameReadBackProblem(std::string_view name);
