#include "cli/check_command.h"

#include <sysexits.h>

#include <optional>
#include <string>

#include "cli/cli_project.h"
#include "cli/project_args.h"
#include "editing/integrity_check.h"
#include "foundation/cp932.h"

namespace {

constexpr std::string_view kCheckUsage = "Usage: tavaro check [--rule KEY] [--name NAME] [--include-elements] FILE\n";

constexpr std::string_view kCheckHelp =
    "Usage: tavaro check [--rule KEY] [--name NAME] [--include-elements] FILE\n"
    "\n"
    "Opens FILE as the editor opens a project (options as for \"tavaro format\")\n"
    "and runs the editor's project integrity check. It prints the findings as\n"
    "the editor's results window lists them, in UTF-8, each ending with a line\n"
    "feed, in this order:\n"
    "  ITEM[0]：小麦 / ITEM[4]：大麦 / INFO[0]：上記2つのアイテムNoが重複しています\n"
    "                      three lines for two items with the same no (then\n"
    "                      code, then name), the later one paired with the first\n"
    "  ITEM[4](大麦)：指定されている分類が無効です\n"
    "                      a type that no type of @@DEFINE names\n"
    "  EVENT[0]：ev / EVENT[2]：ev / INFO[0]：上記2つのイベントコードが重複しています\n"
    "  ITEM[i](name)：@@ITEM要素\"funct\"に無効な@@ITEMNO\"12\"が検出されました。\n"
    "  ITEM[i](name)：@@USE[j]の要素\"func\"に無効な@@ITEMNO\"12\"が検出されました。\n"
    "                      a reference to an item number that no item has\n"
    "                      (comment lines are not looked at)\n"
    "  ITEM[i](name)：@@USE[j]の要素\"use/need/get\"に無効なアイテム名が検出されました。\n"
    "  EVENT[i](code)：@@EVENT要素\"func\"に無効な@@ITEMNO\"12\"が検出されました。\n"
    "  EVENT[i](code)：@@EVENT要素\"param\"[k]の構文が認識できません。\n"
    "  EVENT[i](code)：@@EVENT要素\"param\"[k]に無効なアイテム名が検出されました。\n"
    "  FUNC[n]：\"@@FUNCITEM\"に無効な@@ITEMNO\"12\"が検出されました。\n"
    "Without findings it prints \"チェックの結果、問題は見つかりませんでした。\".\n"
    "Reader messages go to standard error first.\n"
    "\n"
    "Exit status: 0 no findings, 1 findings (whether or not the reader reported\n"
    "lines), 2 no findings but the reader reported lines, 64 usage, 66 FILE\n"
    "cannot be opened as a project (an unknown rule too), 74 standard output\n"
    "failed.\n";

constexpr ProjectArgsForm kCheckForm{
    .command = "tavaro check", .usage = kCheckUsage, .help = kCheckHelp, .openOptions = true};

} // namespace

int RunCheckCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kCheckForm, out, err, status);
    if (!parsed)
        return status;
    CliProject* p = OpenCliProject(*parsed, kCheckForm.command, {.unknownRule = EX_NOINPUT, .unopened = EX_NOINPUT},
                                   err, status);
    if (!p)
        return status;
    const CIntegrityFindings findings = CheckProjectIntegrity(p->doc);
    if (findings.count > 0) {
        out << Cp932ToUtf8(std::string_view(findings.text.GetBuffer(), findings.text.GetLength()));
        return 1;
    }
    out << Cp932ToUtf8(IntegrityCheckCleanMessage()) << "\n";
    return p->host->ReaderReported() ? 2 : 0;
}
