#include "foundation/native_path.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

std::string NativePath(const char* path)
{
    std::string native(path ? path : "");
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string ProgramFilePath()
{
    // readlink does not say whether the name was cut: grow until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder()
{
    const std::string file = ProgramFilePath();
    const size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : file.substr(0, slash);
}
