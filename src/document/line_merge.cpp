#include "document/line_merge.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/sjis.h"

namespace {

struct CKeptLine {
    std::string_view text; // without its line feed
    bool lineFeed = false;
};

std::vector<CKeptLine> SplitKept(std::string_view text)
{
    std::vector<CKeptLine> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); i += SjisCharLength(text.data(), i, text.size())) {
        if (text[i] != '\n')
            continue;
        lines.push_back({text.substr(start, i - start), true});
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back({text.substr(start), false});
    return lines;
}

// The writer's lines: CR LF ends them all.
std::vector<std::string_view> SplitWritten(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Appends the words of `text`, joined by single tabs; with `lowerFirst`
// the first word's ASCII letters in lower case.
void AppendWords(std::string& out, std::string_view text, bool lowerFirst)
{
    bool first = true;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            while (i < text.size() && IsBlank(text[i]))
                ++i;
            if (i < text.size() && !out.empty())
                out += '\t';
            first = false;
            continue;
        }
        const size_t length = SjisCharLength(text.data(), i, text.size());
        if (length == 1 && first && lowerFirst && text[i] >= 'A' && text[i] <= 'Z')
            out += static_cast<char>(text[i] - 'A' + 'a');
        else
            out.append(text.data() + i, length);
        i += length;
    }
}

// The line as its words: what a kept line and the writer's line of the
// same field have in common.
std::string Words(std::string_view line)
{
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    line.remove_prefix(start);
    size_t hash = line.size();
    for (size_t i = 0; i < line.size(); i += SjisCharLength(line.data(), i, line.size())) {
        if (line[i] == '#') {
            hash = i;
            break;
        }
    }
    std::string words;
    AppendWords(words, line.substr(0, hash), true);
    if (hash < line.size()) {
        if (!words.empty())
            words += '\t';
        AppendWords(words, line.substr(hash), false);
    }
    return words;
}

std::string_view FirstWord(std::string_view words) { return words.substr(0, words.find('\t')); }

size_t LeadingTabs(std::string_view line)
{
    size_t count = 0;
    while (count < line.size() && line[count] == '\t')
        ++count;
    return count;
}

std::string_view LeadingBlanks(std::string_view line)
{
    size_t count = 0;
    while (count < line.size() && IsBlank(line[count]))
        ++count;
    return line.substr(0, count);
}

enum class COp { Same, Removed, Added };
struct CStep {
    COp op;
    size_t index; // in `before` (Same, Removed) or `after` (Added)
};

// The steps that turn `a` into `b`, lines compared whole: a longest common
// subsequence between the common head and tail, or, when that part is too
// large to compare line by line, all of it removed and added.
std::vector<CStep> DiffLines(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const size_t n = a.size() - head - tail;
    const size_t m = b.size() - head - tail;

    std::vector<CStep> steps;
    for (size_t i = 0; i < head; ++i)
        steps.push_back({COp::Same, i});
    constexpr size_t kMostCells = 4'000'000;
    if (n && m && (n + 1) * (m + 1) <= kMostCells) {
        // lengths[i][j]: longest common subsequence of a[i..] and b[j..].
        std::vector<uint32_t> lengths((n + 1) * (m + 1), 0);
        auto at = [&](size_t i, size_t j) -> uint32_t& { return lengths[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
        size_t i = 0;
        size_t j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && a[head + i] == b[head + j]) {
                steps.push_back({COp::Same, head + i++});
                ++j;
            } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
                steps.push_back({COp::Removed, head + i++});
            } else {
                steps.push_back({COp::Added, head + j++});
            }
        }
    } else {
        for (size_t i = 0; i < n; ++i)
            steps.push_back({COp::Removed, head + i});
        for (size_t j = 0; j < m; ++j)
            steps.push_back({COp::Added, head + j});
    }
    for (size_t i = 0; i < tail; ++i)
        steps.push_back({COp::Same, a.size() - tail + i});
    return steps;
}

