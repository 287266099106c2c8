#include "cli/cli_project.h"

#include <sys/stat.h>
#include <sysexits.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/cp932_operand.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "foundation/text_file.h"

namespace {

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
    settingsPath.Format("%s/TavaroItemEditor.ini", p.folder.GetBuffer());
    p.settings.Load(settingsPath);  // a missing settings file leaves the defaults
}

// The rule of --rule must be in the table; otherwise the known ones are listed.
bool KnownRule(const CRuleTable& rules, const std::string& key, std::string_view command, std::ostream& err)
{
    if (rules.Lookup(key.c_str()))
        return true;
    std::vector<std::string> keys;
    for (const auto& [known, tree] : rules)
        keys.emplace_back(known);
    std::sort(keys.begin(), keys.end());
    err << command << ": unknown rule \"" << Cp932ToUtf8(key) << "\"; the known rules are:\n";
    for (const std::string& known : keys)
        err << "  " << Cp932ToUtf8(known) << "\n";
    err << "Try \"" << command << " --help\".\n";
    return false;
}

// Why a name has no path text, from the characters ExactPathText blamed.
std::string UnfitNameReason(const std::u32string& unfit)
{
    const std::string why = unfit.empty() ? "its name is no UTF-8" :
                                            "its name holds characters that CP932 cannot hold: " +
                                                DescribeRefusedChars(unfit);
    return why + " (the program keeps file names as CP932 texts)";
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first;
    struct stat second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace

CliProject* OpenCliProject(const ProjectArgs& args, std::string_view command, CliOpenFailure failure,
                           std::ostream& err, int& status)
{
    CliProject& p = NewProject();
    LoadProgramFolder(p);
    if (!KnownRule(p.rules, args.rule, command, err)) {
        status = failure.unknownRule;
        return nullptr;
    }
    p.host.emplace(err, std::string(command), p.rules, args);
    p.project.emplace(p.doc, p.rules, p.settings, *p.host, p.folder);
    p.project->m_bIncludeAsElement = args.includeElements;
    std::u32string unfit;
    const std::optional<CStr_base<64>> path = ExactPathText(args.file, unfit);
    if (!path) {
        err << command << ": cannot open " << args.file << ": " << UnfitNameReason(unfit) << "\n";
        status = failure.unopened;
        return nullptr;
    }
    p.project->ResetToDefaults(true);
    if (p.host->Ended() || !p.project->Open(*path)) {
        status = p.project->m_bOutOfMemory ? EX_OSERR : failure.unopened;
        return nullptr;
    }
    return &p;
}

int WriteCliProject(CliProject& p, const ProjectArgs& args, std::string_view command, std::ostream& out,
                    std::ostream& err)
{
    const std::string& output = *args.output;
    // What the reader reported did not come into the document: writing it
    // to a file, above all over FILE itself, would lose those lines.
    if (p.host->ReaderReported()) {
        err << command << ": " << output << " not written, since the reader reported lines\n";
        return 2;
    }
    // A command's results and its file go together: a user who cannot see
    // what was done finds the file unchanged.
    if (!out.flush()) {
        err << command << ": " << output << " not written, since standard output failed\n";
        return EX_IOERR;
    }
    if (SameFile(output, args.file))
        return p.project->Save() ? 0 : EX_CANTCREAT;
    CTextFileWriter writer;
    const auto write = [&writer](const char* text, size_t length) { return writer.Write(text, length); };
    if (!writer.Begin(output.c_str()) || !p.project->WriteFileText(write) || !writer.Commit()) {
        err << command << ": cannot write " << output << ": " << writer.Reason() << "\n";
        return EX_CANTCREAT;
    }
    return 0;
}
