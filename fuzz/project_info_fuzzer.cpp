// libFuzzer target for the project-information block.
//
// Input: a data text (ending at its first zero byte). When a block is found
// and cut, its body is read; the block built from what was read, cut and
// read once more, must give the same values, and the text without the block
// must be the input without it. A failed check prints the input as a C
// string literal and aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "document/project_info.h"

namespace {

bool Same(const CProjectInfo& a, const CProjectInfo& b)
{
    return a.ruleKey == b.ruleKey && a.ruleName == b.ruleName && a.projectName == b.projectName &&
           a.iconImagePath == b.iconImagePath && a.pageId == b.pageId && a.itemId == b.itemId &&
           a.itemExId == b.itemExId && a.useExId == b.useExId && a.eventId == b.eventId && a.funcId == b.funcId &&
           a.setId == b.setId;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    SetFuzzInput("project_info_fuzzer", &input);
    CStr_base<16384> text(input.c_str());
    CStr_base<1024> body;
    if (!CutProjectInfoBlock(text, body)) {
        Expect(text == input.c_str(), "a text without a block changed");
        return 0;
    }
    Expect(text.GetLength() + body.GetLength() < input.size(), "the cut text is not shorter");
    const CProjectInfo info = ReadProjectInfoBody(body);
    Expect(info.pageId >= 0 && info.pageId < kProjectPageCount, "a tab out of range was read");

    CStr_base<16384> built(BuildProjectInfoBlock(info).GetBuffer());
    CStr_base<1024> again;
    Expect(CutProjectInfoBlock(built, again), "a built block is not found");
    Expect(built.IsEmpty(), "a built block is not cut whole");
    Expect(Same(ReadProjectInfoBody(again), info), "a built block reads back differently");
    return 0;
}
