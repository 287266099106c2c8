#include "cli/file_bytes.h"

#include <cstring>

#include "foundation/text_file.h"

bool ReadFileBytes(const std::string& path, CStr_base<16384>& bytes, std::string& error)
{
    int number = 0;
    uint64_t size = 0;
    switch (ReadWholeFile(path.c_str(), bytes, &number, &size)) {
    case TextFileStatus::kOk:
        return true;
    case TextFileStatus::kTooLarge:
        error = TooLargeReason(size);
        return false;
    default:
        error = std::strerror(number);
        return false;
    }
}
