// The words of "tavaro find" and "tavaro replace" for the find window's choices.
#include "cli/find_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/find_methods.h"
#include "editing/find_targets.h"

namespace {

const ProjectArgsForm kForm{.command = "tavaro find", .usage = "", .help = "", .valueOptions = FindValueOptions()};

// The choices of `words` (options before FILE), or the usage problem.
std::string Read(std::vector<std::string_view> words, FindChoices& choices)
{
    words.push_back("data.cgi");
    std::string error;
    const std::optional<ProjectArgs> args = ParseProjectArgs(words, kForm, error);
    if (!args)
        return error;
    const std::optional<FindChoices> read = ReadFindChoices(*args, error);
    if (read)
        choices = *read;
    return error;
}

} // namespace

TEST(FindArgs, DefaultsRepeatsAndTheModeWordsOptionBits)
{
    struct Row {
        std::vector<std::string_view> words;
        int32_t target, field;
        uint32_t mode;
    };
    // Each word on its own is run end to end in find_command_test.cpp.
    const Row rows[] = {
        {{}, kFindAll, kFindFullText, kFindContains},
        // The last of an option given twice counts.
        {{"--target", "items", "--target", "events", "--field", "code"}, kFindEvents, kFindCode, kFindContains},
        {{"--method", "pattern", "--options", "gis"}, kFindAll, kFindFullText,
         kFindPattern | kFindOptionSerial | kFindOptionIgnoreCase | kFindOptionRepeat},
        {{"--options", "s", "--method", "pattern"}, kFindAll, kFindFullText, kFindPattern | kFindOptionSerial},
        {{"--method", "pattern", "--options", ""}, kFindAll, kFindFullText, kFindPattern},
    };
    for (const Row& row : rows) {
        FindChoices choices;
        EXPECT_EQ(Read(row.words, choices), "") << ::testing::PrintToString(row.words);
        EXPECT_EQ(choices.target, row.target) << ::testing::PrintToString(row.words);
        EXPECT_EQ(choices.field, row.field) << ::testing::PrintToString(row.words);
        EXPECT_EQ(choices.mode, row.mode) << ::testing::PrintToString(row.words);
    }
}

TEST(FindArgs, UnknownWordsAndMisplacedOptionsAreUsageErrors)
{
    const std::pair<std::vector<std::string_view>, std::string> rows[] = {
        {{"--target", "page"},
         "--target takes items, events, functions, others, items-events, not-items-events or all, not \"page\""},
        {{"--field", "funct"}, "--field takes text, script, code, no or name, not \"funct\""},
        {{"--method", "regex"}, "--method takes exact, prefix, contains, wildcard or pattern, not \"regex\""},
        {{"--options", "g"}, "--options goes only with --method pattern"},
        {{"--method", "wildcard", "--options", "i"}, "--options goes only with --method pattern"},
        {{"--method", "pattern", "--options", "gx"}, "--options gx: the letters are s, i and g"},
    };
    for (const auto& [words, error] : rows) {
        FindChoices choices;
        EXPECT_EQ(Read(words, choices), error);
    }
}
