// "tavaro format" and "tavaro info": a data file opened as the editor opens
// a project, then written back or described.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Run the commands with the arguments that follow their names. Return the
// exit status: 0; 2 when the reader reported lines; EX_USAGE; for format 1
// when FILE cannot be opened as a project and EX_CANTCREAT when the output
// or the backup cannot be written; for info EX_NOINPUT when FILE cannot be
// opened as a project. A failure of `out` is the caller's to report.
int RunFormatCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunInfoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
