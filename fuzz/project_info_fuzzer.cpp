// libFuzzer target for the project-information block.
//
// Input: a data text (ending at its first zero byte). When a block is found
// and cut, the text without it must be the input without the lines cut, and
// every line cut must be a whole line that begins with "###": no other line
// is ever cut out. Its body is read; the block built from what was read, cut
// and read once more, must give the same values, and so must the block of a
// recovery copy made of it, with the text after it. A failed check prints the
// input as a C string literal and aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "document/project_info.h"
#include "document/recovery_copy.h"
#include "foundation/sjis.h"

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
    uint32_t offset = 0;
    if (!CutProjectInfoBlock(text, body, &offset)) {
        Expect(text == input.c_str(), "a text without a block changed");
        return 0;
    }
    Expect(text.GetLength() + body.GetLength() < input.size(), "the cut text is not shorter");
    const std::string rest(text.GetBuffer(), text.GetLength());
    const size_t length = input.size() - rest.size();
    Expect(offset <= rest.size() && input.compare(0, offset, rest, 0, offset) == 0 &&
               input.compare(offset + length, std::string::npos, rest, offset) == 0,
           "the text is not the input without the block");
    const std::string cut = input.substr(offset, length);
    // The block starts a line as bytes and as characters.
    size_t start = 0, previous = 0;
    while (start < offset) {
        previous = start;
        start += SjisCharLength(input.c_str() + start);
    }
    Expect(start == offset && (offset == 0 || (previous == offset - 1 && input[previous] == '\n')),
           "a block was cut from inside a line");
    for (size_t line = 0; line < cut.size();) {
        const size_t end = cut.find('\n', line);
        Expect(end != std::string::npos && cut.compare(line, 3, "###") == 0,
               "a line that is no whole \"###\" line was cut");
        line = end + 1;
    }
    const CProjectInfo info = ReadProjectInfoBody(body);
    Expect(info.pageId >= 0 && info.pageId < kProjectPageCount, "a tab out of range was read");

    CStr_base<16384> built(BuildProjectInfoBlock(info).GetBuffer());
    CStr_base<1024> again;
    Expect(CutProjectInfoBlock(built, again), "a built block is not found");
    Expect(built.IsEmpty(), "a built block is not cut whole");
    Expect(Same(ReadProjectInfoBody(again), info), "a built block reads back differently");

    // The block of a recovery copy, before the rest of the text: its origin
    // (here the name read, any text a value holds) and name read back.
    const std::string copied = RecoveryBlock(BuildProjectInfoBlock(info).GetBuffer(), info.projectName) + rest;
    CRecoveryCopy copy;
    Expect(ReadRecoveryHead(copied, copy) && copy.origin == info.projectName &&
               copy.projectName == info.projectName,
           "a recovery copy's block reads back differently");
    return 0;
}
