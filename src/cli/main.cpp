// tavaro: command-line tools of Tavaro Item Editor.
#include <sysexits.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/checked_output.h"
#include "cli/find_command.h"
#include "cli/item_command.h"
#include "cli/project_command.h"
#include "cli/regex_command.h"
#include "cli/sort_command.h"
#include "foundation/allocation_cap.h"
#include "foundation/huge_page_heap.h"
#include "foundation/out_of_memory.h"
#include "foundation/text_file.h"
#include "pattern/editor_matchers.h"

namespace {

struct Subcommand {
    std::string_view name;
    std::string_view summary;
    int (*run)(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
};

constexpr Subcommand kSubcommands[] = {
    {"check", "check a project for repeats, undefined types and dangling references", &RunCheckCommand},
    {"find", "search the elements of a project as the editor's find window does", &RunFindCommand},
    {"format", "open a data file as the editor does and write what its save would write", &RunFormatCommand},
    {"info", "show the counts, rule, file and name of a project", &RunInfoCommand},
    {"item", "list the items of a project, or rename one and follow its name", &RunItemCommand},
    {"regex", "run a pattern over a text and show matches, captures and replacement", &RunRegexCommand},
    {"replace", "replace text in the elements of a project, each checked to read back", &RunReplaceCommand},
    {"sort", "sort the items of a project by number, code, name, price, cost or type", &RunSortCommand},
};

// TAVARO_LARGEST_FILE_BYTES, digits, lowers the size of the largest file
// read or written, so that tests reach it with small files.
void LowerTheFileLimitWhereAsked()
{
    const char* value = std::getenv("TAVARO_LARGEST_FILE_BYTES");
    if (!value || *value < '0' || *value > '9')
        return;
    char* end = nullptr;
    const unsigned long long bytes = std::strtoull(value, &end, 10);
    if (*end == '\0')
        SetLargestFileBytes(bytes);
}

void WriteUsage(std::ostream& out)
{
    out << "Usage: tavaro COMMAND [ARGUMENTS]\n"
           "       tavaro --help | --version\n\nCommands:\n";
    for (const Subcommand& command : kSubcommands)
        out << "  " << command.name << std::string(8 - command.name.size(), ' ') << command.summary << "\n";
    out << "\n\"tavaro COMMAND --help\" describes a command.\n";
}

// For the tests of running out of memory: the heap may grow by at most
// this many bytes.
constexpr const char* kTestAllocationCap = "TAVARO_TEST_ALLOCATION_CAP";

void ArmTestAllocationCap()
{
    const char* cap = std::getenv(kTestAllocationCap);
    if (cap && *cap)
        ArmAllocationCap(std::strtoull(cap, nullptr, 10));
}

// Runs the command of the arguments; `name` says which one runs.
int Run(int argc, char** argv, std::string& name)
{
    // The editor registers its user matchers first thing at start-up.
    RegisterEditorMatchers();
    LowerTheFileLimitWhereAsked();
    // A reader that went away is a failed standard output (EPIPE), which
    // the command reports, not a signal that ends it half way.
    std::signal(SIGPIPE, SIG_IGN);

    CCheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        WriteUsage(std::cerr);
        return EX_USAGE;
    }
    if (args[0] == "--help") {
        WriteUsage(out);
        return FinishOutput(output, std::cerr, "tavaro", 0);
    }
    if (args[0] == "--version") {
        out << "tavaro " TAVARO_VERSION "\n";
        return FinishOutput(output, std::cerr, "tavaro", 0);
    }
    for (const Subcommand& command : kSubcommands) {
        if (args[0] == command.name) {
            name = "tavaro " + std::string(command.name);
            const int status = command.run(std::span(args).subspan(1), out, std::cerr);
            return FinishOutput(output, std::cerr, name, status);
        }
    }
    std::cerr << "tavaro: unknown command \"" << args[0] << "\"\n";
    WriteUsage(std::cerr);
    return EX_USAGE;
}

}  // namespace

int main(int argc, char** argv)
{
    UseHugePagesForTheHeap(argv);
    ArmTestAllocationCap();
    std::string name = "tavaro";
    try {
        return Run(argc, argv, name);
    } catch (...) {
        // Running out of memory is no programming error: the command ends
        // with a message. What it was writing is left unfinished, and a
        // file it was replacing stays as it was.
        if (!IsOutOfMemory())
            throw;
    }
    DisarmAllocationCap();
    std::cerr << name << ": out of memory\n";
    return EX_OSERR;
}
