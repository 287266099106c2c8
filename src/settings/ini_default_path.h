// Where the program's settings file lies.
#pragma once

#include "foundation/str_base.h"

// The settings file beside the program file `programPath`: the path with the
// three characters of its extension replaced by "ini" ("/tool/edit.exe"
// gives "/tool/edit.ini"); a program file without a three-character
// extension, as is usual on this platform, gets ".ini" added ("/opt/tavaro"
// gives "/opt/tavaro.ini"). The file name is what follows the last "/". A program path shorter than 6 characters gives
// no settings file: returns false.
bool IniPathBesideProgram(const char* programPath, CStr_base<64>& settingsPath);
