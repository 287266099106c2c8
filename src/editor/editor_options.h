// The command line of the TavaroItemEditor program.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

struct CEditorOptions {
    enum class Action {
        kRun,          // the editor, on `file` when one is named
        kHelp,
        kVersion,
        kScreenshots,  // pictures of the windows into `shotsFolder`
        kUsageError,   // `error` says what is wrong
    };
    Action action = Action::kRun;
    std::string file;         // native path as given; empty for none
    std::string shotsFolder;  // native path
    std::string error;
};

// Reads the arguments after the program name. "--" ends the options, so a
// file whose name begins with "-" can be named after it.
CEditorOptions ParseEditorOptions(std::span<const std::string_view> args);

void WriteEditorUsage(std::ostream& out);
