// "tavaro check": the project integrity check of the editor, its findings
// printed as the editor's results window lists them.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Runs "check" with the arguments that follow it. Returns the exit status:
// 0 no findings; 1 findings; 2 no findings but the reader reported lines;
// EX_USAGE; EX_NOINPUT when FILE cannot be opened as a project or --rule
// names no known rule. A failure of `out` is the caller's to report.
int RunCheckCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
