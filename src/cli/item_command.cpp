#include "cli/item_command.h"

#include <sysexits.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

#include "cli/cli_project.h"
#include "cli/cp932_operand.h"
#include "cli/escape_text.h"
#include "cli/item_operands.h"
#include "cli/project_args.h"
#include "editing/item_rename.h"
#include "foundation/cp932.h"

namespace {

constexpr std::string_view kItemUsage =
    "Usage: tavaro item list [--rule KEY] [--name NAME] [--include-elements]\n"
    "                        [--uses] FILE\n"
    "       tavaro item rename [--rule KEY] [--name NAME] [--include-elements]\n"
    "                          [--no-track] [-o OUT] [--continue-without-backup]\n"
    "                          FILE INDEX NEWNAME\n";

constexpr std::string_view kItemHelp =
    "Usage: tavaro item list [--rule KEY] [--name NAME] [--include-elements]\n"
    "                        [--uses] FILE\n"
    "       tavaro item rename [--rule KEY] [--name NAME] [--include-elements]\n"
    "                          [--no-track] [-o OUT] [--continue-without-backup]\n"
    "                          FILE INDEX NEWNAME\n"
    "\n"
    "Opens FILE as the editor opens a project (options as for \"tavaro format\").\n"
    "\n"
    "list prints one line per item in file order: its index (from 0, as in\n"
    "ITEM[0]), then no, code and name in double quotes, separated by tabs.\n"
    "With --uses each item line is followed by one line per use entry: a tab,\n"
    "@@USE[k] (k from 0), a tab, its name in double quotes, a tab and one\n"
    "quoted text of its use/need/get lines, their tabs turned into spaces,\n"
    "joined by \" | \" (\"\" when it has none):\n"
    "  0\t\"1\"\t\"wheat\"\t\"小麦\"\n"
    "  \t@@USE[0]\t\"畑で育てる\"\t\"get 5 小麦   | get 3 小麦 30% 豊かに実った\"\n"
    "\n"
    "rename gives item INDEX (digits, from 0) the name NEWNAME (UTF-8, taken as\n"
    "it is; a NEWNAME that begins with \"-\" comes after \"--\") and follows the\n"
    "name through the project as the item page does when asked to: references\n"
    "@@ITEMNO\"name\" in every script, the item column of use/need/get lines and\n"
    "the first word of event param lines. It prints\n"
    "  renamed ITEM[3] \"OLD\" -> \"NEW\"\n"
    "  tracked ITEM[0] funct 2        (one line per changed text, with the number\n"
    "  total 2                         of references or lines changed in it)\n"
    "or \"unchanged ITEM[3]\" when NEWNAME is the name already. A name that\n"
    "another item holds as well is never followed, old or new: that would merge\n"
    "the two names for good, so such a rename is refused unless --no-track.\n"
    "\n"
    "  --no-track          rename the item alone\n"
    "  -o OUT              write the renamed project to OUT as the editor's save\n"
    "                      does (only changed lines change); OUT naming FILE\n"
    "                      saves it with a backup. Without -o nothing is written\n"
    "  --continue-without-backup\n"
    "                      save FILE even when its backup cannot be made\n"
    "\n"
    "Texts are printed in UTF-8 with the escapes \\\\ \\\" \\n \\r \\t \\xHH.\n"
    "Reader messages go to standard error first.\n"
    "\n"
    "Exit status: 0 done, 1 rename refused (no such item, an empty name, one\n"
    "that would not read back: CR, LF, \"#\", blanks at either end, or, unless\n"
    "--no-track, an old or new name that another item holds; nothing written),\n"
    "2 -o given but the reader reported lines (nothing written), 64 usage (a\n"
    "character CP932 lacks in NEWNAME too), 66 FILE cannot be opened as a\n"
    "project (an unknown rule too), 73 OUT or the backup cannot be written,\n"
    "74 standard output failed (nothing written).\n";

constexpr std::string_view kCommand = "tavaro item";
constexpr std::string_view kListSwitches[] = {"--uses"};
constexpr std::string_view kRenameSwitches[] = {"--no-track"};
constexpr std::string_view kRenameOperands[] = {"INDEX", "NEWNAME"};

constexpr ProjectArgsForm kListForm{
    .command = kCommand, .usage = kItemUsage, .help = kItemHelp, .openOptions = true, .switches = kListSwitches};
constexpr ProjectArgsForm kRenameForm{.command = kCommand,
                                      .usage = kItemUsage,
                                      .help = kItemHelp,
                                      .openOptions = true,
                                      .writeOptions = true,
                                      .switches = kRenameSwitches,
                                      .operands = kRenameOperands};

constexpr CliOpenFailure kOpenFailure{.unknownRule = EX_NOINPUT, .unopened = EX_NOINPUT};

std::string_view Field(const CMerxFieldElement& element, const char* key)
{
    const CMerxString* value = element.GetField(key);
    return value ? std::string_view(value->GetBuffer(), value->GetLength()) : std::string_view();
}

// The use/need/get lines of `use` as one text: each line with its tabs
// turned into spaces, the lines joined by " | ".
std::string UngText(const Cusestruct& use)
{
    std::string text;
    const CStrArray_base<64>* ung = use.GetList("ung");
    for (uint32_t i = 0; ung && i < ung->GetCount(); ++i) {
        const CMerxString& line = *ung->GetAt(i);
        if (i > 0)
            text += " | ";
        const size_t from = text.size();
        text.append(line.GetBuffer(), line.GetLength());
        std::replace(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), '\t', ' ');
    }
    return text;
}

