// The main dialog's template: the tab control and the menu bar, with the
// identifiers of the dialog, its control and its menu commands.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

enum : int32_t {
    IDD_MAIN = 102,
    IDI_PROGRAM = 128,
    IDC_MAIN_TAB = 1000,
    // Menu commands.
    ID_ABOUT = 32771,
    ID_FILE_NEW = 32772,
    ID_FILE_OPEN = 32773,
    ID_FILE_SAVE_AS = 32774,
    ID_FILE_SAVE = 32775,
    ID_FILE_EXIT = 32776,
    ID_PREFERENCES = 32777,
    ID_FIND_REPLACE = 32778,
    ID_INTEGRITY_CHECK = 32780,
    ID_TOOL_RESULTS = 32781,
    ID_HISTORY_FIRST = 32782,  // the history entries, newest first
    ID_HISTORY_LAST = 32786,
    ID_HELP_FILE = 32787,
    ID_EDIT_UNDO = 32788,
    ID_EDIT_REDO = 32789,
};

// The program's name, last in the main window's title.
inline constexpr char kProgramTitle[] = "Tavaro Item Editor";

const CUiDialogTemplate& MainDlgTemplate();
