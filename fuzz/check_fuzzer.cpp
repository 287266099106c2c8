// libFuzzer target for the project integrity check: any data text read into
// a document and checked.
//
// Input: one byte of rule bits (bit 0 beta key lists, bit 1 "@@include" as
// an element key), then the data text up to the first zero byte.
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - every line of the findings begins with ITEM, EVENT or FUNC and a
//     number in square brackets, or with INFO[0], followed by "：" or "(";
//   - every INFO[0] line closes a repeat: the two lines before it name two
//     elements of one kind;
//   - the count equals the number of findings (lines, a repeat's three
//     taken as one), and the text is empty or ends with a line feed;
//   - the scan for item-number references goes to the end of the data text
//     and finds there what the reference pattern finds in it (read as if a
//     line feed preceded it), where none of the pattern's numbers spans
//     lines or starts with the closing quote of an empty number and the
//     scan finds no empty number, which the pattern would not leave empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "fuzz_check.h"
#include "pattern/editor_matchers.h"
#include "editing/integrity_check.h"
#include "editing/item_no_references.h"
#include "pattern/str_regex.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

// The kind word of a finding line ("ITEM"), or empty when the line does not
// begin with a kind word, a bracketed number and "：" or "(".
std::string_view Kind(std::string_view line)
{
    const std::string_view colon = SJ("：");
    for (std::string_view kind : {"ITEM", "EVENT", "FUNC", "INFO"}) {
        if (line.substr(0, kind.size() + 1) != std::string(kind) + "[")
            continue;
        size_t at = kind.size() + 1;
        const size_t digits = at;
        while (at < line.size() && line[at] >= '0' && line[at] <= '9')
            ++at;
        if (at == digits || at >= line.size() || line[at] != ']')
            return {};
        if (kind == "INFO" && line.substr(0, at + 1) != "INFO[0]")
            return {};
        const std::string_view rest = line.substr(at + 1);
        if (rest.substr(0, colon.size()) == colon || (kind != "INFO" && rest.substr(0, 1) == "("))
            return kind;
        return {};
    }
    return {};
}

void CheckFindings(const CIntegrityFindings& findings)
{
    const std::string_view text(findings.text.GetBuffer(), findings.text.GetLength());
    Expect(text.empty() || text.back() == '\n', "the findings do not end with a line feed");
    std::vector<std::string_view> kinds;
    uint32_t count = 0;
    for (size_t from = 0; from < text.size();) {
        const size_t end = text.find('\n', from);
        const std::string_view kind = Kind(text.substr(from, end - from));
        Expect(!kind.empty(), "a finding line begins with no kind and number");
        if (kind == "INFO") {
            Expect(kinds.size() >= 2 && kinds[kinds.size() - 1] == kinds[kinds.size() - 2] &&
                       kinds.back() != "INFO" && kinds.back() != "FUNC",
                   "an INFO line closes no repeat");
            count -= 1;  // the two lines before it were counted; the three are one finding
        } else {
            ++count;
        }
        kinds.push_back(kind);
        from = end + 1;
    }
    Expect(count == findings.count, "the count is not the number of findings");
}

// The scan for item-number references against the pattern it stands for.
void CheckReferenceScan(const std::string& text)
{
    std::vector<std::string> scanned;
    uint32_t at = 0;
    std::string_view number;
    while (NextItemNoReference(text.c_str(), at, number))
        scanned.emplace_back(number);
    Expect(at == text.size(), "the reference scan stopped before the end of the text");
    CStrRegexBudget budget;
    budget.maxSteps = 1'000'000;
    CStrRegexHistory history;
    if (StrRegex(("\n" + text).c_str(), kItemNoReferencePattern, "gi", nullptr, &history, nullptr, {}, &budget) < 0)
        return;
    std::vector<std::string> expected;
    for (const CStrRegexMatchStruct& match : history) {
        if (match.GetCount() == 0)
            continue;  // a comment line
        const std::string found = match.GetAt(0)->GetBuffer();
        if (found.find('\n') != std::string::npos || found[0] == '"')
            return;
        expected.push_back(found);
    }
    for (const std::string& found : scanned)
        if (found.empty())
            return;
    Expect(scanned == expected, "the reference scan finds other numbers than the reference pattern");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("check_fuzzer", &input);
    const std::string text = input.substr(1, input.find('\0', 1) - 1);
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(data[0] & 1, data[0] & 2);
        CMerxReader(doc).Parse(text.c_str());
        CheckFindings(CheckProjectIntegrity(doc));
        CheckReferenceScan(text);
    } catch (...) {
        Fail("an exception left the check");
    }
    return 0;
}
