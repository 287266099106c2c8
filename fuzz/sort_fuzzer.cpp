// libFuzzer target for the item sort: any data text read into a document
// and sorted by every key, ascending and descending.
//
// Input: the data text up to the first zero byte (beta key lists).
// Besides crashes, sanitizer reports and exceptions, the target checks after
// every sort that
//   - every element but the items keeps its place in the arrangement, and
//     the item places hold the items in the order of `itemdata`;
//   - no item changes its section: the number of other texts before it
//     that hold a line beginning, after blanks and tabs, with "@@IF" in any
//     case (counted here by a scan of its own);
//   - the previous order puts the items back where they stood;
//   - the sorted document, written and read back, gives the same elements
//     in the same places: the blank and comment lines that stood behind an
//     item (section headers) stay other text where they stood, and the
//     item now before them does not take them in.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "fuzz_check.h"
#include "written_elements.h"
#include "pattern/editor_matchers.h"
#include "editing/item_sort.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

bool HoldsIfLine(const std::string& text)
{
    size_t at = 0;
    while (at <= text.size()) {
        size_t start = at;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
            ++start;
        std::string word = text.substr(start, 4);
        for (char& c : word)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        if (word == "@@IF")
            return true;
        const size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return false;
}

// The section of every item, by the texts that stand before it.
std::unordered_map<const CMERX_base*, uint32_t> Sections(const CMerxDocument& doc)
{
    std::unordered_map<const CMERX_base*, uint32_t> sections;
    uint32_t section = 0;
    for (const CMERX_base* element : doc.setdata) {
        if (element->GetKind() == CMERX_TYPE_OTHER &&
            HoldsIfLine(static_cast<const Cotherstruct*>(element)->text.GetBuffer()))
            ++section;
        if (element->GetKind() == CMERX_TYPE_ITEM)
            sections[element] = section;
    }
    return sections;
}

std::vector<const CMERX_base*> Arrangement(const CMerxDocument& doc)
{
    std::vector<const CMERX_base*> elements;
    for (const CMERX_base* element : doc.setdata)
        elements.push_back(element);
    return elements;
}

void ExpectKept(const CMerxDocument& doc, const std::vector<const CMERX_base*>& before,
                const std::unordered_map<const CMERX_base*, uint32_t>& sections)
{
    Expect(doc.setdata.GetCount() == before.size(), "the arrangement changed its length");
    uint32_t next = 0;
    for (uint32_t at = 0; at < before.size(); ++at) {
        const CMERX_base* element = doc.setdata[at];
        if (before[at]->GetKind() != CMERX_TYPE_ITEM) {
            Expect(element == before[at], "an element other than an item moved");
            continue;
        }
        Expect(element->GetKind() == CMERX_TYPE_ITEM, "an item place lost its item");
        Expect(next < doc.itemdata.GetCount() && element == doc.itemdata.GetAt(next++),
               "the item places do not follow itemdata");
        Expect(sections.at(element) == sections.at(before[at]), "an item changed its section");
    }
}

void ExpectReadBack(const CMerxDocument& doc)
{
    CMerxDocument again;
    again.RebuildKeyLists(true, false);
    CMerxReader(again).Parse(FromFile(CMerxWriter(doc).WriteDocument()).c_str());
    Expect(WrittenElements(again) == WrittenElements(doc), "the sorted document read back as other elements");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("sort_fuzzer", &input);
    const std::string text = input.substr(0, input.find('\0'));
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(text.c_str());
        // A file whose item places do not follow itemdata is not the sort's
        // to mend.
        uint32_t next = 0;
        for (const CMERX_base* element : doc.setdata)
            if (element->GetKind() == CMERX_TYPE_ITEM &&
                (next >= doc.itemdata.GetCount() || element != doc.itemdata.GetAt(next++)))
                return 0;
        if (next != doc.itemdata.GetCount())
            return 0;
        const std::unordered_map<const CMERX_base*, uint32_t> sections = Sections(doc);
        for (int32_t key = 0; key <= static_cast<int32_t>(CItemSortKey::kType); ++key) {
            for (const bool descending : {false, true}) {
                const std::vector<const CMERX_base*> before = Arrangement(doc);
                CItemPreviousOrder previous;
                if (!SortItems(doc, static_cast<CItemSortKey>(key), descending, previous))
                    continue;
                ExpectKept(doc, before, sections);
                ExpectReadBack(doc);
                const std::vector<const CMERX_base*> sorted = Arrangement(doc);
                Expect(SortItems(doc, CItemSortKey::kRestore, false, previous) != nullptr,
                       "the previous order was refused");
                Expect(Arrangement(doc) == before, "the previous order did not put the items back");
                // The sort's own step takes it back and does it again.
                CEditCommandPtr step = SortItems(doc, static_cast<CItemSortKey>(key), descending, previous);
                Expect(step && Arrangement(doc) == sorted, "the second sort gave another order");
                step->Undo(doc);
                Expect(Arrangement(doc) == before, "the undone sort did not put the items back");
                step->Redo(doc);
                Expect(Arrangement(doc) == sorted, "the sort done again gave another order");
            }
        }
    } catch (...) {
        Fail("an exception left the item sort");
    }
    return 0;
}
