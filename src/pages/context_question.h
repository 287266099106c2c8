// The yes/no questions of a page's rules (the 0x5C completion's) asked in
// a message box over the main window.
#pragma once

#include "app/page_context.h"
#include "document/yes_no_question.h"

class CPageContextQuestion : public CYesNoQuestion {
public:
    explicit CPageContextQuestion(CPageContext& context) : m_context(context) {}
    bool AskYesNo(const char* text) override { return m_context.Ask(text, UiButtons::kYesNo) == UiAnswer::kYes; }

private:
    CPageContext& m_context;
};
