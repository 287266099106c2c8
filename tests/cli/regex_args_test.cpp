#include "cli/regex_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::optional<RegexArgs> Parse(std::vector<std::string_view> args, std::string* error = nullptr)
{
    std::string message;
    std::optional<RegexArgs> parsed = ParseRegexArgs(args, message);
    if (error)
        *error = message;
    return parsed;
}

std::string ParseError(std::vector<std::string_view> args)
{
    std::string error;
    EXPECT_FALSE(Parse(args, &error));
    return error;
}

TEST(ParseRegexArgs, PatternAlone)
{
    const std::optional<RegexArgs> args = Parse({"%/d"});
    ASSERT_TRUE(args);
    EXPECT_FALSE(args->help);
    EXPECT_FALSE(args->plain);
    EXPECT_EQ(args->options, "");
    EXPECT_FALSE(args->replace);
    EXPECT_FALSE(args->file);
    EXPECT_EQ(args->pattern, "%/d");
    EXPECT_EQ(args->text, "");
}

TEST(ParseRegexArgs, EveryOption)
{
    const std::optional<RegexArgs> args = Parse({"--options", "gs", "--replace", "[%0v]", "%{表%}", "a\\t表"});
    ASSERT_TRUE(args);
    EXPECT_EQ(args->options, "gs");
    EXPECT_EQ(args->replace, "[%0v]");
    EXPECT_EQ(args->pattern, "%{\x95\x5C%}");
    EXPECT_EQ(args->text, "a\t\x95\x5C");

    const std::optional<RegexArgs> plain = Parse({"--plain", "--file", "data.cgi", "%!d"});
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->plain);
    EXPECT_EQ(plain->file, "data.cgi");
    EXPECT_EQ(plain->text, "");
}

TEST(ParseRegexArgs, OptionsMayFollowTheArguments)
{
    const std::optional<RegexArgs> args = Parse({"%/d", "a12", "--options", "g"});
    ASSERT_TRUE(args);
    EXPECT_EQ(args->options, "g");
    EXPECT_EQ(args->text, "a12");
}

TEST(ParseRegexArgs, DoubleDashEndsTheOptions)
{
    const std::optional<RegexArgs> args = Parse({"--", "--plain", "-12"});
    ASSERT_TRUE(args);
    EXPECT_FALSE(args->plain);
    EXPECT_EQ(args->pattern, "--plain");
    EXPECT_EQ(args->text, "-12");
    EXPECT_EQ(Parse({"-", "-"})->pattern, "-");
}

TEST(ParseRegexArgs, OptionValuesAreTakenAsGiven)
{
    const std::optional<RegexArgs> args = Parse({"--replace", "--plain", "--options", "", "x"});
    ASSERT_TRUE(args);
    EXPECT_EQ(args->replace, "--plain");
    EXPECT_FALSE(args->plain);
    EXPECT_EQ(args->options, "");
}

TEST(ParseRegexArgs, Help)
{
    EXPECT_TRUE(Parse({"--help"})->help);
    EXPECT_TRUE(Parse({"%d", "--help", "--bogus"})->help);
    EXPECT_EQ(ParseError({"--bogus", "--help"}), "unknown option --bogus");
}

TEST(ParseRegexArgs, UsageProblems)
{
    EXPECT_EQ(ParseError({}), "missing PATTERN");
    EXPECT_EQ(ParseError({"--options", "g"}), "missing PATTERN");
    EXPECT_EQ(ParseError({"-x", "%d"}), "unknown option -x");
    EXPECT_EQ(ParseError({"--option", "g", "%d"}), "unknown option --option");
    EXPECT_EQ(ParseError({"%d", "--options"}), "--options needs an argument");
    EXPECT_EQ(ParseError({"%d", "--replace"}), "--replace needs an argument");
    EXPECT_EQ(ParseError({"%d", "--file"}), "--file needs an argument");
    EXPECT_EQ(ParseError({"--options", "g", "--options", "s", "%d"}), "--options is given twice");
    EXPECT_EQ(ParseError({"--file", "a.cgi", "%d", "text"}), "TEXT cannot be given together with --file");
    EXPECT_EQ(ParseError({"%d", "a", "b"}), "too many arguments (from \"b\" on)");
    EXPECT_EQ(ParseError({"--plain", "--replace", "x", "%d"}),
              "--replace cannot be used with --plain (a plain search does not replace)");
}

TEST(ParseRegexArgs, BadEscapesNameTheirArgument)
{
    EXPECT_EQ(ParseError({"\\x4"}), "PATTERN: \\x needs two hex digits");
    EXPECT_EQ(ParseError({"%d", "a\\q"}), "TEXT: unknown escape \\q");
    EXPECT_EQ(ParseError({"--replace", "\\", "%d"}),
              "TEMPLATE: a backslash at the end starts no escape (write \\\\ for a backslash)");
}

TEST(RegexUsage, HelpBeginsWithTheUsageLine)
{
    EXPECT_EQ(RegexHelp().substr(0, RegexUsage().size()), RegexUsage());
    EXPECT_EQ(RegexUsage().back(), '\n');
}

}  // namespace
