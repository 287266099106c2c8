#include "cli/find_command.h"

#include <sysexits.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/budget_message.h"
#include "cli/cli_project.h"
#include "cli/cp932_operand.h"
#include "cli/find_args.h"
#include "cli/project_args.h"
#include "editing/find_replace.h"
#include "editing/find_targets.h"
#include "foundation/cp932.h"

namespace {

constexpr std::string_view kFindUsage =
    "Usage: tavaro find [--target T] [--field F] [--method M] [--options LETTERS]\n"
    "                   [--rule KEY] [--name NAME] [--include-elements] FILE SEARCH\n";

constexpr std::string_view kReplaceUsage =
    "Usage: tavaro replace [--target T] [--field F] [--method M] [--options LETTERS]\n"
    "                      [--rule KEY] [--name NAME] [--include-elements]\n"
    "                      [-o OUT] [--continue-without-backup]\n"
    "                      FILE SEARCH REPLACEMENT\n";

// One help text for both commands, as they share their choices.
constexpr std::string_view kFindHelp =
    "Usage: tavaro find [--target T] [--field F] [--method M] [--options LETTERS]\n"
    "                   [--rule KEY] [--name NAME] [--include-elements] FILE SEARCH\n"
    "       tavaro replace [--target T] [--field F] [--method M] [--options LETTERS]\n"
    "                      [--rule KEY] [--name NAME] [--include-elements]\n"
    "                      [-o OUT] [--continue-without-backup]\n"
    "                      FILE SEARCH REPLACEMENT\n"
    "\n"
    "Opens FILE as the editor opens a project (options as for \"tavaro format\")\n"
    "and searches it as the editor's find window (検索/置換) does; replace puts\n"
    "REPLACEMENT for what SEARCH matches, as its 全て置換 does.\n"
    "\n"
    "  --target T          the elements searched, in this order: items, events,\n"
    "                      functions (the function blocks, @@FUNCITEM first),\n"
    "                      others (@@DEFINE, then the other texts in file order),\n"
    "                      items-events, not-items-events (functions, then\n"
    "                      others) or all (the default)\n"
    "  --field F           what is compared in each element: text (the default;\n"
    "                      an item, an event or @@DEFINE as the file holds it,\n"
    "                      with CR LF, a function block or other text as stored),\n"
    "                      script (the scripts of items, their use entries and\n"
    "                      events; function blocks whole), code (items, events),\n"
    "                      no or name (items)\n"
    "  --method M          exact, prefix, contains (the default; an empty SEARCH\n"
    "                      finds every element and replaces nothing), wildcard\n"
    "                      (\"*\" any run of characters, \"?\" one, anywhere in the\n"
    "                      text) or pattern (the pattern language of \"tavaro\n"
    "                      regex\"; SEARCH and REPLACEMENT take the escapes \\\\ \\n\n"
    "                      \\t, and a backslash before anything else is dropped\n"
    "                      with it)\n"
    "  --options LETTERS   with pattern only: s (連続強制), i (大文字小文字無視),\n"
    "                      g (繰り返し)\n"
    "  -o OUT              write the project to OUT as the editor's save does\n"
    "                      (only changed lines change), when something was\n"
    "                      replaced; OUT naming FILE saves it with a backup.\n"
    "                      Without -o nothing is written\n"
    "  --continue-without-backup\n"
    "                      save FILE even when its backup cannot be made\n"
    "\n"
    "SEARCH and REPLACEMENT are UTF-8 taken as they are (one that begins with\n"
    "\"-\" comes after \"--\"). A replaced element is read back first and keeps\n"
    "its content when the result would not read back unchanged.\n"
    "\n"
    "Prints the lines of the editor's results window, in UTF-8, one per element\n"
    "found or changed:\n"
    "  ITEM[3]：小麦  EVENT[0]：ev_storm  FUNC[0]：@@FUNCITEM\n"
    "  DEFINE[0]：プロジェクト定義  OTHER[5]：(its first line that is not blank)\n"
    "and after the line of an element whose replacement was refused:\n"
    "  ITEM[3]：置換後のデータを解析できませんでした。直前の項目は置換されませんでした。\n"
    "Standard error gets the reader messages, then the window's title\n"
    "(\"検索結果 (2要素が該当)\", \"置換結果 (該当なし)\") and the editor's message\n"
    "(\"該当する要素は見つかりませんでした\", \"5 箇所を置換えました\",\n"
    "\"置換は行われませんでした\"), a line each.\n"
    "\n"
    "Exit status: 0 found (find) or replaced (replace), 1 nothing found or\n"
    "replaced, 2 -o given but the reader reported lines (nothing written),\n"
    "3 replace refused for an element (the others replaced, and written with\n"
    "-o), 64 usage (a character CP932 lacks in SEARCH or REPLACEMENT too),\n"
    "65 the pattern went over its budget, one for the whole run (nothing\n"
    "printed or written), 66 FILE cannot be opened as a project (an unknown\n"
    "rule too), 73 OUT or the backup cannot be written, 74 standard output\n"
    "failed.\n";

constexpr std::string_view kFindOperands[] = {"SEARCH"};
constexpr std::string_view kReplaceOperands[] = {"SEARCH", "REPLACEMENT"};

const ProjectArgsForm kFindForm{.command = "tavaro find",
                                .usage = kFindUsage,
                                .help = kFindHelp,
                                .openOptions = true,
                                .valueOptions = FindValueOptions(),
                                .operands = kFindOperands};
const ProjectArgsForm kReplaceForm{.command = "tavaro replace",
                                   .usage = kReplaceUsage,
                                   .help = kFindHelp,
                                   .openOptions = true,
                                   .writeOptions = true,
                                   .valueOptions = FindValueOptions(),
                                   .operands = kReplaceOperands};

constexpr CliOpenFailure kOpenFailure{.unknownRule = EX_NOINPUT, .unopened = EX_NOINPUT};

// Writes a CP932 text of the system in UTF-8.
template <uint32_t N>
std::string Utf8(const CStr_base<N>& text)
{
    return Cp932ToUtf8(std::string_view(text.GetBuffer(), text.GetLength()));
}

// The request of the arguments, or nothing after telling a usage problem.
std::optional<CFindRequest> ReadRequest(const ProjectArgs& args, const ProjectArgsForm& form, bool replace,
                                        int32_t& target, std::ostream& err)
{
    std::string error;
    const std::optional<FindChoices> choices = ReadFindChoices(args, error);
    if (!choices) {
        ExplainUsage(form, error, err);
        return std::nullopt;
    }
    target = choices->target;
    CFindRequest request;
    request.field = choices->field;
    request.mode = choices->mode;
    request.replace = replace;
    for (size_t i = 0; i < args.operands.size(); ++i) {
        std::string problem;
        const std::optional<std::string> text = Cp932Operand(args.operands[i], problem);
        if (!text) {
            ExplainUsage(form, std::string(form.operands[i]) + " " + problem, err);
            return std::nullopt;
        }
        (i == 0 ? request.search : request.replacement).Assign(text->c_str());
    }
    return request;
}

int Run(std::span<const std::string_view> args, const ProjectArgsForm& form, bool replace, std::ostream& out,
        std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, form, out, err, status);
    if (!parsed)
        return status;
    int32_t target = kFindAll;
    const std::optional<CFindRequest> request = ReadRequest(*parsed, form, replace, target, err);
    if (!request)
        return EX_USAGE;
    CliProject* p = OpenCliProject(*parsed, form.command, kOpenFailure, err, status);
    if (!p)
        return status;

