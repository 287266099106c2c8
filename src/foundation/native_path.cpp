#include "foundation/native_path.h"

#include <unistd.h>

#include <vector>

#include "foundation/cp932.h"

std::string NativePath(const char* path)
{
    std::string native;
    if (!path)
        return native;
    for (const char32_t cp : Cp932ToUnicode(path)) {
        if (IsCp932ByteEscape(cp))
            native.push_back(static_cast<char>(cp - 0xDC00));
        else
            AppendUtf8(native, cp);
    }
    return native;
}

CStr_base<64> PathTextFromNative(std::string_view native)
{
    const std::string text = Utf8ToCp932(native);
    return CStr_base<64>(text.c_str());
}

std::optional<CStr_base<64>> ExactPathText(std::string_view native, std::u32string& unfit)
{
    unfit.clear();
    const std::string text = Utf8ToCp932(native);
    if (NativePath(text.c_str()) == native)
        return CStr_base<64>(text.c_str());
    for (const char32_t cp : Utf8ToUnicode(native)) {
        if (IsCp932ByteEscape(cp) || unfit.find(cp) != std::u32string::npos)
            continue;
        const CTypedCp932 one = TypedToCp932(std::u32string_view(&cp, 1));
        if (!one.refused.empty() || Cp932ToUnicode(one.bytes) != std::u32string_view(&cp, 1))
            unfit.push_back(cp);
    }
    return std::nullopt;
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
