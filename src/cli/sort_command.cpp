#include "cli/sort_command.h"

#include <sysexits.h>

#include <array>
#include <optional>
#include <string>

#include "cli/cli_project.h"
#include "cli/project_args.h"
#include "editing/item_sort.h"
#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"

namespace {

constexpr std::string_view kSortUsage =
    "Usage: tavaro sort [--key no|code|name|price|cost|type] [--descending]\n"
    "                   [--rule KEY] [--name NAME] [--include-elements]\n"
    "                   [-o OUT] [--continue-without-backup] FILE\n";

constexpr std::string_view kSortHelp =
    "Usage: tavaro sort [--key no|code|name|price|cost|type] [--descending]\n"
    "                   [--rule KEY] [--name NAME] [--include-elements]\n"
    "                   [-o OUT] [--continue-without-backup] FILE\n"
    "\n"
    "Opens FILE as the editor opens a project (options as for \"tavaro format\")\n"
    "and sorts its items as the item page's sort dialog does: by no (the\n"
    "default), price or cost as numbers (\"%d\" reading: a value that does not\n"
    "start with a number counts as 0; an empty cost counts as the price / 10),\n"
    "by code or name byte by byte, or by type (the types in the order the\n"
    "definition lists them, then the undefined ones in the order they first\n"
    "appear). Items are sorted within their sections: an other text with a\n"
    "line that begins with @@IF (after blanks or tabs, any case) between two\n"
    "items separates them, and no item is moved across it. Items that compare\n"
    "equal keep their order; --descending reverses each section. The items'\n"
    "places among the other elements of the file stay.\n"
    "\n"
    "Prints one line per item in the new order: ITEM[i]：name (UTF-8).\n"
    "\n"
    "  -o OUT              write the sorted project to OUT as the editor's save\n"
    "                      does (items keep their text), when the order changed;\n"
    "                      OUT naming FILE saves it with a backup. Without -o\n"
    "                      nothing is written\n"
    "  --continue-without-backup\n"
    "                      save FILE even when its backup cannot be made\n"
    "\n"
    "Reader messages go to standard error first.\n"
    "\n"
    "Exit status: 0 sorted (or already in order), 1 no items, 2 -o given but\n"
    "the reader reported lines (nothing written), 64 usage, 66 FILE cannot be\n"
    "opened as a project (an unknown rule too), 73 OUT or the backup cannot be\n"
    "written, 74 standard output failed (nothing written).\n";

constexpr std::string_view kCommand = "tavaro sort";
constexpr std::string_view kSortSwitches[] = {"--descending"};
constexpr std::string_view kSortValues[] = {"--key"};

constexpr ProjectArgsForm kSortForm{.command = kCommand,
                                    .usage = kSortUsage,
                                    .help = kSortHelp,
                                    .openOptions = true,
                                    .writeOptions = true,
                                    .switches = kSortSwitches,
                                    .valueOptions = kSortValues};

constexpr CliOpenFailure kOpenFailure{.unknownRule = EX_NOINPUT, .unopened = EX_NOINPUT};

std::optional<CItemSortKey> KeyByName(const std::string& name)
{
    constexpr std::array<std::pair<std::string_view, CItemSortKey>, 6> kKeys = {{
        {"no", CItemSortKey::kNo},
        {"code", CItemSortKey::kCode},
        {"name", CItemSortKey::kName},
        {"price", CItemSortKey::kPrice},
        {"cost", CItemSortKey::kCost},
        {"type", CItemSortKey::kType},
    }};
    for (const auto& [word, key] : kKeys)
        if (name == word)
            return key;
    return std::nullopt;
}

} // namespace

int RunSortCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::optional<ProjectArgs> parsed = ParseOrExplain(args, kSortForm, out, err, status);
    if (!parsed)
        return status;
    const std::string* keyName = parsed->Value("--key");
    const std::optional<CItemSortKey> key = keyName ? KeyByName(*keyName) : CItemSortKey::kNo;
    if (!key)
        return ExplainUsage(kSortForm, "--key takes no, code, name, price, cost or type, not \"" + *keyName + "\"",
                            err);
    CliProject* p = OpenCliProject(*parsed, kCommand, kOpenFailure, err, status);
    if (!p)
        return status;
    CMerxDocument& doc = p->doc;
    if (doc.itemdata.GetCount() == 0) {
        err << kCommand << ": " << Cp932ToUtf8(SJ("整列する要素がありません")) << "\n";
        return 1;
    }
    CItemPreviousOrder previous;
    const bool changed = SortItems(doc, *key, parsed->Has("--descending"), previous) != nullptr;
    for (uint32_t i = 0; i < doc.itemdata.GetCount(); ++i) {
        const CMerxString* name = doc.itemdata.GetAt(i)->GetField("name");
        out << "ITEM[" << i << "]" << Cp932ToUtf8(SJ("：")) << Cp932ToUtf8(name ? name->GetBuffer() : "") << "\n";
    }
    // Reader lines refuse -o whether or not the order changed.
    const bool write = parsed->output && (changed || p->host->ReaderReported());
    return write ? WriteCliProject(*p, *parsed, kCommand, out, err) : 0;
}
