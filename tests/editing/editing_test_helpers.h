// Shared helpers of the editing rule tests.
#pragma once

#include <string>
#include <vector>

#include "document/yes_no_question.h"
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

}  // namespace etest
