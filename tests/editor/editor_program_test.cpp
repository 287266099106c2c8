// The built program from outside: what it answers on its command line, and
// the screenshot tour on the sample project of its program folder.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "../run_program.h"
#include "../temp_folder.h"

namespace {

ProgramRun RunEditor(const std::vector<std::string>& args, const std::vector<std::string>& environment = {})
{
    return RunProgram(TAVARO_EDITOR_EXE, args, environment);
}

// Started alone, without the editor beside it, the small program that
// starts it says so.
TEST(EditorProgram, TheStarterWithoutTheEditorBesideItSaysSo)
{
    const TempFolder folder;
    const std::string alone = folder.Path("TavaroItemEditor");
    std::filesystem::copy_file(TAVARO_EDITOR_EXE, alone);
    const ProgramRun run = RunProgram(alone, {"--version"});
    EXPECT_EQ(run.status, 127);
    EXPECT_EQ(run.err.rfind("TavaroItemEditor: cannot start " + folder.Path("TavaroItemEditor-qt") + ": ", 0), 0u)
        << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(EditorProgram, AnswersHelpVersionAndMistakesWithoutAWindow)
{
    const std::vector<std::string> noDisplay = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};
    const ProgramRun version = RunEditor({"--version"}, noDisplay);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "TavaroItemEditor " TAVARO_VERSION "\n");

    const ProgramRun help = RunEditor({"--help"}, noDisplay);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: TavaroItemEditor [FILE]\n", 0), 0u);
    for (const char* option : {"--screenshots DIR", "--version", "xvfb-run"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const ProgramRun wrong = RunEditor({"--bogus"}, noDisplay);
    EXPECT_EQ(wrong.status, 64);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "TavaroItemEditor: unknown option '--bogus'\nTry 'TavaroItemEditor --help'.\n");

    // Without a display: one line that says so and how to run it anyway.
    const ProgramRun blind = RunEditor({"a.cgi"}, noDisplay);
    EXPECT_EQ(blind.status, 1);
    EXPECT_EQ(std::count(blind.err.begin(), blind.err.end(), '\n'), 1) << blind.err;
    EXPECT_NE(blind.err.find("xvfb-run -a TavaroItemEditor 'a.cgi'"), std::string::npos) << blind.err;
}

TEST(EditorProgram, PicturesEveryTabAndDialogOfTheSampleProject)
{
    TempFolder folder;
    const ProgramRun tour = RunEditor({"--screenshots", folder.Path("shots")}, {"DISPLAY="});
    EXPECT_EQ(tour.status, 0) << tour.err;
    const char* const names[] = {"main-0-item",        "main-1-event", "main-2-function",   "main-3-define",
                                 "main-4-arrangement", "main-5-project", "preferences", "project-information",
                                 "about",              "find-replace", "find-results", "tool-results",
                                 "item-use-entry",     "item-sort",    "message-1",  // the check finds nothing in the sample
                                 "main-window",        "main-window-maximized"};
    for (const char* name : names) {
        const std::string path = folder.Path("shots/") + name + ".png";
        EXPECT_NE(tour.out.find(path + "\n"), std::string::npos) << name;
        const QImage picture(QString::fromStdString(path));
        EXPECT_FALSE(picture.isNull()) << name;
        EXPECT_GT(picture.width(), 100) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("shots")), {}), std::size(names));
    // Maximized on the tour's screen of 1600 by 1000 pixels.
    const QImage first(QString::fromStdString(folder.Path("shots/main-window.png")));
    const QImage maximized(QString::fromStdString(folder.Path("shots/main-window-maximized.png")));
    EXPECT_GT(maximized.width(), first.width());
    EXPECT_GE(maximized.width(), 1500);
    EXPECT_LE(maximized.width(), 1600);
    EXPECT_GE(maximized.height(), 900);
}

// A project whose rule has extension fields for items: the tour adds the
// extension-field dialog of the shown item.
TEST(EditorProgram, PicturesTheExtensionFieldDialogWhenTheRuleHasFields)
{
    TempFolder folder;
    const ProgramRun tour = RunEditor(
        {"--screenshots", folder.Path("shots"), TAVARO_SOURCE_DIR "/examples/inc-item-data-ext.cgi"}, {"DISPLAY="});
    EXPECT_EQ(tour.status, 0) << tour.err;
    const QImage picture(QString::fromStdString(folder.Path("shots/item-extension-fields.png")));
    EXPECT_GT(picture.width(), 100);
}

}  // namespace
