// Where an item's icon lies and how the icon program is started.
//
// Paths are path texts (Shift-JIS, "\" or "/" between folders): a 0x5C that
// is the second byte of a double-byte character ("表") separates nothing.
#pragma once

#include <cstdint>

#include "foundation/str_array.h"
#include "foundation/str_base.h"

// The folder of `path`: the text before its last separator; empty when it
// has none.
CStr_base<64> FolderOfPath(const char* path);

// Whether `path` names its folder from the root ("/x", "\x", "C:\x").
bool IsRootedPath(const char* path);

// The icon folder: `iconFolder` itself when it is rooted, otherwise taken
// relative to `dataFolder`.
CStr_base<64> IconFolderPath(const char* dataFolder, const char* iconFolder);

// "<folder>\item-no-<number>.png".
CStr_base<64> IconFilePath(const char* folder, int32_t number);

// The arguments of the icon program, into `arguments` (emptied first): `parameters` split at blanks outside
// double quotes (a quote groups, and is dropped; two quotes inside a group
// stand for one), then every "%f" in each argument replaced by `file`
// literally. The file name is put in after the split, so nothing in it can
// add or split arguments.
void IconProgramArguments(const char* parameters, const char* file, CStrArray_base<64>& arguments);
