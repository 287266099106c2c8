#include "cli/project_command.h"

#include <sysexits.h>

#include <optional>
#include <string>

#include "cli/cli_project.h"
#include "cli/project_args.h"
#include "foundation/cp932.h"
#include "foundation/text_file.h"

namespace {

constexpr std::string_view kFormatUsage =
    "Usage: tavaro format [--rule KEY] [--name NAME] [--include-elements]\n"
    "                     [--continue-without-backup] [-o OUT] FILE\n";

constexpr std::string_view kFormatHelp =
    "Usage: tavaro format [--rule KEY] [--name NAME] [--include-elements]\n"
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
    "                      no write permission at all is refused even to root.\n"
    "                      FILE in a group you are not in is written over in\n"
    "                      place after a copy of it went to the backup folder\n"
    "                      (refused when backups are off). Nothing is written\n"
    "                      that would be too large to open again (256 MiB)\n"
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

constexpr std::string_view kInfoUsage = "Usage: tavaro info [--rule KEY] [--name NAME] [--include-elements] FILE\n";

constexpr std::string_view kInfoHelp =
    "Usage: tavaro info [--rule KEY] [--name NAME] [--include-elements] FILE\n"
    "\n"
    "Opens FILE as the editor opens a project and prints what the project page\n"
    "shows (counts of items, events and all elements, rule, file) and the\n"
    "project name. Options, rules and settings as for \"tavaro format\".\n"
    "\n"
    "Exit status: 0 done, 2 done but the reader reported lines, 64 usage, 66 FILE\n"
    "cannot be opened as a project, 74 standard output failed.\n";

constexpr ProjectArgsForm kFormatForm{
    .command = "tavaro format", .usage = kFormatUsage, .help = kFormatHelp, .openOptions = true, .writeOptions = true};
constexpr ProjectArgsForm kInfoForm{
    .command = "tavaro info", .usage = kInfoUsage, .help = kInfoHelp, .openOptions = true};

} // namespace

int RunFormatCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kFormatForm, out, err, status);
    if (!parsed)
        return status;
    CliProject* p = OpenCliProject(*parsed, kFormatForm.command, {.unknownRule = EX_USAGE, .unopened = 1}, err, status);
    if (!p)
        return status;
    p->project->m_bWriteFormatted = true;
    if (parsed->output)
        return WriteCliProject(*p, *parsed, kFormatForm.command, out, err);
    // The text goes out in pieces with the file's line ends; a failed
    // standard output is reported when the command ends.
    std::string piece;
    p->project->WriteFileText([&out, &piece](const char* text, size_t length) {
        piece.clear();
        AppendWithCrLf(piece, text, length);
        return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
    });
    return p->host->ReaderReported() ? 2 : 0;
}

int RunInfoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kInfoForm, out, err, status);
    if (!parsed)
        return status;
    CliProject* p = OpenCliProject(*parsed, kInfoForm.command, {.unknownRule = EX_NOINPUT, .unopened = EX_NOINPUT},
                                   err, status);
    if (!p)
        return status;
    const CProjectInfo& info = p->project->info;
    out << "アイテム数：" << p->doc.itemdata.GetCount() << "\n"
        << "イベント数：" << p->doc.eventdata.GetCount() << "\n"
        << "全オブジェクト数：" << p->doc.setdata.GetCount() << "\n"
        << "対応するmakeitemルール：" << Cp932ToUtf8(info.ruleName.GetBuffer()) << "\n"
        << "編集中ファイル名：" << Cp932ToUtf8(p->project->m_strFilePath.GetBuffer()) << "\n"
        << "プロジェクト名：" << Cp932ToUtf8(info.projectName.GetBuffer()) << "\n";
    return p->host->ReaderReported() ? 2 : 0;
}
