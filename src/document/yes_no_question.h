// A yes/no question that the document puts to the user; the windows answer
// it with a message box.
#pragma once

class CYesNoQuestion {
public:
    virtual ~CYesNoQuestion() = default;

    // Shows `text` (Shift-JIS) and returns true for yes.
    virtual bool AskYesNo(const char* text) = 0;
};
