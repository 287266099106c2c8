// Arguments of the tavaro commands that open a project ("format", "info",
// "item"): the options they share, their own switches and their operands.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a command takes besides FILE, --help and "--".
struct ProjectArgsForm {
    std::string_view command;                         // "tavaro format", the start of its messages
    std::string_view usage;                           // the synopsis, ending in a newline
    std::string_view help;                            // the whole help text
    bool openOptions = false;                         // --rule, --name, --include-elements
    bool writeOptions = false;                        // -o, --continue-without-backup
    std::span<const std::string_view> switches = {};  // the command's own switches, such as "--no-track"
    std::span<const std::string_view> valueOptions = {}; // its own options with a value, such as "--key"
    std::span<const std::string_view> operands = {};  // names of the operands after FILE, such as "INDEX"
};

struct ProjectArgs {
    bool help = false;
    std::string rule;                        // --rule: rule key for a file without a block, CP932
    std::string name;                        // --name: project name for such a file, CP932
    bool includeElements = false;            // --include-elements: "@@include" as an element
    bool continueWithoutBackup = false;      // --continue-without-backup: save when the backup fails
    std::optional<std::string> output;       // -o: native path of the output
    std::string file;                        // native path of the data file
    std::vector<std::string> operands;       // the operands after FILE, as given
    std::vector<std::string_view> switches;  // the command's own switches that were given
    std::vector<std::pair<std::string_view, std::string>> values; // its options with a value, as given (UTF-8)

    bool Has(std::string_view option) const;
    // The value of the last `option` given, or null.
    const std::string* Value(std::string_view option) const;
};

// Reads the arguments that follow the command's name. Options may stand
// anywhere before "--"; an argument that begins with "-" (other than "-"
// itself) is an option. On a usage problem returns nothing and describes it
// in `error`.
std::optional<ProjectArgs> ParseProjectArgs(std::span<const std::string_view> args, const ProjectArgsForm& form,
                                            std::string& error);

// Tells a usage problem of `form`'s command on `err`, with the synopsis;
// returns EX_USAGE.
int ExplainUsage(const ProjectArgsForm& form, std::string_view error, std::ostream& err);

// ParseProjectArgs for a command run by the user: a usage problem is told on
// `err` with the synopsis (`status` EX_USAGE) and --help prints the help on
// `out` (`status` 0); both return nothing.
std::optional<ProjectArgs> ParseOrExplain(std::span<const std::string_view> args, const ProjectArgsForm& form,
                                          std::ostream& out, std::ostream& err, int& status);
