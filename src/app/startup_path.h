// Paths the user hands over as text: the file named on the command line,
// and the program named in the preferences, which must be given whole.
#pragma once

#include <string>
#include <string_view>

#include "foundation/str_base.h"

// The process's current folder (native); empty when it cannot be told.
std::string CurrentFolder();

// The file to open for the command-line argument `argument` (native, as the
// system passes it): one leading double quote is skipped and, with it, a
// closing one; the path is made a full path against `currentFolder` (".",
// ".." and repeated separators resolved by their names, links left alone);
// trailing blanks and dots are dropped. Colons and backslashes are ordinary
// characters of a file name here and never cut the path. Returns the native
// path, which may have no path text (foundation/native_path.h), or an empty
// text when nothing is left to open.
std::string CommandLinePath(std::string_view argument, const std::string& currentFolder);

// Whether the path text `text` already is what the normalisation above
// makes of it: a full path without "." or ".." names, repeated separators
// or trailing blanks and dots.
bool IsNormalFullPath(const char* text, const std::string& currentFolder);
