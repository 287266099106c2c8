// "tavaro regex": runs a pattern over a text with the editor's pattern
// engine and reports the result, hits, match history and replacement.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

// Runs the command with the arguments that follow "regex"; the report goes
// to `out`, problems to `err`. The pattern runs under the default budget of
// user patterns. Returns the exit status: 0, or EX_USAGE, EX_DATAERR (a file
// with a zero byte, a pattern over its budget), EX_NOINPUT. The editor's user
// matchers must be registered beforehand.
int RunRegexCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
