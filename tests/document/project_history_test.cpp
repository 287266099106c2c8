// The project's undo history: what clears it and where its clean point is.
#include <gtest/gtest.h>

#include "document/edit_command.h"
#include "project_file_fixture.h"

using namespace ptest;

namespace {

// One step on the definition, pushed onto the project's history.
void ChangeDefinition(CMerxProject& project, CMerxDocument& doc)
{
    Cdefinestruct content;
    content.text.Assign("@@DEFINE\ntype1 axe\n");
    project.history.Push(ReplaceContent(doc, doc.definedata, content), "definition");
}

} // namespace

TEST_F(ProjectFile, OpeningNewAndResetClearTheHistoryAndASaveIsItsCleanPoint)
{
    folder.Put("items.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("items.cgi").c_str()));
    EXPECT_TRUE(project.history.IsClean());
    ChangeDefinition(project, doc);
    EXPECT_FALSE(project.history.IsClean());
    ASSERT_TRUE(project.Save());
    EXPECT_TRUE(project.history.IsClean());
    project.history.Undo(doc);
    EXPECT_FALSE(project.history.IsClean()); // the file holds the change now

    ASSERT_TRUE(project.Open(Path("items.cgi").c_str()));
    EXPECT_FALSE(project.history.CanRedo());
    EXPECT_FALSE(project.history.CanUndo());
    ChangeDefinition(project, doc);
    CProjectInfo chosen;
    chosen.projectName = "p";
    chosen.ruleKey = StableRuleKey();
    project.NewProject(chosen);
    EXPECT_FALSE(project.history.CanUndo());
    ChangeDefinition(project, doc);
    project.ResetToDefaults(false);
    EXPECT_FALSE(project.history.CanUndo());
    EXPECT_TRUE(project.history.IsClean());
}
