// editor_cold_start SCRATCH FILE
//
// The editor's start as a user meets it, for run_cold_bench.sh: a fresh
// process makes the Qt application (offscreen platform unless another is
// chosen) and the main dialog with FILE on its command line, as
// TavaroItemEditor does, with the program folder and the settings file in
// the folder SCRATCH, and ends the moment the main window is shown with the
// file opened. The caller times the whole process. Exit status 0 when the
// window got there, 1 when the file was not opened,
// a question or message came up on the way, or the dialog ended first.
#include <stdlib.h>
#include <unistd.h>

#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "foundation/huge_page_heap.h"
#include "foundation/native_path.h"
#include "shell/main_dlg.h"
#include "ui/qt/qt_backend.h"
#include "ui/ui_backend.h"

int main(int argc, char** argv)
{
    UseHugePagesForTheHeap(argv);  // as the editor starts
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_cold_start SCRATCH FILE\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string scratch = argv[1];
    CQtBackend backend;
    UiSetBackend(&backend);
    CEditorStartup startup;
    startup.programFolder = PathTextFromNative(scratch);
    startup.settingsPath = PathTextFromNative(scratch + "/TavaroItemEditor.ini");
    startup.commandLine = argv[2];
    CMainDlg main(startup);
    QObject ticks;
    std::function<void()> poll = [&] {
        // A question or a message on the way (the file cannot be opened,
        // the reader reported lines) would wait for a user.
        if (main.m_nModalWait.IsWaiting()) {
            std::fprintf(stderr, "editor_cold_start: the main window waits for an answer on opening %s\n", argv[2]);
            _exit(1);
        }
        // Shown with the file opened: the time a user waits is over. The
        // teardown is no part of it.
        if (main.HasWindow() && main.IsWindowVisible() && main.IsStartupDone()) {
            if (main.FilePath().IsEmpty()) {
                std::fprintf(stderr, "editor_cold_start: the main window did not open %s\n", argv[2]);
                _exit(1);
            }
            _exit(0);
        }
        QTimer::singleShot(0, &ticks, poll);
    };
    QTimer::singleShot(0, &ticks, poll);
    main.DoModal();
    return 1;
}
