#include "cli/project_command.h"

#include <sys/stat.h>
#include <sysexits.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_project_host.h"
#include "cli/project_args.h"
#include "document/merx_document.h"
#include "document/project_file.h"
#include "document/rule_table.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "foundation/text_file.h"

namespace {

// Everything an opened project needs, set up as the editor sets it up.
struct CliProject {
    CStr_base<64> folder;  // the program folder, a path text
    CMerxDocument doc;
    CRuleTable rules;
    CSettingsStore settings;
    std::optional<CCliProjectHost> host;
    std::optional<CMerxProject> project;
};

// A new project for a command, in place of the one of the command before.
// The last one stays until the process ends, which gives a large
// document's memory back at once, far faster than the document could free
// its elements one by one; kept here, it is no leak.
CliProject& NewProject()
{
    static CliProject* last = nullptr;
    delete last;
    last = nullptr;
    last = new CliProject;
    return *last;
}

// Loads the rules and the settings beside the program.
void LoadProgramFolder(CliProject& p)
{
    p.folder = PathTextFromNative(ProgramFolder());
    LoadRuleTable(p.rules, RuleFolderBesideProgram());
    CStr_base<64> settingsPath;
    settingsPath.Format("%s\\TavaroItemEditor.ini", p.folder.GetBuffer());
    p.settings.Load(settingsPath);  // a missing settings file leaves the defaults
}

// Opens the file of `args`; false when it cannot be (the reason is shown).
bool OpenProject(const ProjectArgs& args, const char* command, CliProject& p, std::ostream& err)
{
    p.host.emplace(err, command, p.rules, args);
    p.project.emplace(p.doc, p.rules, p.settings, *p.host, p.folder);
    p.project->m_bIncludeAsElement = args.includeElements;
    p.project->ResetToDefaults(true);
    return !p.host->Ended() && p.project->Open(PathTextFromNative(args.file));
}

// The rule of --rule must be in the table; otherwise the known ones are listed.
bool KnownRule(const CRuleTable& rules, const std::string& key, std::ostream& err)
{
    if (rules.Lookup(key.c_str()))
        return true;
    std::vector<std::string> keys;
    for (const auto& [known, tree] : rules)
        keys.emplace_back(known);
    std::sort(keys.begin(), keys.end());
    err << "tavaro format: unknown rule \"" << Cp932ToUtf8(key) << "\"; the known rules are:\n";
    for (const std::string& known : keys)
        err << "  " << Cp932ToUtf8(known) << "\n";
    err << "Try \"tavaro format --help\".\n";
    return false;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first;
    struct stat second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::optional<ProjectArgs> ParseOrExplain(std::span<const std::string_view> args, bool format, std::ostream& out,
                                          std::ostream& err, int& status)
{
    std::string error;
    std::optional<ProjectArgs> parsed = ParseProjectArgs(args, format, error);
    const char* name = format ? "format" : "info";
    if (!parsed) {
        err << "tavaro " << name << ": " << error << "\n"
            << (format ? FormatUsage() : InfoUsage()) << "Try \"tavaro " << name << " --help\".\n";
        status = EX_USAGE;
        return std::nullopt;
    }
    if (parsed->help) {
        out << (format ? FormatHelp() : InfoHelp());
        status = 0;
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunFormatCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, true, out, err, status);
    if (!parsed)
        return status;
    CliProject& p = NewProject();
    LoadProgramFolder(p);
    if (!KnownRule(p.rules, parsed->rule, err))
        return EX_USAGE;
    if (!OpenProject(*parsed, "tavaro format", p, err))
        return 1;
    const int done = p.host->ReaderReported() ? 2 : 0;
    // What the reader reported did not come into the document: writing it
    // to a file, above all over FILE itself, would lose those lines.
    if (parsed->output && done != 0) {
        err << "tavaro format: " << *parsed->output << " not written, since the reader reported lines\n";
        return done;
    }

    if (parsed->output && SameFile(*parsed->output, parsed->file))
        return p.project->Save() ? done : EX_CANTCREAT;
    if (parsed->output) {
        CTextFileWriter writer;
        const auto write = [&writer](const char* text, size_t length) { return writer.Write(text, length); };
        if (!writer.Begin(parsed->output->c_str()) || !p.project->WriteFileText(write) || !writer.Commit()) {
            err << "tavaro format: cannot write " << *parsed->output << ": " << writer.Reason() << "\n";
            return EX_CANTCREAT;
        }
        return done;
    }
    // The text goes out in pieces with the file's line ends; a failed
    // standard output is reported when the command ends.
    std::string piece;
    p.project->WriteFileText([&out, &piece](const char* text, size_t length) {
        piece.clear();
        AppendWithCrLf(piece, text, length);
        return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
    });
    return done;
}

int RunInfoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, false, out, err, status);
    if (!parsed)
        return status;
    CliProject& p = NewProject();
    LoadProgramFolder(p);
    if (!OpenProject(*parsed, "tavaro info", p, err))
        return EX_NOINPUT;
    const CProjectInfo& info = p.project->info;
    out << "アイテム数：" << p.doc.itemdata.GetCount() << "\n"
        << "イベント数：" << p.doc.eventdata.GetCount() << "\n"
        << "全オブジェクト数：" << p.doc.setdata.GetCount() << "\n"
        << "対応するmakeitemルール：" << Cp932ToUtf8(info.ruleName.GetBuffer()) << "\n"
        << "編集中ファイル名：" << Cp932ToUtf8(p.project->m_strFilePath.GetBuffer()) << "\n"
        << "プロジェクト名：" << Cp932ToUtf8(info.projectName.GetBuffer()) << "\n";
    return p.host->ReaderReported() ? 2 : 0;
}
