// libFuzzer target for the data-file reader and writer.
//
// Input: one byte of rule bits, then the data text. Bit 0 picks the beta key
// lists, bit 1 makes "@@include" an element key, bit 2 adds extension
// fields (an item field, a use field and a use list). The text ends at its
// first zero byte, as every text of the system does.
//
// Each input is read into a document; besides crashes, sanitizer reports
// and exceptions, the target checks what every read leaves:
//   - the arrangement holds one definition and each of the twelve function
//     blocks exactly once, and every element in it is owned by its
//     container;
//   - every item, use and event carries every key of its key list.
//   - no line feed is lost to the character before it: on every line,
//     blanks and an "@@" block keyword start a block of their own, whatever
//     bytes (well-formed CP932 or not) precede the line feed;
//   - writing is stable: the written text, read back (with CRLF turned into
//     LF, as the file is read) and written again, gives the same bytes,
//     and the reader reports nothing in it about an item, use or event (the
//     lines it reported there are not written), nor anything else it did not
//     report in the text (other text and the definition stay as they were);
//   - the written text reads back as the same elements in the same places:
//     the blank and comment lines behind an item or event (from the first
//     blank line on) as other text of their own, never inside an element,
//     and the comment of each "@@USE" line on its line;
//   - the hand-written scans of lines, blocks and tab runs give what the
//     patterns they stand for give (scan_equivalence.h).
// A failed check prints the input as a C string literal and aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "document/block_split.h"
#include "document/data_writer.h"
#include "document/function_keywords.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "pattern/editor_matchers.h"
#include "scan_equivalence.h"
#include "written_elements.h"

namespace {

void ExpectKeys(const CMerxFieldElement& element, const CStrArray_base<64>& keys)
{
    for (const CMerxString& key : keys)
        Expect(element.GetField(key) != nullptr, "an element lacks a key of its key list");
}

template <class T>
bool Owns(const CMerxArray<T>& container, const CMERX_base* element)
{
    for (const T& owned : container) {
        if (&owned == element)
            return true;
    }
    return false;
}

void CheckDocument(CMerxDocument& doc)
{
    uint32_t defines = 0;
    for (CMERX_base* const& element : doc.setdata) {
        switch (element->GetKind()) {
        case CMERX_TYPE_ITEM:
            Expect(Owns(doc.itemdata, element), "an arranged item is not in itemdata");
            break;
        case CMERX_TYPE_EVENT:
            Expect(Owns(doc.eventdata, element), "an arranged event is not in eventdata");
            break;
        case CMERX_TYPE_OTHER:
            Expect(Owns(doc.otherdata, element), "an arranged other text is not in otherdata");
            break;
        case CMERX_TYPE_DEFINE:
            Expect(element == &doc.definedata, "a second definition element");
            ++defines;
            break;
        case CMERX_TYPE_SINGLE:
            break;
        default:
            Fail("an arranged element of no kind");
        }
    }
    Expect(defines == 1, "the arrangement does not hold one definition");
    for (const char* keyword : g_aszMerxFunctionKeywords) {
        uint32_t count = 0;
        const Csinglestruct* function = doc.FindFunction(keyword);
        for (CMERX_base* const& element : doc.setdata)
            count += element == function;
        Expect(count == 1, "a function block does not stand once in the arrangement");
    }
    for (const Citemstruct& item : doc.itemdata) {
        ExpectKeys(item, doc.itemkeys);
        for (const Cusestruct& use : item.uses) {
            ExpectKeys(use, doc.usekeys);
            for (const CMerxString& key : doc.uselistkeys)
                Expect(use.GetList(key) && use.GetListComments(key), "a use lacks a list of its key list");
        }
    }
    for (const Ceventstruct& event : doc.eventdata)
        ExpectKeys(event, doc.eventkeys);
}

// Every line (the first one too) that begins with blanks and a block
// keyword begins a block.
void CheckKeywordLinesStartBlocks(const std::string& text)
{
    CStrRegexHitList blocks;
    SplitDataBlocks(text.c_str(), false, blocks);
    std::set<uint32_t> starts;
    for (uint32_t i = 0; i < blocks.GetCount(); ++i)
        starts.insert(blocks[i].offset);
    for (size_t line = 0; line != std::string::npos;) {
        const size_t at = text.find_first_not_of(" \t", line);
        if (at != std::string::npos && text.compare(at, 2, "@@") == 0 &&
            BlockKindOf(text.c_str() + at) != CBlockKind::Other)
            Expect(starts.count(static_cast<uint32_t>(at)) == 1, "a keyword line was taken into the line before it");
        line = text.find('\n', line);
        if (line != std::string::npos)
            ++line;
    }
}

// The reader's messages without their line numbers, sorted.
std::vector<std::string> MessageTexts(const CStr_base<1024>& messages)
{
    std::vector<std::string> out;
    const std::string all(messages.GetBuffer(), messages.GetLength());
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find('\n', at);
        if (end == std::string::npos)
            end = all.size();
        const size_t number = all.find(']', at);
        out.push_back(all.substr(number < end ? number + 1 : at, end - (number < end ? number + 1 : at)));
        at = end + 1;
    }
    std::sort(out.begin(), out.end());
    return out;
}

void Run(uint8_t rule, const std::string& text)
{
    CMerxDocument doc;
    doc.RebuildKeyLists((rule & 1) != 0, (rule & 2) != 0);
    if (rule & 4) {
        doc.AddItemExtensionKey("rare");
        doc.AddUseExtensionKey("bonus", false);
        doc.AddUseExtensionKey("drops", true);
    }
    CMerxReader reader(doc);
    Expect(reader.Parse(text.c_str()), "the reader failed");
    CheckDocument(doc);
    CheckKeywordLinesStartBlocks(text);
    for (const char* differs : {scan_equivalence::CheckLines(text), scan_equivalence::CheckBlocks(text),
                                scan_equivalence::CheckTabsBeforeLineEnds(text)})
        Expect(differs == nullptr, differs);

    const CWriterText first = CMerxWriter(doc).WriteDocument();
    const std::vector<std::string> elements = WrittenElements(doc);
    const std::string again = FromFile(first);
    const std::vector<std::string> reported = MessageTexts(reader.Messages());
    reader.ClearMessages();
    Expect(reader.Parse(again.c_str()), "the reader failed on written text");
    const std::vector<std::string> reportedAgain = MessageTexts(reader.Messages());
    Expect(std::includes(reported.begin(), reported.end(), reportedAgain.begin(), reportedAgain.end()),
           "the written text reads back with a message the text did not give");
    for (const std::string& message : reportedAgain)
        for (const char* element : {"@@ITEM\x81\x46", "@@USE\x81\x46", "@@EVENT\x81\x46"}) // behind a full-width colon
            Expect(message.compare(2, std::strlen(element), element) != 0,
                   "the written text reads back with a message about an element");
    CheckDocument(doc);
    Expect(WrittenElements(doc) == elements, "the written text read back as other elements");
    const CWriterText second = CMerxWriter(doc).WriteDocument();
    if (!(first == second)) {
        std::fprintf(stderr, "first write:\n%s\nsecond write:\n%s\n", first.GetBuffer(), second.GetBuffer());
        Fail("writing what was read from written text changed it");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterEditorMatchers();  // as the editor does at start-up
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("reader_fuzzer", &input);
    try {
        Run(data[0], input.c_str() + 1); // up to the first zero byte
    } catch (...) {
        Fail("an exception left the reader or the writer");
    }
    return 0;
}