// A line per use entry of `item`: a tab, @@USE[k], its name and its use/need/get lines.
void ListUses(const Citemstruct& item, std::ostream& out)
{
    for (uint32_t u = 0; u < item.uses.GetCount(); ++u) {
        const Cusestruct& use = *item.uses.GetAt(u);
        out << "\t@@USE[" << u << "]\t" << QuoteCp932(Field(use, "name")) << '\t' << QuoteCp932(UngText(use)) << '\n';
    }
}

int RunList(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kListForm, out, err, status);
    if (!parsed)
        return status;
    CliProject* p = OpenCliProject(*parsed, kCommand, kOpenFailure, err, status);
    if (!p)
        return status;
    for (uint32_t i = 0; i < p->doc.itemdata.GetCount(); ++i) {
        const Citemstruct& item = *p->doc.itemdata.GetAt(i);
        out << i << '\t' << QuoteCp932(Field(item, "no")) << '\t' << QuoteCp932(Field(item, "code")) << '\t'
            << QuoteCp932(Field(item, "name")) << '\n';
        if (parsed->Has("--uses"))
            ListUses(item, out);
    }
    return 0;
}

// What the tracking left alone, on standard error, a line each.
void TellLeft(const CRenameTracking& tracking, std::ostream& err)
{
    const std::string message = Cp932ToUtf8(RenameLeftMessage(tracking).GetBuffer());
    for (size_t from = 0; from < message.size();) {
        const size_t end = std::min(message.find('\n', from), message.size());
        err << kCommand << ": " << std::string_view(message).substr(from, end - from) << '\n';
        from = end + 1;
    }
}

// Following a name that another item holds as well would merge the two
// names for good: says which item holds the new name, or else the old one,
// and returns true when one does.
bool RefuseMerge(const CMerxDocument& doc, uint32_t self, std::initializer_list<std::string_view> names,
                 std::ostream& err)
{
    for (const std::string_view name : names) {
        const int32_t other = OtherItemNamed(doc, self, std::string(name).c_str());
        if (other < 0)
            continue;
        err << kCommand << ": ITEM[" << other << "] is named " << QuoteCp932(name)
            << " too; following the rename would merge the two names (--no-track renames the item alone)\n";
        return true;
    }
    return false;
}

int RunRename(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kRenameForm, out, err, status);
    if (!parsed)
        return status;
    const std::string& indexText = parsed->operands[0];
    const std::optional<uint64_t> index = ReadItemIndex(indexText);
    if (!index)
        return ExplainUsage(kRenameForm, "INDEX must be digits, not \"" + indexText + "\"", err);
    std::string problem;
    const std::optional<std::string> newName = Cp932Operand(parsed->operands[1], problem);
    if (!newName)
        return ExplainUsage(kRenameForm, "NEWNAME " + problem, err);

    CliProject* p = OpenCliProject(*parsed, kCommand, kOpenFailure, err, status);
    if (!p)
        return status;
    CMerxDocument& doc = p->doc;
    if (*index >= doc.itemdata.GetCount()) {
        err << kCommand << ": no ITEM[" << indexText << "] (" << doc.itemdata.GetCount() << " items)\n";
        return 1;
    }
    if (newName->empty()) {
        err << kCommand << ": [name]\tアイテム名を入力してください。\n";
        return 1;
    }
    if (const char* problem = NameReadBackProblem(*newName)) {
        err << kCommand << ": " << QuoteCp932(*newName) << " cannot be an item name: " << problem << "\n";
        return 1;
    }
    Citemstruct& item = *doc.itemdata.GetAt(static_cast<uint32_t>(*index));
    const std::string oldName(Field(item, "name"));
    if (oldName == *newName) {
        out << "unchanged ITEM[" << *index << "]\n";
        // Reader lines refuse -o whether or not the name changed.
        if (parsed->output && p->host->ReaderReported())
            return WriteCliProject(*p, *parsed, kCommand, out, err);
        return 0;
    }

    const bool track = !parsed->Has("--no-track");
    if (track && RefuseMerge(doc, static_cast<uint32_t>(*index), {*newName, oldName}, err))
        return 1;

    // The renamed item is stored first, as the page stores its working
    // copy, and the tracking then runs over every item, this one too.
    item.SetField("name", newName->c_str());
    const CRenameTracking tracking =
        track ? TrackItemRename(doc, oldName.c_str(), newName->c_str()) : CRenameTracking{};
    out << "renamed ITEM[" << *index << "] " << QuoteCp932(oldName) << " -> " << QuoteCp932(*newName) << "\n";
    for (const CRenameChange& change : tracking.changes)
        out << "tracked " << Cp932ToUtf8(change.place.GetBuffer()) << " " << change.count << "\n";
    out << "total " << tracking.total << "\n";
    TellLeft(tracking, err);
    return parsed->output ? WriteCliProject(*p, *parsed, kCommand, out, err) : 0;
}

} // namespace

int RunItemCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "--help") {
        out << kItemHelp;
        return 0;
    }
    if (!args.empty() && args[0] == "list")
        return RunList(args.subspan(1), out, err);
    if (!args.empty() && args[0] == "rename")
        return RunRename(args.subspan(1), out, err);
    const std::string error =
        args.empty() ? "list or rename is missing" : "unknown subcommand \"" + std::string(args[0]) + "\"";
    return ExplainUsage(kListForm, error, err);
}
