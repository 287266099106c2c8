// libFuzzer target for find and replace: the direct wildcard matcher
// against the pattern it stands for, and replacements over any document.
//
// Input: a selector byte (bits 0-2 the method, 3-5 the field, bit 6 the
// beta key lists), then three texts separated by zero bytes: the search
// text, the replacement and a data text.
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - with the wildcard method, finding and replacing in the data text give
//     what the translated pattern gives ("%+0j" for "*", "%j" for "?");
//   - a replace over every element never damages the document: when the
//     document read from the data text reads back as it is (written and
//     read again, it gives the same elements with the same written texts),
//     it still does after the replacements were committed, whatever they
//     did to an element's neighbours in the file;
//   - the result lines are one per changed element and two per refused
//     one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/data_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/text_file.h"
#include "fuzz_check.h"
#include "pattern/editor_matchers.h"
#include "pattern/str_regex.h"
#include "editing/find_methods.h"
#include "editing/find_replace.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

std::string Part(const std::string& input, size_t& from)
{
    const size_t zero = input.find('\0', from);
    const std::string part = input.substr(from, zero == std::string::npos ? std::string::npos : zero - from);
    from = zero == std::string::npos ? input.size() : zero + 1;
    return part;
}

void CheckWildcard(const std::string& wildcard, const std::string& text)
{
    const CStr_base<1024> pattern = WildcardPattern(wildcard.c_str());
    const CFindQuery query = CFindQuery::FromMode(kFindWildcard, wildcard.c_str(), "<%>");
    // The translated pattern backtracks through every way of placing its
    // stars: it is the reference only where it finishes soon.
    CStrRegexBudget budget;
    budget.maxSteps = 1'000'000;
    if (!text.empty()) {
        const bool direct = CompareFindText(query, text.c_str(), static_cast<uint32_t>(text.size())) > 0;
        const int32_t found = StrRegex(text.c_str(), pattern.GetBuffer(), "", nullptr, nullptr, nullptr, {}, &budget);
        Expect(found == kStrRegexStopped || direct == (found > 0),
               "the wildcard finds what its pattern does not, or the other way round");
    }
    if (wildcard.find_first_not_of('*') == std::string::npos)
        return;
    CStr_base<16384> direct(text.c_str()), translated(text.c_str());
    const int32_t count = ReplaceFindText(query, direct);
    const int32_t expected = translated.Regex(pattern.GetBuffer(), "g", nullptr, DoublePercents("<%>").GetBuffer(),
                                              nullptr, 0, nullptr, {}, &budget);
    Expect(expected == kStrRegexStopped || (count == expected && direct == translated),
           "the wildcard replaces unlike its pattern");
}

// The elements of a document as its file holds them, in order: the kind
// and written text of each that writes something (a function block once,
// at its first place), other texts side by side as one, as the reader
// makes them.
std::vector<std::pair<uint8_t, std::string>> FileElements(const CMerxDocument& doc)
{
    std::vector<std::pair<uint8_t, std::string>> elements;
    const CMerxWriter writer(doc);
    for (uint32_t i = 0; i < doc.setdata.GetCount(); ++i) {
        const CMERX_base& element = *doc.setdata[i];
        if (element.GetKind() == CMERX_TYPE_SINGLE && doc.FindInArrangement(&element) != static_cast<int32_t>(i))
            continue;
        const CWriterText text = writer.WriteElement(element);
        if (text.IsEmpty())
            continue;
        if (element.GetKind() == CMERX_TYPE_OTHER && !elements.empty() && elements.back().first == CMERX_TYPE_OTHER)
            elements.back().second.append(text.GetBuffer(), text.GetLength());
        else
            elements.emplace_back(element.GetKind(), std::string(text.GetBuffer(), text.GetLength()));
    }
    return elements;
}

// Whether the document, written and read back, gives the same elements
// with the same written texts (and so the same file).
bool ReadsBackAsItIs(const CMerxDocument& doc)
{
    const CWriterText text = CMerxWriter(doc).WriteDocument();
    std::string lines(text.GetBuffer(), text.GetLength());
    CollapseCrLf(lines);
    CMerxDocument again;
    again.RebuildKeyLists(doc.IsBeta(), doc.IsIncludeAsElement());
    CMerxReader(again).Parse(lines.c_str());
    return FileElements(again) == FileElements(doc);
}

uint32_t CountLines(const CStr_base<16384>& lines)
{
    uint32_t count = 0;
    for (const char* p = lines.GetBuffer(); *p; ++p)
        count += *p == '\n';
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("find_fuzzer", &input);
    size_t from = 1;
    const std::string search = Part(input, from);
    const std::string replacement = Part(input, from);
    const std::string text = Part(input, from);
    try {
        const uint32_t method = data[0] & 7;
        if (method == kFindWildcard)
            CheckWildcard(search, text);
        if (method >= kFindMethodCount)
            return 0;

        CMerxDocument doc;
        doc.RebuildKeyLists(data[0] & 0x40, false);
        CMerxReader(doc).Parse(text.c_str());
        const bool stable = ReadsBackAsItIs(doc);
        CFindRequest request;
        request.field = static_cast<int32_t>((data[0] >> 3) & 7) % kFindFieldCount;
        request.mode = method | kFindOptionRepeat;
        request.search.Assign(search.c_str());
        request.replacement.Assign(replacement.c_str());
        request.replace = true;
        request.maxSteps = 200'000;
        CFindOutcome outcome = RunFindReplace(doc, CollectFindTargets(doc, kFindAll, {}), request);
        if (outcome.stop != StrRegexStop::kNone) {
            Expect(outcome.lines.IsEmpty() && outcome.pending.empty(), "a stopped run left results");
            return 0;
        }
        Expect(CountLines(outcome.lines) == outcome.elements + 2 * outcome.refused,
               "the result lines do not match the elements");
        const CWriterText before = CMerxWriter(doc).WriteDocument();
        CEditCommandPtr step = CommitFindReplace(doc, outcome);
        Expect((step != nullptr) == !outcome.pending.empty(), "a replace made a step without changes or none with");
        if (step) {
            const CWriterText replaced = CMerxWriter(doc).WriteDocument();
            step->Undo(doc);
            Expect(CMerxWriter(doc).WriteDocument() == before, "the replace undone is another file");
            step->Redo(doc);
            Expect(CMerxWriter(doc).WriteDocument() == replaced, "the replace done again is another file");
        }
        if (stable)
            Expect(ReadsBackAsItIs(doc), "a replacement left a document that does not read back as it is");
    } catch (...) {
        Fail("an exception left find and replace");
    }
    return 0;
}
