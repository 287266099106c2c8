#include "editor/editor_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Action = CEditorOptions::Action;

CEditorOptions Parse(std::vector<std::string_view> args) { return ParseEditorOptions(args); }

TEST(EditorOptions, ReadsTheFileTheHelpTheVersionAndTheScreenshotTour)
{
    struct Row {
        std::vector<std::string_view> args;
        Action action;
        const char* file;
        const char* shots;
    };
    const Row rows[] = {
        {{}, Action::kRun, "", ""},
        {{"inc-item-data.cgi"}, Action::kRun, "inc-item-data.cgi", ""},
        {{"/data/a:b.cgi"}, Action::kRun, "/data/a:b.cgi", ""},  // colons belong to the name
        {{"--", "-odd.cgi"}, Action::kRun, "-odd.cgi", ""},
        {{"-"}, Action::kRun, "-", ""},
        {{"--help"}, Action::kHelp, "", ""},
        {{"x.cgi", "-h"}, Action::kHelp, "", ""},
        {{"--version", "--bogus"}, Action::kVersion, "", ""},
        {{"--screenshots", "shots"}, Action::kScreenshots, "", "shots"},
        {{"--screenshots", "shots", "x.cgi"}, Action::kScreenshots, "x.cgi", "shots"},
        {{"shots", "--screenshots", "x.cgi"}, Action::kScreenshots, "x.cgi", "shots"},
    };
    for (const Row& row : rows) {
        const CEditorOptions options = Parse(row.args);
        SCOPED_TRACE(testing::PrintToString(row.args));
        EXPECT_EQ(options.action, row.action);
        EXPECT_EQ(options.file, row.file);
        EXPECT_EQ(options.shotsFolder, row.shots);
    }
}

TEST(EditorOptions, RefusesWhatItCannotDoAndSaysWhy)
{
    struct Row {
        std::vector<std::string_view> args;
        const char* error;
    };
    const Row rows[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x", "a.cgi"}, "unknown option '-x'"},
        {{"a.cgi", "b.cgi"}, "only one file can be opened at a time"},
        {{"--screenshots"}, "--screenshots needs a folder"},
        {{"--screenshots", "d", "a.cgi", "b.cgi"}, "--screenshots takes a folder and at most one file"},
    };
    for (const Row& row : rows) {
        const CEditorOptions options = Parse(row.args);
        EXPECT_EQ(options.action, Action::kUsageError) << row.error;
        EXPECT_EQ(options.error, row.error);
    }
}

}  // namespace
