// Where the editor finds its files, and what it was asked to open.
#pragma once

#include <string>

#include "app/startup_path.h"
#include "foundation/str_base.h"

struct CEditorStartup {
    // The folder of the program file (a path text, no trailing separator):
    // it holds "makeitem_rules", "backup" and the help page.
    CStr_base<64> programFolder;
    // The settings file (a path text).
    CStr_base<64> settingsPath;
    // The one command-line argument as the system passed it; empty for none.
    std::string commandLine;
    // The folder the program was started in (native), taken when the
    // start-up is described: a relative command-line path is found from
    // here, whatever folder the start-up makes current afterwards.
    std::string startFolder = CurrentFolder();

    // The folder of the running program and its settings file beside it.
    static CEditorStartup BesideProgram(const std::string& commandLine);
};
