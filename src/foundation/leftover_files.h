// Files that a process names after itself ("PREFIX<pid>REST") and that
// it leaves behind when it is killed: the temporary file of an unfinished
// save, an editor's recovery copy. Another process may take such a file
// over, or remove it, once the process that made it is gone.
//
// A process counts as gone only when the system says that no process has
// its number; a number that another process has taken since counts as
// alive, so that a file is at worst kept too long, never taken from a
// process that still works with it. Numbers are those of this system's
// processes: a folder shared with other machines is not looked after.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What may follow the process number in such a name.
using CNameRest = bool (*)(std::string_view rest);

// The process number in `name` when it is `prefix`, decimal digits (no
// leading zero) naming a number above 0, and a rest that `rest` accepts;
// -1 otherwise.
long ProcessNumberInName(std::string_view name, std::string_view prefix, CNameRest rest);

// Whether no process has the number `pid` (this process is never gone).
bool ProcessIsGone(long pid);

// The regular files in `folder` (native) named so whose process is gone,
// as native paths in no particular order.
std::vector<std::string> LeftoverFiles(const std::string& folder, std::string_view prefix, CNameRest rest);
