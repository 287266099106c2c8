#include "cli/project_args.h"

#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"

std::optional<ProjectArgs> ParseProjectArgs(std::span<const std::string_view> args, bool withOutput,
                                            std::string& error)
{
    ProjectArgs parsed;
    parsed.rule = SJ("標準 ベータ版(040318)");
    parsed.name = SJ("無題");
    bool haveFile = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!option) {
            if (haveFile) {
                error = "only one FILE may be given";
                return std::nullopt;
            }
            parsed.file = arg;
            haveFile = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            parsed.help = true;
            return parsed;
        } else if (withOutput && arg == "--include-elements") {
            parsed.includeElements = true;
        } else if (withOutput && arg == "--continue-without-backup") {
            parsed.continueWithoutBackup = true;
        } else if (withOutput && (arg == "--rule" || arg == "--name" || arg == "-o")) {
            if (i + 1 >= args.size()) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            const std::string_view value = args[++i];
            if (arg == "-o")
                parsed.output = std::string(value);
            else
                (arg == "--rule" ? parsed.rule : parsed.name) = Utf8ToCp932(value);
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    if (!haveFile) {
        error = "FILE is missing";
        return std::nullopt;
    }
    return parsed;
}

std::string_view FormatUsage()
{
    return "Usage: tavaro format [--rule KEY] [--name NAME] [--include-elements]\n"
           "                     [--continue-without-backup] [-o OUT] FILE\n";
}

std::string_view FormatHelp()
{
    return "Usage: tavaro format [--rule KEY] [--name NAME] [--include-elements]\n"
           "                     [--continue-without-backup] [-o OUT] FILE\n"
           "\n"
           "Opens FILE as the editor opens a project and writes what the editor's save\n"
           "would write: the project-information block, then the data (CP932, CR LF).\n"
           "\n"
           "  --rule KEY          rule of a file without project information, one of\n"
           "                      the known rules (default \"標準 ベータ版(040318)\")\n"
           "  --name NAME         project name of such a file (default \"無題\")\n"
           "  --include-elements  read \"@@include\" lines as elements\n"
           "  -o OUT              write to OUT instead of standard output; when OUT is\n"
           "                      FILE itself, save it as the editor does, with a backup\n"
           "                      unless the settings turn backups off. An existing OUT\n"
           "                      must be a regular file that you may write; one with\n"
           "                      no write permission at all is refused even to root\n"
           "  --continue-without-backup\n"
           "                      save FILE even when its backup cannot be made\n"
           "                      (the folder \"backup\" beside the program is missing,\n"
           "                      for one); without it such a save is refused\n"
           "\n"
           "Rules are read from makeitem_rules and settings from TavaroItemEditor.ini\n"
           "in the program's folder. Reader messages go to standard error, one a line.\n"
           "\n"
           "Exit status: 0 done, 2 the reader reported lines (standard output still\n"
           "gets the text, OUT is not written), 1 FILE cannot be opened as a project\n"
           "(nothing written), 64 usage (an unknown rule too),\n"
           "73 OUT or the backup cannot be written (OUT unchanged), 74 standard output\n"
           "failed.\n";
}

std::string_view InfoUsage() { return "Usage: tavaro info FILE\n"; }

std::string_view InfoHelp()
{
    return "Usage: tavaro info FILE\n"
           "\n"
           "Opens FILE as the editor opens a project and prints what the project page\n"
           "shows (counts of items, events and all elements, rule, file) and the\n"
           "project name. Rules and settings as for \"tavaro format\".\n"
           "\n"
           "Exit status: 0 done, 2 done but the reader reported lines, 64 usage, 66 FILE\n"
           "cannot be opened as a project, 74 standard output failed.\n";
}
