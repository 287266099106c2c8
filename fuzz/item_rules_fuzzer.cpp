// libFuzzer target for the item page's text rules: following a rename
// through a document, copy names, and the icon program's arguments.
//
// Input: four texts separated by zero bytes: a data text, an old name, a
// new name and the icon program's parameter text (missing ones are empty).
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - the tracking's total is the sum of its counts, and a second tracking
//     with the same names finds nothing more to change when the new name
//     does not hold the old one;
//   - a new name with a blank changes no use/need/get or parameter line,
//     and an empty new name changes nothing;
//   - the item found holding a name is another item of that name, and the
//     message that replaces the rename question is there exactly when one
//     holds the old or the new name;
//   - a copy's name begins with the name's text before any "(コピー" and is
//     never the name itself;
//   - the folder of a path is a prefix of it; every argument is made of
//     the parameter text's bytes and the file name.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "editing/item_icon.h"
#include "editing/item_naming.h"
#include "document/data_writer.h"
#include "editing/item_rename.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

void CheckHolders(const CMerxDocument& doc, const char* oldName, const char* newName)
{
    const uint32_t self = 0;
    bool held = false;
    for (const char* name : {oldName, newName}) {
        const int32_t other = OtherItemNamed(doc, self, name);
        if (other < 0)
            continue;
        held = true;
        Expect(*name && other != static_cast<int32_t>(self) &&
                   static_cast<uint32_t>(other) < doc.itemdata.GetCount() &&
                   std::strcmp(doc.itemdata.GetAt(static_cast<uint32_t>(other))->FieldText("name"), name) == 0,
               "the holder of a name is not another item of that name");
    }
    Expect(RenameMergeMessage(doc, self, oldName, newName).IsEmpty() == !held,
           "the merge message does not follow the holders");
}

void CheckRename(const char* text, const char* oldName, const char* newName)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(true, false);
    CMerxReader(doc).Parse(text);
    CheckHolders(doc, oldName, newName);
    const CWriterText read = CMerxWriter(doc).WriteDocument();
    CChangeRecorder changes;
    const CRenameTracking first = TrackItemRename(doc, oldName, newName, &changes);
    // The texts the rename changed are one step that gives the file back.
    if (CEditCommandPtr step = changes.Finish(doc)) {
        const CWriterText renamed = CMerxWriter(doc).WriteDocument();
        step->Undo(doc);
        Expect(CMerxWriter(doc).WriteDocument() == read, "the rename undone is not the file as read");
        step->Redo(doc);
        Expect(CMerxWriter(doc).WriteDocument() == renamed, "the rename done again is another file");
    } else {
        Expect(CMerxWriter(doc).WriteDocument() == read, "a rename without a step changed the file");
    }
    uint32_t sum = 0;
    for (const CRenameChange& change : first.changes)
        sum += change.count;
    Expect(sum == first.total, "the total is not the sum of the counts");
    Expect(*newName || (first.total == 0 && first.linesLeft == 0 && first.referencesLeft == 0),
           "a name was followed into an empty one");
    const bool blank = std::strpbrk(newName, " \t") != nullptr;
    for (const CRenameChange& change : first.changes) {
        const char* place = change.place.GetBuffer();
        const size_t length = change.place.GetLength();
        const bool line = (length >= 4 && std::strcmp(place + length - 4, " ung") == 0) ||
                          (length >= 6 && std::strcmp(place + length - 6, " param") == 0);
        Expect(!(blank && line), "a name with a blank was written into a line");
    }
    // A rewritten reference cannot come back unless the new name holds the
    // old one or the makings of a reference of its own.
    if (*newName && !std::strstr(newName, oldName) && !std::strpbrk(newName, "@\"")) {
        const CRenameTracking second = TrackItemRename(doc, oldName, newName);
        Expect(second.total == 0, "a second tracking still found the old name");
    }
}

void CheckCopyName(const char* name)
{
    const CStr_base<64> copy = CopyItemName(name);
    Expect(!(copy == name), "a copy keeps the name");
    const char* mark = std::strstr(name, "(\x83\x52\x83\x73\x81\x5b"); // "(コピー"
    const size_t kept = mark ? static_cast<size_t>(mark - name) : std::strlen(name);
    Expect(copy.GetLength() >= kept && std::memcmp(copy.GetBuffer(), name, kept) == 0,
           "a copy's name does not begin with the name");
}

void CheckIcon(const char* path, const char* parameters)
{
    const CStr_base<64> folder = FolderOfPath(path);
    Expect(std::strncmp(path, folder.GetBuffer(), folder.GetLength()) == 0, "a folder is no prefix of its path");
    CStrArray_base<64> arguments;
    IconProgramArguments(parameters, "FILE", arguments);
    size_t bytes = 0;
    for (const CStr_base<64>& argument : arguments)
        bytes += argument.GetLength();
    Expect(bytes <= std::strlen(parameters) * 2 + 4, "the arguments hold more than the parameters and the file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("item_rules_fuzzer", &input);
    const std::vector<std::string> parts = FuzzParts(input, 4);
    try {
        CheckRename(parts[0].c_str(), parts[1].c_str(), parts[2].c_str());
        CheckCopyName(parts[1].c_str());
        CheckIcon(parts[0].c_str(), parts[3].c_str());
    } catch (...) {
        Fail("an exception left the item rules");
    }
    return 0;
}
