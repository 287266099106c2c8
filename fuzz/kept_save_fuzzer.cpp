// libFuzzer target for the save's writer (what did not change is written
// as it was read).
//
// Input: one byte of rule bits (as the reader fuzzer: beta, includes as
// elements, extension fields; bit 3 first spreads blanks, tabs, comment and
// empty lines over the text, from the text's own bytes), one byte that
// picks the edit, then the data text up to its first zero byte.
//
// Checks, besides crashes, sanitizer reports and exceptions:
//   - saved without edits, the text comes back as it was (unless a
//     definition had to be added or the last line had no line end);
//   - what is saved reads back as the document (the writer's text of both
//     is the same);
//   - one field of one item given a new value: the saved text changes
//     only inside that item, only in lines of that field (unless the item
//     is written whole in the writer's layout), and reads back as the
//     edited document;
//   - the items put in another order: the save reads back as the document,
//     and every item is written as it was read.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/kept_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "../tests/changed_lines.h"
#include "fuzz_check.h"
#include "pattern/editor_matchers.h"

namespace {

std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

void Rules(CMerxDocument& doc, uint8_t rule)
{
    doc.RebuildKeyLists((rule & 1) != 0, (rule & 2) != 0);
    if (rule & 4) {
        doc.AddItemExtensionKey("rare");
        doc.AddUseExtensionKey("bonus", false);
        doc.AddUseExtensionKey("drops", true);
    }
}

// The text with blanks, tabs, comments and empty lines put in front of and
// behind its lines, chosen by its own bytes.
std::string Spread(const std::string& text)
{
    static const char* const kPieces[] = {"", " ", "\t", "  \t", "# c\n", "\n", "\t# x\n  ", "   "};
    std::string out;
    uint32_t pick = 0;
    bool lineStart = true;
    for (char c : text) {
        pick = pick * 31 + static_cast<unsigned char>(c);
        if (lineStart)
            out += kPieces[pick % 8];
        lineStart = c == '\n';
        if (lineStart && pick % 3 == 0)
            out += (pick & 8) ? " " : "\t";
        out += c;
    }
    return out;
}

// The writer's text of the document read from `saved`.
std::string ReadBack(uint8_t rule, const std::string& saved)
{
    CMerxDocument doc;
    Rules(doc, rule);
    Expect(CMerxReader(doc).Parse(saved.c_str()), "the reader failed on saved text");
    return Text(CMerxWriter(doc).WriteDocument());
}

// `text` with its CR LF line ends as LF (a CR inside a line stays, as the
// save keeps it).
std::string WithoutCr(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n')
            out += text[i];
    return out;
}

// `text` (ending in a line feed) without the blank lines at its end: they
// give way to a section header behind the element.
std::string WithoutTrailingBlankLines(std::string text)
{
    for (size_t start = text.find_last_not_of(" \t\r", text.size() - 2);
         start != std::string::npos && start > 0 && text[start] == '\n'; start = text.find_last_not_of(" \t\r", start - 1))
        text.erase(start + 1);
    return text;
}

// Whether `line` is a line of the field `key`: the key, in any case, first
// behind blanks and tabs, then a blank, a tab or the end.
bool IsFieldLine(const std::string& line, const char* key)
{
    const size_t start = line.find_first_not_of(" \t");
    const size_t length = std::strlen(key);
    if (start == std::string::npos || line.size() - start < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(line[start + i])) != std::tolower(static_cast<unsigned char>(key[i])))
            return false;
    return line.size() == start + length || line[start + length] == ' ' || line[start + length] == '\t';
}

// Whether the lines that differ between `before` and `after` (between their
// common head and tail) are all lines of the field `key`.
bool OnlyFieldLinesChanged(const std::string& before, const std::string& after, const char* key)
{
    for (const std::string& line : ChangedLines(before, after, "\n"))
        if (!IsFieldLine(line.substr(1), key))
            return false;
    return true;
}

void ExpectReadsBack(uint8_t rule, const CMerxDocument& doc, const std::string& saved, const char* what)
{
    const std::string formatted = Text(CMerxWriter(doc).WriteDocument());
    if (ReadBack(rule, saved) != formatted) {
        std::fprintf(stderr, "saved:\n%s\nformatted:\n%s\n", saved.c_str(), formatted.c_str());
        Fail(what);
    }
}

