#include "editing/item_icon.h"

#include <cstring>

#include "document/project_info.h"
#include "foundation/sjis.h"

CStr_base<64> FolderOfPath(const char* path)
{
    // "/" is never the second byte of a double-byte character.
    const char* slash = std::strrchr(path, '/');
    CStr_base<64> folder;
    if (slash)
        folder.Assign(path, static_cast<int32_t>(slash - path));
    return folder;
}

CStr_base<64> IconFolderPath(const char* dataFolder, const char* iconFolder)
{
    if (std::strcmp(iconFolder, kDefaultIconImagePath) == 0)
        iconFolder = "../Image";
    if (iconFolder[0] == '/')
        return CStr_base<64>(iconFolder);
    CStr_base<64> folder(dataFolder);
    folder.Append("/");
    folder.Append(iconFolder);
    return folder;
}

CStr_base<64> IconFilePath(const char* folder, int32_t number)
{
    CStr_base<64> path;
    path.Format("%s/item-no-%d.png", folder, number);
    return path;
}

void IconProgramArguments(const char* parameters, const char* file, CStrArray_base<64>& arguments)
{
    arguments.RemoveAll();
    const size_t length = std::strlen(parameters);
    size_t at = 0;
    for (;;) {
        while (at < length && (parameters[at] == ' ' || parameters[at] == '\t'))
            ++at;
        if (at >= length)
            break;
        CStr_base<64>& argument = *arguments.Add();
        bool quoted = false;
        while (at < length && (quoted || (parameters[at] != ' ' && parameters[at] != '\t'))) {
            if (parameters[at] == '"') {
                if (quoted && parameters[at + 1] == '"') {
                    argument.Append('"');
                    at += 2;
                    continue;
                }
                quoted = !quoted;
                ++at;
                continue;
            }
            const size_t n = SjisCharLength(parameters, at, length);
            argument.Append(parameters + at, static_cast<int32_t>(n));
            at += n;
        }
    }
    for (CStr_base<64>& argument : arguments) {
        if (!std::strstr(argument.GetBuffer(), "%f"))
            continue;
        CStr_base<64> replaced;
        const char* text = argument.GetBuffer();
        const size_t n = argument.GetLength();
        for (size_t i = 0; i < n;) {
            if (text[i] == '%' && text[i + 1] == 'f') {
                replaced.Append(file);
                i += 2;
                continue;
            }
            const size_t step = SjisCharLength(text, i, n);
            replaced.Append(text + i, static_cast<int32_t>(step));
            i += step;
        }
        argument.Swap(replaced);
    }
}
