#include "editor/editor_options.h"

#include <vector>

namespace {

CEditorOptions Refuse(std::string error)
{
    CEditorOptions options;
    options.action = CEditorOptions::Action::kUsageError;
    options.error = std::move(error);
    return options;
}

}  // namespace

CEditorOptions ParseEditorOptions(std::span<const std::string_view> args)
{
    CEditorOptions options;
    bool optionsEnded = false;
    bool screenshots = false;
    std::vector<std::string> operands;
    for (std::string_view arg : args) {
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--help" || arg == "-h") {
                options.action = CEditorOptions::Action::kHelp;
                return options;
            } else if (arg == "--version") {
                options.action = CEditorOptions::Action::kVersion;
                return options;
            } else if (arg == "--screenshots") {
                screenshots = true;
            } else {
                return Refuse("unknown option '" + std::string(arg) + "'");
            }
            continue;
        }
        operands.emplace_back(arg);
    }

    if (screenshots) {
        if (operands.empty())
            return Refuse("--screenshots needs a folder");
        if (operands.size() > 2)
            return Refuse("--screenshots takes a folder and at most one file");
        options.action = CEditorOptions::Action::kScreenshots;
        options.shotsFolder = operands[0];
        if (operands.size() == 2)
            options.file = operands[1];
        return options;
    }
    if (operands.size() > 1)
        return Refuse("only one file can be opened at a time");
    if (!operands.empty())
        options.file = operands[0];
    return options;
}

void WriteEditorUsage(std::ostream& out)
{
    out << "Usage: TavaroItemEditor [FILE]\n"
           "       TavaroItemEditor --screenshots DIR [FILE]\n"
           "       TavaroItemEditor --help | --version\n"
           "\n"
           "Edits the item definition file of the shop game (inc-item-data.cgi):\n"
           "items and their uses, events, function blocks, the definition block.\n"
           "Without FILE the last project is opened again when the preferences\n"
           "ask for it.\n"
           "\n"
           "Options:\n"
           "  --screenshots DIR  open FILE (or the sample project of the program\n"
           "                     folder), write pictures of the main window on each\n"
           "                     tab and of its dialogs to DIR as PNG files, and\n"
           "                     exit; needs no display\n"
           "  --help             show this help and exit\n"
           "  --version          show the version and exit\n"
           "  --                 end of options (for a FILE beginning with '-')\n"
           "\n"
           "The settings file TavaroItemEditor.ini, the rule files (makeitem_rules)\n"
           "and the backups (backup) live in the program's own folder.\n"
           "Without a display run it under a virtual one: xvfb-run -a TavaroItemEditor FILE\n";
}
