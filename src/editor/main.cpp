// TavaroItemEditor: the editor on the Qt backend.
#include <sysexits.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/main/editor_app.h"
#include "editor/display_check.h"
#include "editor/editor_options.h"
#include "editor/screenshot_tour.h"
#include "foundation/huge_page_heap.h"
#include "foundation/native_path.h"
#include "ui/qt/qt_backend.h"
#include "ui/ui_backend.h"

namespace {

// The sample project of the program folder, opened by the tour when no
// file is named.
std::string SampleProject() { return ProgramFolder() + "/sample/inc-item-data.cgi"; }

}  // namespace

int main(int argc, char** argv)
{
    UseHugePagesForTheHeap(argv);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    CEditorOptions options = ParseEditorOptions(args);
    switch (options.action) {
    case CEditorOptions::Action::kHelp:
        WriteEditorUsage(std::cout);
        return 0;
    case CEditorOptions::Action::kVersion:
        std::cout << "TavaroItemEditor " TAVARO_VERSION "\n";
        return 0;
    case CEditorOptions::Action::kUsageError:
        std::cerr << "TavaroItemEditor: " << options.error << "\nTry 'TavaroItemEditor --help'.\n";
        return EX_USAGE;
    case CEditorOptions::Action::kScreenshots:
        // Pictures need no screen: without a platform chosen, none is used.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (options.file.empty()) {
            options.file = SampleProject();
            if (!std::filesystem::exists(options.file)) {
                std::cerr << "TavaroItemEditor: no sample project at '" << options.file << "'; name a FILE\n";
                return 1;
            }
        }
        break;
    case CEditorOptions::Action::kRun:
        if (!HasDisplay()) {
            std::cerr << NoDisplayLine(options.file) << "\n";
            return 1;
        }
        break;
    }

    CQtBackend backend;
    UiSetBackend(&backend);
    const CEditorStartup startup = CEditorStartup::BesideProgram(options.file);
    int status = 0;
    if (options.action == CEditorOptions::Action::kScreenshots)
        status = RunScreenshotTour(backend, startup, options.shotsFolder, std::cout, std::cerr);
    else
        CEditorApp(startup).Run();
    UiSetBackend(nullptr);
    return status;
}
