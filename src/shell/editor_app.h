// The application: runs the main dialog modally; the program ends when it
// closes.
#pragma once

#include "shell/editor_startup.h"

class CEditorApp {
public:
    explicit CEditorApp(CEditorStartup startup) : m_startup(std::move(startup)) {}

    // The start routine: the main dialog, run until it closes. Needs a
    // chosen backend (ui/ui_backend.h).
    void Run();

private:
    CEditorStartup m_startup;
};
