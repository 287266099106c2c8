// Where an item's icon lies and how the icon program is started.
//
// Paths are path texts (foundation/native_path.h): "/" between folders, a
// "\" part of a name. Only the icon folder a project gets by default,
// "..\Image", is written the way of the game's tools and means "../Image".
#pragma once

#include <cstdint>

#include "foundation/str_array.h"
#include "foundation/str_base.h"

// The folder of `path`: the text before its last "/"; empty when it has
// none.
CStr_base<64> FolderOfPath(const char* path);

// The icon folder: `iconFolder` itself when it begins with "/", otherwise
// taken relative to `dataFolder`.
CStr_base<64> IconFolderPath(const char* dataFolder, const char* iconFolder);

// "<folder>/item-no-<number>.png".
CStr_base<64> IconFilePath(const char* folder, int32_t number);

// The arguments of the icon program, into `arguments` (emptied first): `parameters` split at blanks outside
// double quotes (a quote groups, and is dropped; two quotes inside a group
// stand for one), then every "%f" in each argument replaced by `file`
// literally. The file name is put in after the split, so nothing in it can
// add or split arguments.
void IconProgramArguments(const char* parameters, const char* file, CStrArray_base<64>& arguments);