    const std::vector<CFindElement> targets = CollectFindTargets(p->doc, target, CPageElement{});
    CFindOutcome outcome = RunFindReplace(p->doc, targets, *request);
    if (outcome.stop != StrRegexStop::kNone) {
        CStrRegexBudget budget;
        budget.maxSteps = request->maxSteps;
        budget.maxBytes = request->maxBytes;
        budget.stop = outcome.stop;
        err << form.command << ": " << OverBudgetMessage(budget) << "\n"
            << Utf8(FindStoppedMessage(replace, outcome.stop)) << "\n";
        return EX_DATAERR;
    }
    out << Utf8(outcome.lines);
    err << Utf8(FindResultTitle(replace, outcome.elements)) << "\n";
    const CStr_base<64> message = FindResultMessage(replace, outcome);
    if (message.GetLength() > 0)
        err << Utf8(message) << "\n";
    if (!replace)
        return outcome.elements > 0 ? 0 : 1;

    if (outcome.replacements > 0) {
        CommitFindReplace(p->doc, outcome);
        if (parsed->output)
            if (const int written = WriteCliProject(*p, *parsed, form.command, out, err); written != 0)
                return written;
    }
    if (outcome.refused > 0)
        return 3;
    return outcome.replacements > 0 ? 0 : 1;
}

} // namespace

int RunFindCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    return Run(args, kFindForm, false, out, err);
}

int RunReplaceCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    return Run(args, kReplaceForm, true, out, err);
}
