// "tavaro format" and "tavaro info": a data file opened as the editor opens
// a project, then written back or described.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Run the commands with the arguments that follow their names. Return the
// exit status: 0, 2 (the reader reported lines), 1 (error), EX_USAGE.
int RunFormatCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunInfoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
