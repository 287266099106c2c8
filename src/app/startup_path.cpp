#include "app/startup_path.h"

#include <filesystem>

#include "foundation/native_path.h"

namespace {

std::string FullNativePath(std::string_view path, const std::string& currentFolder)
{
    std::filesystem::path full(path);
    if (!full.is_absolute())
        full = std::filesystem::path(currentFolder) / full;
    std::string text = full.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

void DropTrailingBlanksAndDots(std::string& path)
{
    while (!path.empty() && (path.back() == ' ' || path.back() == '.'))
        path.pop_back();
}

} // namespace

std::string CurrentFolder()
{
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

std::string CommandLinePath(std::string_view argument, const std::string& currentFolder)
{
    const bool quoted = !argument.empty() && argument.front() == '"';
    if (quoted)
        argument.remove_prefix(1);
    if (quoted && !argument.empty() && argument.back() == '"')
        argument.remove_suffix(1);
    if (argument.empty())
        return {};
    std::string full = FullNativePath(argument, currentFolder);
    DropTrailingBlanksAndDots(full);
    return full;
}

bool IsNormalFullPath(const char* text, const std::string& currentFolder)
{
    const std::string native = NativePath(text);
    if (native.empty())
        return false;
    std::string full = FullNativePath(native, currentFolder);
    DropTrailingBlanksAndDots(full);
    return full == native;
}
