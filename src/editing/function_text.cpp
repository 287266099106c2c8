#include "editing/function_text.h"

#include <cstdlib>
#include <cstring>

#include "document/backslash_completion.h"
#include "document/reopen_check.h"
#include "editing/line_ends.h"

namespace {

// The read-back guard numbers the lines of the written block, whose first
// line is the keyword line that the edit does not show: every line of
// `reason` that begins with "[number]" gets the number of the edit's line.
void AppendWithEditLineNumbers(const CStr_base<1024>& reason, CStr_base<1024>& errors)
{
    const char* line = reason.GetBuffer();
    while (*line) {
        const char* feed = std::strchr(line, '\n');
        const char* end = feed ? feed + 1 : line + std::strlen(line);
        char* digitsEnd = nullptr;
        const unsigned long number = line[0] == '[' ? std::strtoul(line + 1, &digitsEnd, 10) : 0;
        if (digitsEnd && digitsEnd != line + 1 && *digitsEnd == ']') {
            CStr_base<64> numbered;
            numbered.Format("[%lu]", number > 1 ? number - 1 : 1);
            errors += numbered;
            errors.Append(digitsEnd + 1, static_cast<int32_t>(end - digitsEnd - 1));
        } else {
            errors.Append(line, static_cast<int32_t>(end - line));
        }
        line = end;
    }
}

} // namespace

void ShowFunctionText(const char* text, CStr_base<16384>& edit)
{
    edit.Assign(text);
    LfToCrLf(edit);
}

bool ReadBackFunctionText(const CMerxDocument& doc, const char* keyword, const CStr_base<16384>& shown,
                          const CStr_base<16384>& now, int32_t escapeMode, CYesNoQuestion& question,
                          CMerxBlockText& text, CStr_base<1024>& errors)
{
    if (now == shown)
        return true;
    // The edited text, checked in a fresh block that stands for this one.
    CStr_base<16384> edited(now);
    CrLfToLf(edited);
    Csinglestruct fresh;
    fresh.keyword.Assign(keyword);
    fresh.text.Assign(edited);
    CStr_base<1024> reason;
    if (!SurvivesReopen(doc, fresh, &reason)) {
        AppendWithEditLineNumbers(reason, errors);
        return false;
    }
    CompleteBackslashes(fresh.text, escapeMode, question);
    text.Assign(fresh.text);
    return true;
}
