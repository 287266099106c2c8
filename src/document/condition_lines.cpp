#include "document/condition_lines.h"

#include <algorithm>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The line from its "@@"; `line` is known to be a condition line.
std::string_view FromKeyword(std::string_view line) { return line.substr(line.find('@')); }

} // namespace

bool IsConditionLine(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line.size() - start < 4)
        return false;
    const std::string_view keyword = "@@if";
    for (size_t i = 0; i < keyword.size(); ++i)
        if (LowerAscii(line[start + i]) != keyword[i])
            return false;
    return true;
}

std::string_view FindConditionLine(std::string_view text, bool last)
{
    std::string_view found;
    for (size_t begin = 0; begin < text.size();) {
        const size_t end = std::min(text.find('\n', begin), text.size());
        const std::string_view line = text.substr(begin, end - begin);
        if (IsConditionLine(line)) {
            found = FromKeyword(line);
            if (!last)
                break;
        }
        begin = end + 1;
    }
    return found;
}

std::string_view ConditionLineBetween(const CMerxDocument& doc, uint32_t from, uint32_t to)
{
    const uint32_t count = doc.setdata.GetCount();
    from = std::min(from, count);
    to = std::min(to, count);
    if (from == to)
        return {};
    const bool down = from < to;
    // One step at a time from `from` towards `to`, the nearest text first.
    for (uint32_t at = down ? from + 1 : from - 1; at != to; down ? ++at : --at) {
        if (doc.setdata[at]->GetKind() != CMERX_TYPE_OTHER)
            continue;
        const CMerxBlockText& text = static_cast<const Cotherstruct&>(*doc.setdata[at]).text;
        const std::string_view line = FindConditionLine({text.GetBuffer(), text.GetLength()}, !down);
        if (!line.empty())
            return line;
    }
    return {};
}
