// The lines that differ between two texts, between their common head and
// tail, as "-line" (of the first) and "+line" (of the second) in order: a
// plain comparison for tests whose edits change lines at one place. A
// last piece without `lineEnd` counts as a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> ChangedLines(std::string_view a, std::string_view b, std::string_view lineEnd)
{
    auto lines = [lineEnd](std::string_view text) {
        std::vector<std::string> out;
        size_t start = 0;
        for (size_t at = text.find(lineEnd); at != std::string_view::npos; at = text.find(lineEnd, start)) {
            out.emplace_back(text.substr(start, at - start));
            start = at + lineEnd.size();
        }
        if (start < text.size())
            out.emplace_back(text.substr(start));
        return out;
    };
    const std::vector<std::string> x = lines(a);
    const std::vector<std::string> y = lines(b);
    size_t head = 0;
    while (head < x.size() && head < y.size() && x[head] == y[head])
        ++head;
    size_t tail = 0;
    while (tail < x.size() - head && tail < y.size() - head && x[x.size() - 1 - tail] == y[y.size() - 1 - tail])
        ++tail;
    std::vector<std::string> out;
    for (size_t i = head; i < x.size() - tail; ++i)
        out.push_back("-" + x[i]);
    for (size_t i = head; i < y.size() - tail; ++i)
        out.push_back("+" + y[i]);
    return out;
}