void Run(uint8_t rule, uint8_t edit, std::string text)
{
    if (rule & 8)
        text = Spread(text);
    CMerxDocument doc;
    Rules(doc, rule);
    CMerxReader reader(doc);
    Expect(reader.Parse(text.c_str()), "the reader failed");
    const bool readClean = reader.Messages().IsEmpty();

    const std::string saved = Text(CKeptWriter(doc).WriteDocument());
    std::string expected = text;
    if (!expected.empty() && expected.back() != '\n')
        expected += '\n';
    // A definition the reader added is the one line more (behind the
    // blanks of a last line without line end, it ends that line).
    bool defineAdded = false;
    for (size_t at = saved.find("@@DEFINE\n"); saved != expected && at != std::string::npos && !defineAdded;
         at = saved.find("@@DEFINE\n", at + 1)) {
        std::string without = saved.substr(0, at) + saved.substr(at + 9);
        if (!without.empty() && without.back() != '\n')
            without += '\n';
        defineAdded = without == expected;
    }
    // A last line without line end may end an open script block, whose
    // element is then written anew (the line end would add a script line).
    const bool lastLineOpen = !text.empty() && text.back() != '\n';
    if (!defineAdded && !lastLineOpen && saved != expected) {
        std::fprintf(stderr, "text:\n%s\nsaved:\n%s\n", text.c_str(), saved.c_str());
        Fail("a text saved without edits came back changed");
    }
    ExpectReadsBack(rule, doc, saved, "the saved text does not read back as the document");

    if (doc.itemdata.GetCount() == 0)
        return;
    // One field of one item.
    Citemstruct& item = doc.itemdata[edit % doc.itemdata.GetCount()];
    const CStrArray_base<64>& keys = doc.itemkeys;
    const char* key = keys[(edit / 8u) % keys.GetCount()];
    if (std::string(key) == "funct" || std::string(key) == "funcs" || std::string(key) == "funcb" ||
        std::string(key) == "@@include")
        key = "name";
    item.SetField(key, (edit & 1) ? "new value" : "");
    const std::string edited = Text(CKeptWriter(doc).WriteDocument());
    ExpectReadsBack(rule, doc, edited, "an edited item does not read back");
    // Nothing before or behind the item changed.
    const CKeptSpan span = item.GetKeptSpan();
    if (!span.IsEmpty() && span.offset + span.length <= saved.size()) {
        size_t head = 0;
        while (head < saved.size() && head < edited.size() && saved[head] == edited[head])
            ++head;
        size_t tail = 0;
        while (tail < saved.size() - head && tail < edited.size() - head &&
               saved[saved.size() - 1 - tail] == edited[edited.size() - 1 - tail])
            ++tail;
        if (head < saved.size() - tail && (head < span.offset || saved.size() - tail > span.offset + span.length) &&
            !defineAdded && !lastLineOpen)
            Fail("an edit of one item changed the text outside it");
        // Within it, only the lines of that field changed, unless the item
        // had to be written whole in the writer's layout (its kept lines
        // with the new one would not read back as the item).
        if (!defineAdded && !lastLineOpen && readClean &&
            !OnlyFieldLinesChanged(saved, edited, key) &&
            edited.find(WithoutCr(Text(CMerxWriter(doc).WriteItem(item)))) == std::string::npos) {
            std::fprintf(stderr, "saved:\n%s\nedited:\n%s\n", saved.c_str(), edited.c_str());
            Fail("an edit of one field changed other lines of its item");
        }
    }

    // The items in another order: each is written as it was read.
    std::vector<Citemstruct*> order;
    for (Citemstruct& each : doc.itemdata)
        order.push_back(&each);
    std::rotate(order.begin(), order.begin() + (edit % order.size()), order.end());
    std::reverse(order.begin(), order.end());
    doc.ReorderItems(order);
    const std::string sorted = Text(CKeptWriter(doc).WriteDocument());
    ExpectReadsBack(rule, doc, sorted, "sorted items do not read back");
    for (const Citemstruct& each : doc.itemdata) {
        if (&each == &item || each.GetKeptSpan().IsEmpty())
            continue;
        std::string kept = doc.keptText.substr(each.GetKeptSpan().offset, each.GetKeptSpan().length);
        kept.erase(kept.find_last_not_of(" \t") + 1); // the blanks before the next keyword go with the place
        if (kept.empty() || kept.back() != '\n')
            continue; // the last line of the data, which may be written anew
        // Unless its text cannot stand in its new place (a script left open
        // at the end of the data whose last line is blank, in front of a
        // section header): then it is written in the writer's layout.
        if (sorted.find(WithoutTrailingBlankLines(kept)) == std::string::npos &&
            sorted.find(WithoutTrailingBlankLines(WithoutCr(Text(CMerxWriter(doc).WriteItem(each))))) ==
                std::string::npos) {
            std::fprintf(stderr, "item:\n%s\nsorted:\n%s\n", kept.c_str(), sorted.c_str());
            Fail("a sorted item was not written as it was read");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterEditorMatchers(); // as the editor does at start-up
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("kept_save_fuzzer", &input);
    try {
        Run(data[0], data[1], std::string(input.c_str() + 2));
    } catch (...) {
        Fail("an exception left the reader or the writers");
    }
    return 0;
}
