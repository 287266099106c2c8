// "tavaro sort": the items of a project sorted as the item sort dialog
// sorts them.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Runs "sort" with the arguments that follow it. Returns the exit status:
// 0 sorted (or already in order); 1 no items; 2 when -o was given and the
// reader reported lines (nothing written); EX_USAGE; EX_NOINPUT when FILE
// cannot be opened as a project or --rule names no known rule; EX_CANTCREAT
// when the output or the backup cannot be written. A failure of `out` is
// the caller's to report.
int RunSortCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
