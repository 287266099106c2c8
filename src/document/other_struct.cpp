#include "document/other_struct.h"

#include <cstring>

namespace {

bool IsBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

} // namespace

std::string_view Cotherstruct::LabelLine() const
{
    const std::string_view all(text.GetBuffer(), std::strlen(text.GetBuffer()));
    std::string_view first;
    for (size_t start = 0; start <= all.size();) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = all.substr(start, end - start);
        if (start == 0)
            first = line;
        if (!IsBlankLine(line))
            return line;
        start = end + 1;
    }
    return first;
}
