// Arguments of "tavaro regex", the pattern tester.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct RegexArgs {
    bool help = false;                   // --help: show the help and nothing else
    bool plain = false;                  // --plain: StrRegex instead of CStr_base::Regex
    std::string options;                 // --options: the option letters, as given
    std::optional<std::string> replace;  // --replace: the template, CP932
    std::optional<std::string> file;     // --file: path of the text
    std::string pattern;                 // CP932
    std::string text;                    // CP932; empty without TEXT
};

// Reads the arguments that follow "regex". Options may stand anywhere
// before "--"; an argument that begins with "-" (other than "-" itself) is
// an option. On a usage problem returns nothing and describes it in `error`.
std::optional<RegexArgs> ParseRegexArgs(std::span<const std::string_view> args, std::string& error);

// The synopsis line and the full help text, both ending in a newline.
std::string_view RegexUsage();
std::string_view RegexHelp();
