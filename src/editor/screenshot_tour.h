// The screenshot tour: the main window on each of its six tabs and each of
// its dialogs, written as PNG files, with nothing saved and the user's
// settings left alone.
#pragma once

#include <ostream>
#include <string>

#include "shell/editor_startup.h"

class CQtBackend;

// Opens `startup.commandLine` in the main window and writes the pictures to
// `folder` (native, made when missing), naming each file on `out`. The
// settings are read from and written to a scratch folder, so the run
// changes neither the settings file nor the project. Returns 0 when every
// picture was written, 1 otherwise (the reasons go to `err`).
int RunScreenshotTour(CQtBackend& backend, CEditorStartup startup, const std::string& folder, std::ostream& out,
                      std::ostream& err);
