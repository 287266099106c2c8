// TavaroItemEditor: the editor on the Qt backend.
#include <sysexits.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "editor/display_check.h"
#include "editor/editor_options.h"
#include "editor/screenshot_tour.h"
#include "foundation/huge_page_heap.h"
#include "foundation/native_path.h"
#include "shell/editor_app.h"
#include "ui/qt/qt_backend.h"
#include "ui/ui_backend.h"

namespace {

// The sample project of the program folder, opened by the tour when no
// file is named.
std::string SampleProject() { return ProgramFolder() + "/sample/inc-item-data.cgi"; }

// The tour's pictures show the main window on a screen of 1600 by 1000
// pixels: Qt's offscreen platform reads its screens from a file.
std::string TourScreenFile()
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tavaro-tour-screen-" + std::to_string(getpid()) + ".json");
    std::ofstream out(path);
    out << "{ \"screens\": [ { \"name\": \"tour\", \"x\": 0, \"y\": 0, \"width\": 1600, \"height\": 1000,"
           " \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1 } ] }\n";
    return out ? path.string() : std::string();
}

}  // namespace

int main(int argc, char** argv)
{
    UseHugePagesForTheHeap(argv);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string screenFile;
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
        if (!getenv("QT_QPA_PLATFORM")) {
            screenFile = TourScreenFile();
            setenv("QT_QPA_PLATFORM", ("offscreen" + (screenFile.empty() ? "" : ":configfile=" + screenFile)).c_str(), 1);
        }
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
    if (!screenFile.empty()) {
        std::error_code error;
        std::filesystem::remove(screenFile, error);
    }
    return status;
}
