// Arguments of "tavaro format" and "tavaro info".
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct ProjectArgs {
    bool help = false;
    std::string rule;                   // --rule: rule key for a file without a block, CP932
    std::string name;                   // --name: project name for such a file, CP932
    bool includeElements = false;       // --include-elements: "@@include" as an element
    bool continueWithoutBackup = false; // --continue-without-backup: save when the backup fails
    std::optional<std::string> output;  // -o: native path of the output
    std::string file;                   // native path of the data file
};

// Reads the arguments that follow "format" (`withOutput`: -o is allowed,
// as are --rule, --name, --include-elements and --continue-without-backup) or "info". On a usage
// problem returns nothing and describes it in `error`.
std::optional<ProjectArgs> ParseProjectArgs(std::span<const std::string_view> args, bool withOutput,
                                            std::string& error);

std::string_view FormatUsage();
std::string_view FormatHelp();
std::string_view InfoUsage();
std::string_view InfoHelp();
