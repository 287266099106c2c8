#include "settings/ini_default_path.h"

#include <cstring>

bool IniPathBesideProgram(const char* programPath, CStr_base<64>& settingsPath)
{
    const size_t length = std::strlen(programPath);
    if (length < 6)
        return false;
    const char* name = programPath;
    for (const char* p = programPath; *p; ++p) {
        if (*p == '/')
            name = p + 1;
    }
    const size_t nameLength = static_cast<size_t>(programPath + length - name);
    if (nameLength >= 4 && name[nameLength - 4] == '.') {
        settingsPath.Assign(programPath, static_cast<int32_t>(length - 3));
        settingsPath.Append("ini");
    } else {
        settingsPath.Assign(programPath);
        settingsPath.Append(".ini");
    }
    return true;
}
