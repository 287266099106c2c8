// Shared helpers of the editing rule tests.
#pragma once

#include <string>
#include <vector>

#include "document/yes_no_question.h"
#include "editing/find_replace.h"
#include "foundation/cp932.h"

namespace etest {

// Answers every question alike and keeps the questions (UTF-8).
class CAnswer : public CYesNoQuestion {
public:
    explicit CAnswer(bool yes = true) : m_bYes(yes) {}
    bool AskYesNo(const char* text) override
    {
        asked.push_back(Cp932ToUtf8(text));
        return m_bYes;
    }
    std::vector<std::string> asked;

private:
    bool m_bYes;
};

// A request of the find window from UTF-8 texts; a replacement makes it a
// replace.
inline CFindRequest FindRequest(int32_t field, uint32_t mode, const std::string& search,
                                const char* replacement = nullptr)
{
    CFindRequest request;
    request.field = field;
    request.mode = mode;
    request.search.Assign(Utf8ToCp932(search).c_str());
    request.replace = replacement != nullptr;
    if (replacement)
        request.replacement.Assign(Utf8ToCp932(replacement).c_str());
    return request;
}

}  // namespace etest
