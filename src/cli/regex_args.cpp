#include "cli/regex_args.h"

#include <vector>

#include "cli/escape_text.h"
#include "pattern/regex_budget.h"

namespace {

// Converts an escaped argument, naming it in the error.
bool ReadArgument(std::string_view name, std::string_view utf8, std::string& bytes, std::string& error)
{
    std::optional<std::string> read = ReadEscapedArgument(utf8, error);
    if (!read) {
        error = std::string(name) + ": " + error;
        return false;
    }
    bytes = std::move(*read);
    return true;
}

}  // namespace

std::optional<RegexArgs> ParseRegexArgs(std::span<const std::string_view> args, std::string& error)
{
    RegexArgs parsed;
    std::optional<std::string_view> options, replace, file;
    std::vector<std::string_view> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            parsed.help = true;
            return parsed;
        } else if (arg == "--plain") {
            parsed.plain = true;
        } else if (arg == "--options" || arg == "--replace" || arg == "--file") {
            std::optional<std::string_view>& value = arg == "--options" ? options : arg == "--replace" ? replace : file;
            if (value) {
                error = std::string(arg) + " is given twice";
                return std::nullopt;
            }
            if (i + 1 == args.size()) {
                error = std::string(arg) + " needs an argument";
                return std::nullopt;
            }
            value = args[++i];
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }

    if (positional.empty()) {
        error = "missing PATTERN";
        return std::nullopt;
    }
    if (positional.size() > 2) {
        error = "too many arguments (from \"" + std::string(positional[2]) + "\" on)";
        return std::nullopt;
    }
    if (positional.size() == 2 && file) {
        error = "TEXT cannot be given together with --file";
        return std::nullopt;
    }
    if (replace && parsed.plain) {
        error = "--replace cannot be used with --plain (a plain search does not replace)";
        return std::nullopt;
    }
    if (!ReadArgument("PATTERN", positional[0], parsed.pattern, error))
        return std::nullopt;
    if (positional.size() == 2 && !ReadArgument("TEXT", positional[1], parsed.text, error))
        return std::nullopt;
    if (replace && !ReadArgument("TEMPLATE", *replace, parsed.replace.emplace(), error))
        return std::nullopt;
    parsed.options = options.value_or("");
    if (parsed.options.find_first_not_of("igs") != std::string::npos) {
        error = "--options " + parsed.options + ": the letters are i, g and s";
        return std::nullopt;
    }
    if (file)
        parsed.file = std::string(*file);
    return parsed;
}

std::string_view RegexUsage()
{
    return "Usage: tavaro regex [--plain] [--options LETTERS] [--replace TEMPLATE] [--file PATH] PATTERN [TEXT]\n";
}

std::string_view RegexHelp()
{
    static_assert(kStrRegexDefaultSteps == 1000000000 && kStrRegexDefaultBytes == 256u << 20,
                  "the help names the budget's figures");
    return R"(Usage: tavaro regex [--plain] [--options LETTERS] [--replace TEMPLATE] [--file PATH] PATTERN [TEXT]

Runs PATTERN over TEXT with the editor's pattern engine and prints what the
engine found, with user matcher 0 registered as the editor does at start-up.

  --options LETTERS   i: ignore case, g: find all matches, s: stop at the
                      first position where no match starts
  --replace TEMPLATE  replace the matches by TEMPLATE ("%0v" is capture 0)
                      and print the result
  --plain             search a plain text (StrRegex) instead of a string
                      (CStr_base::Regex); cannot replace
  --file PATH         take the raw bytes of the file PATH as the text
  --help              show this help

PATTERN, TEXT and TEMPLATE are UTF-8 and are converted to Shift-JIS (CP932);
characters that CP932 lacks become "?". They may hold the escapes \\ \" \n
\r \t and \xHH (one raw byte, 01 to FF); any other backslash is an error.
Without TEXT and --file the text is empty.

Output, one item a line:
  count N            what the engine returned: the number of matches
  hit OFFSET LENGTH  where each match lies (with --replace: its replacement
                     in the result)
  match K            each match, from 0, followed by its captures
  cap I "TEXT"       capture I of that match, from 0
  result "TEXT"      the text after the replacement (with --replace only)
Texts are quoted with the same escapes; other control bytes and bytes that
are no CP932 character are written as \xHH.

The pattern runs under the budget of patterns typed by the user: at most
1000000000 steps and 256 MB for captures and results. A pattern that needs
more (one whose repetitions multiply, such as "%*0j%*0j%*0j%*0jx" over a
long text, or "%99999999T") is stopped and reported in one line.

Exit status: 0 done, 64 bad arguments, 65 the file holds a zero byte (the
engine's texts end there) or the pattern went over its budget, 66 the file
cannot be read, 74 standard output failed.
)";
}
