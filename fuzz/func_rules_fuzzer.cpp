// libFuzzer target for the function and definition pages' text rules: a
// direct-edit text cut into the twelve function blocks, a definition text
// applied, and block texts typed into the function page's edit.
//
// Input: texts separated by zero bytes: a direct-edit text, a definition
// text, then up to twelve texts typed into the blocks in keyword order
// (missing ones are empty).
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - a refused definition leaves the document's definition as it was, and
//     an applied one survives a save and a reopen;
//   - the function-block writer's text of the stored blocks is read back
//     without a word into the same twelve texts (as the file would hold
//     them), and storing them back changes no block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "document/data_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/reopen_check.h"
#include "document/writer_text.h"
#include "editing/define_text.h"
#include "editing/function_blocks.h"
#include "editing/function_text.h"
#include "pattern/editor_matchers.h"

namespace {

const bool kMatchers = (RegisterEditorMatchers(), true);

class CYes : public CYesNoQuestion {
public:
    bool AskYesNo(const char*) override { return true; }
};

bool SavedAlike(const char* a, const char* b)
{
    CWriterText first, second;
    AppendLinesText(first, a);
    AppendLinesText(second, b);
    return first == second;
}

void CheckDefinition(CMerxDocument& doc, const std::string& typed)
{
    const CMerxBlockText before = doc.definedata.text;
    const CStr_base<16384> shown(before.GetBuffer());
    CStr_base<1024> errors;
    if (!ApplyDefineText(doc, shown, CStr_base<16384>(typed.c_str()), errors)) {
        Expect(!errors.IsEmpty(), "a definition was refused without a word");
        Expect(doc.definedata.text == before, "a refused definition changed the document");
        return;
    }
    Expect(SurvivesReopen(doc, doc.definedata), "an applied definition does not survive a reopen");
}

void CheckBlocks(CMerxDocument& doc, const std::vector<std::string>& typed)
{
    CYes yes;
    const CStr_base<16384> shown("\x01never shown");
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT && i < typed.size(); ++i) {
        Csinglestruct& block = *doc.FindFunction(g_aszMerxFunctionKeywords[i]);
        CStr_base<1024> errors;
        ReadBackFunctionText(doc, block.keyword.GetBuffer(), shown, CStr_base<16384>(typed[i].c_str()), 2, yes,
                             block.text, errors);
    }
    CFunctionTexts before;
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        before.text[i] = doc.FindFunction(g_aszMerxFunctionKeywords[i])->text;

    const CWriterText written = CMerxWriter(doc).WriteFunctionBlocks();
    CFunctionTexts texts;
    CStr_base<1024> errors;
    Expect(ReadFunctionBlocks(written.GetBuffer(), doc.IsIncludeAsElement(), texts, errors),
           "the writer's function blocks were refused");
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        Expect(SavedAlike(texts.text[i].GetBuffer(), before.text[i].GetBuffer()),
               "a function block came back with another text");
    Expect(!StoreFunctionBlocks(doc, texts, 2, yes), "storing the writer's blocks back made a step");
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        Expect(doc.FindFunction(g_aszMerxFunctionKeywords[i])->text == before.text[i],
               "storing the writer's blocks back changed a block");
    // Blocks stored with other texts are one step that gives them back.
    CFunctionTexts other = texts;
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; i += 5)
        other.text[i].Append("\n# x\n");
    CEditCommandPtr step = StoreFunctionBlocks(doc, other, 2, yes);
    Expect(step != nullptr, "changed blocks made no step");
    if (step) {
        step->Undo(doc);
        for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
            Expect(doc.FindFunction(g_aszMerxFunctionKeywords[i])->text == before.text[i],
                   "the direct edit undone left a block changed");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    SetFuzzInput("func_rules_fuzzer", &input);
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t zero = input.find('\0', start);
        parts.push_back(input.substr(start, zero == std::string::npos ? std::string::npos : zero - start));
        if (zero == std::string::npos)
            break;
        start = zero + 1;
    }
    parts.resize(std::max<size_t>(parts.size(), 2));
    try {
        CMerxDocument doc;
        doc.RebuildKeyLists(true, false);
        CMerxReader(doc).Parse(""); // the definition and the function blocks of an empty file
        CFunctionTexts texts;
        CStr_base<1024> errors;
        ReadFunctionBlocks(parts[0].c_str(), false, texts, errors);
        CheckDefinition(doc, parts[1]);
        CheckBlocks(doc, std::vector<std::string>(parts.begin() + 2, parts.end()));
    } catch (...) {
        Fail("an exception left the function rules");
    }
    return 0;
}