// For each line of `before`, the kept line it came from, or -1.
std::vector<long> MatchKept(const std::vector<CKeptLine>& kept, const std::vector<std::string_view>& before)
{
    std::vector<long> match(before.size(), -1);
    if (kept.empty() || before.empty())
        return match;
    std::vector<bool> used(kept.size(), false);
    // The keyword lines: the rest of a kept keyword line may hold more.
    match[0] = 0;
    used[0] = true;

    std::vector<std::string> keptWords(kept.size());
    std::unordered_map<std::string_view, std::vector<size_t>> byWords;
    for (size_t k = kept.size(); k-- > 1;) {
        keptWords[k] = Words(kept[k].text);
        if (!keptWords[k].empty())
            byWords[keptWords[k]].push_back(k); // last first: taken from the back
    }
    std::vector<std::string> beforeWords(before.size());
    for (size_t i = 1; i < before.size(); ++i) {
        beforeWords[i] = Words(before[i]);
        auto found = byWords.find(beforeWords[i]);
        if (found == byWords.end() || found->second.empty())
            continue;
        match[i] = static_cast<long>(found->second.back());
        used[found->second.back()] = true;
        found->second.pop_back();
    }
    // What remains, by its first word (a keyword line with a comment, a
    // field written another way), in order.
    std::unordered_map<std::string_view, std::vector<size_t>> byFirst;
    for (size_t k = kept.size(); k-- > 1;)
        if (!used[k] && !keptWords[k].empty())
            byFirst[FirstWord(keptWords[k])].push_back(k);
    for (size_t i = 1; i < before.size(); ++i) {
        if (match[i] >= 0 || beforeWords[i].empty())
            continue;
        auto found = byFirst.find(FirstWord(beforeWords[i]));
        if (found == byFirst.end() || found->second.empty())
            continue;
        match[i] = static_cast<long>(found->second.back());
        found->second.pop_back();
    }
    return match;
}

} // namespace

void MergeChangedLines(std::string_view keptText, std::string_view beforeText, std::string_view afterText,
                       CWriterText& out)
{
    const std::vector<CKeptLine> kept = SplitKept(keptText);
    const std::vector<std::string_view> before = SplitWritten(beforeText);
    const std::vector<std::string_view> after = SplitWritten(afterText);
    const std::vector<long> match = MatchKept(kept, before);

    // The indentation the kept lines have where the writer puts a depth of
    // tabs. Comment-only lines say nothing of it, nor of where a line
    // stands: the writer puts them at the top of their element.
    std::unordered_map<size_t, std::string_view> indent;
    std::vector<bool> commentOnly(before.size(), false);
    for (size_t i = 0; i < before.size(); ++i) {
        commentOnly[i] = before[i].substr(LeadingTabs(before[i]), 1) == "#";
        if (match[i] > 0 && !commentOnly[i])
            indent.emplace(LeadingTabs(before[i]), LeadingBlanks(kept[static_cast<size_t>(match[i])].text));
    }

    std::vector<bool> removed(kept.size(), false);
    std::vector<std::vector<size_t>> added(kept.size() + 1);
    size_t anchor = 0;
    for (const CStep& step : DiffLines(before, after)) {
        if (step.op == COp::Added) {
            added[std::min(anchor, kept.size())].push_back(step.index);
            continue;
        }
        const long k = match[step.index];
        if (k < 0)
            continue;
        if (step.op == COp::Removed && k > 0)
            removed[static_cast<size_t>(k)] = true;
        if (!commentOnly[step.index])
            anchor = static_cast<size_t>(k);
    }

    auto endLine = [&out] {
        if (out.GetLength() && out[out.GetLength() - 1] != '\n')
            out += "\n";
    };
    for (size_t k = 0; k <= kept.size(); ++k) {
        if (k < kept.size() && !removed[k]) {
            out.Append(kept[k].text.data(), static_cast<int32_t>(kept[k].text.size()));
            if (kept[k].lineFeed)
                out += "\n";
        }
        for (size_t j : added[k]) {
            endLine();
            const std::string_view line = after[j];
            const size_t tabs = LeadingTabs(line);
            auto found = indent.find(tabs);
            const std::string_view lead = found != indent.end() ? found->second : line.substr(0, tabs);
            out.Append(lead.data(), static_cast<int32_t>(lead.size()));
            out.Append(line.data() + tabs, static_cast<int32_t>(line.size() - tabs));
            out += "\n";
        }
    }
}
