#include "cli/regex_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::optional<RegexArgs> Parse(std::vector<std::string_view> args, std::string& error)
{
    return ParseRegexArgs(args, error);
}

TEST(ParseRegexArgs, ReadsOptionsAnywhereBeforeTheDoubleDash)
{
    struct Row {
        std::vector<std::string_view> args;
        bool plain;
        std::string options;
        std::optional<std::string> replace, file;
        std::string pattern, text;
    };
    const Row rows[] = {
        {{"%/d"}, false, "", {}, {}, "%/d", ""},
        // Arguments are CP932 with their escapes read.
        {{"--options", "gs", "--replace", "[%0v]", "%{表%}", "a\\t表"}, false, "gs", "[%0v]", {}, "%{\x95\x5C%}",
         "a\t\x95\x5C"},
        {{"--plain", "--file", "data.cgi", "%!d"}, true, "", {}, "data.cgi", "%!d", ""},
        {{"%/d", "a12", "--options", "g"}, false, "g", {}, {}, "%/d", "a12"},
        {{"--", "--plain", "-12"}, false, "", {}, {}, "--plain", "-12"},
        {{"-", "-"}, false, "", {}, {}, "-", "-"},
        // Option values are taken as given, even when they look like options.
        {{"--replace", "--plain", "--options", "", "x"}, false, "", "--plain", {}, "x", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        std::string error;
        const std::optional<RegexArgs> args = Parse(row.args, error);
        ASSERT_TRUE(args) << error;
        EXPECT_FALSE(args->help);
        EXPECT_EQ(args->plain, row.plain);
        EXPECT_EQ(args->options, row.options);
        EXPECT_EQ(args->replace, row.replace);
        EXPECT_EQ(args->file, row.file);
        EXPECT_EQ(args->pattern, row.pattern);
        EXPECT_EQ(args->text, row.text);
    }
}

TEST(ParseRegexArgs, UsageProblemsAreNamed)
{
    const std::pair<std::vector<std::string_view>, std::string> rows[] = {
        {{}, "missing PATTERN"},
        {{"--options", "g"}, "missing PATTERN"},
        {{"-x", "%d"}, "unknown option -x"},
        {{"--bogus", "--help"}, "unknown option --bogus"},  // a mistake before --help
        {{"--option", "g", "%d"}, "unknown option --option"},
        {{"%d", "--options"}, "--options needs an argument"},
        {{"%d", "--replace"}, "--replace needs an argument"},
        {{"%d", "--file"}, "--file needs an argument"},
        {{"--options", "g", "--options", "s", "%d"}, "--options is given twice"},
        {{"--file", "a.cgi", "%d", "text"}, "TEXT cannot be given together with --file"},
        {{"%d", "a", "b"}, "too many arguments (from \"b\" on)"},
        {{"--plain", "--replace", "x", "%d"}, "--replace cannot be used with --plain (a plain search does not replace)"},
        // Bad escapes name their argument.
        {{"\\x4"}, "PATTERN: \\x needs two hex digits"},
        {{"%d", "a\\q"}, "TEXT: unknown escape \\q"},
        {{"--replace", "\\", "%d"}, "TEMPLATE: a backslash at the end starts no escape (write \\\\ for a backslash)"},
        {{"%d", "‾"}, "TEXT: holds characters that CP932 cannot hold: ‾ (U+203E)"},
    };
    for (const auto& [args, message] : rows) {
        std::string error;
        EXPECT_FALSE(Parse(args, error)) << message;
        EXPECT_EQ(error, message);
    }
    std::string error;
    EXPECT_TRUE(Parse({"%d", "--help", "--bogus"}, error)->help);  // --help wins over later mistakes
    EXPECT_EQ(RegexHelp().substr(0, RegexUsage().size()), RegexUsage());
}

}  // namespace
