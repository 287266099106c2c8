// "tavaro find" and "tavaro replace": the editor's find window run over a
// project, the lines of its results window on standard output.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Runs "find" with the arguments that follow it. Returns the exit status:
// 0 an element matched; 1 none did; EX_USAGE; EX_DATAERR when the pattern
// went over its budget (nothing printed); EX_NOINPUT when FILE cannot be
// opened as a project or --rule names no known rule. A failure of `out` is
// the caller's to report.
int RunFindCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Runs "replace" likewise: 0 something was replaced; 1 nothing was; 3 an
// element's replacement was refused (the others replaced, and written with
// -o); 2 when -o was given and the reader reported lines (nothing written);
// EX_USAGE; EX_DATAERR when the pattern went over its budget (nothing
// printed or written); EX_NOINPUT as for find; EX_CANTCREAT when the output
// or the backup cannot be written.
int RunReplaceCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
