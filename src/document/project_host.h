// What the project routines (opening, saving, new project) need of the
// editor around them: questions and messages, the project-information
// dialog, the review of reader messages, the save dialog and the pages.
// The editor's windows implement it with dialogs; the command line with its
// options.
#pragma once

#include <cstdint>
#include <functional>

#include "document/project_info.h"
#include "document/yes_no_question.h"
#include "foundation/str_base.h"

enum class CProjectAnswer { kYes, kNo, kCancel };

// Parses an edited data text again ("\n" line ends): true when the reader
// reported nothing, otherwise false with its messages in `messages`.
using CReaderRetry = std::function<bool(const char* text, CStr_base<1024>& messages)>;

class CProjectHost : public CYesNoQuestion {
public:
    // A message with an OK button.
    virtual void ShowMessage(const char* text) = 0;
    // A question with yes, no and cancel.
    virtual CProjectAnswer AskYesNoCancel(const char* text) = 0;

    // The project-information dialog for the file `path`, which has no
    // block: on OK fills the project name, rule key and rule name of `info`
    // and returns true.
    virtual bool AskProjectInfo(const char* path, CProjectInfo& info) = 0;

    // Shows the data text `text` ("\r\n" line ends) with the reader's
    // `messages` for correction. Every corrected text the user applies goes
    // to `retry`; its messages are shown again. True when the user accepts
    // the document as last parsed, false when the user gives up.
    virtual bool ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry) = 0;

    // The save dialog, starting at the file name `fileName`; false when
    // cancelled.
    virtual bool AskSavePath(const char* fileName, CStr_base<64>& path) = 0;

    // A save over the project's file `path` found it changed by another
    // program since it was read or written: true overwrites it all the
    // same. `question` is the editor's question (default answer no).
    virtual bool AskOverwriteChanged(const char* path, const char* question) = 0;

    // Before a save: the current page applies its edits and the pages'
    // selections are written into `info`. False when the page refused, and
    // the save is not to go on.
    virtual bool ApplyCurrentPage(CProjectInfo& info) = 0;

    // After a project was opened, created or reset: the window title
    // names the new project; when `tab` is 0 or more that tab is selected
    // and the current page is built anew without applying, otherwise the
    // pages stay.
    virtual void ShowProject(int32_t tab) = 0;

    // Adds a path to the open-file history.
    virtual void AddToHistory(const char* path) = 0;

    // After the fatal message: the program must end.
    virtual void EndProgram() = 0;
};
