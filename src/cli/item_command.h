// "tavaro item": the items of a project listed, and an item renamed with
// its name followed through the project as the item page follows it.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Runs "item list" or "item rename" with the arguments that follow "item".
// Returns the exit status: 0; 1 when a rename is refused (nothing written);
// 2 when -o was given and the reader reported lines (nothing written);
// EX_USAGE; EX_NOINPUT when FILE cannot be opened as a project or --rule
// names no known rule; EX_CANTCREAT when the output or the backup cannot be
// written. A failure of `out` is the caller's to report.
int RunItemCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
