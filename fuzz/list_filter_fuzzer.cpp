// libFuzzer target for the filter of the element lists.
//
// Input: texts separated by zero bytes: the filter text as typed, then the
// texts of the elements, one each (at most 64).
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - an element is listed exactly when its text holds the filter text as
//     a run of whole characters, ASCII letters compared in one case (a
//     reference that splits both texts into characters first);
//   - the lines are the listed elements in their order, and line and
//     index map to each other both ways; a hidden element has no line;
//   - after an element is removed the mapping is that of filtering the
//     remaining elements anew, and the line selected then shows an element
//     at or after the removed one, or is the last line;
//   - filtering with the same text again changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/sjis.h"
#include "fuzz_check.h"
#include "editing/list_filter.h"

namespace {

// The characters of `text`, ASCII letters in lower case.
std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> characters;
    for (size_t at = 0; at < text.size();) {
        const size_t length = SjisCharLength(text.data(), at, text.size());
        std::string c = text.substr(at, length);
        if (length == 1 && c[0] >= 'A' && c[0] <= 'Z')
            c[0] = static_cast<char>(c[0] - 'A' + 'a');
        characters.push_back(c);
        at += length;
    }
    return characters;
}

bool Holds(const std::string& text, const std::string& needle)
{
    const std::vector<std::string> t = Characters(text), n = Characters(needle);
    if (n.empty())
        return true;
    for (size_t at = 0; at + n.size() <= t.size(); ++at) {
        size_t i = 0;
        while (i < n.size() && t[at + i] == n[i])
            ++i;
        if (i == n.size())
            return true;
    }
    return false;
}

void Filter(CListFilter& filter, const std::string& text, const std::vector<std::string>& elements)
{
    filter.Refilter(text.c_str(), static_cast<uint32_t>(elements.size()),
                    [&](uint32_t i, CListFilter::CTexts& texts) { texts.Add(elements[i]); });
}

void ExpectMapping(const CListFilter& filter, const std::string& text, const std::vector<std::string>& elements)
{
    Expect(filter.IsActive() == !text.empty(), "the filter is active without a text, or not with one");
    int32_t line = 0;
    for (uint32_t i = 0; i < elements.size(); ++i) {
        const int32_t index = static_cast<int32_t>(i);
        if (!filter.IsActive() || Holds(elements[i], text)) {
            Expect(filter.LineOf(index) == line, "a listed element is not on its line");
            Expect(filter.IndexOf(line) == index, "a line does not show its element");
            ++line;
        } else {
            Expect(filter.LineOf(index) == -1, "a hidden element has a line");
        }
    }
    if (filter.IsActive())
        Expect(filter.FilteredCount() == static_cast<uint32_t>(line) && filter.IndexOf(line) == -1,
               "the filter lists more lines than elements it keeps");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("list_filter_fuzzer", &input);
    std::vector<std::string> parts = FuzzParts(input, 65);
    const std::string text = parts[0];
    std::vector<std::string> elements(parts.begin() + 1, parts.end());
    while (!elements.empty() && elements.back().empty())
        elements.pop_back();

    CListFilter filter;
    Filter(filter, text, elements);
    ExpectMapping(filter, text, elements);
    Expect(!filter.Refilter(text.c_str(), static_cast<uint32_t>(elements.size()),
                            [&](uint32_t i, CListFilter::CTexts& texts) { texts.Add(elements[i]); }),
           "the same text again changed the list");

    if (elements.empty())
        return 0;
    const uint32_t removed = static_cast<uint32_t>(input.size() % elements.size());
    const int32_t had = filter.LineOf(static_cast<int32_t>(removed));
    Expect(filter.Remove(removed) == had, "a removed element's line is not the line it had");
    elements.erase(elements.begin() + removed);
    ExpectMapping(filter, text, elements);
    const uint32_t lines = filter.IsActive() ? filter.FilteredCount() : static_cast<uint32_t>(elements.size());
    const int32_t next = filter.LineAfterRemoved(removed, lines);
    if (lines == 0) {
        Expect(next == -1, "an empty list has a line to select");
    } else {
        Expect(next >= 0 && static_cast<uint32_t>(next) < lines, "the line to select is not in the list");
        Expect(static_cast<uint32_t>(next) == lines - 1 || filter.IndexOf(next) >= static_cast<int32_t>(removed),
               "the line to select shows an element before the removed one");
        Expect(next == 0 || filter.IndexOf(next - 1) < static_cast<int32_t>(removed),
               "the line to select is not the first at or after the removed element");
    }
    return 0;
}
