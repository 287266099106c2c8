// Saving over a file that another program changed since it was read, and
// the notice of such a change.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/text_file.h"
#include "project_file_fixture.h"

using namespace ptest;

// Another program wrote the file after it was opened: the save asks first
// (no keeps that program's file), and remembers what it wrote itself.
TEST_F(ProjectFile, ASaveOverAFileChangedSinceItWasReadAsksFirst)
{
    const std::string question =
        SJ("このファイルは開いた後に他のプログラムによって変更されています。上書きしますか？ ") + Path("data.cgi");
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("data.cgi").c_str()));
    ASSERT_TRUE(project.Save());  // its own file: no question
    const std::string theirs = kBeta + kItem + kItem;
    folder.Put("data.cgi", theirs);
    project.m_bModified = true;

    EXPECT_FALSE(project.Save());
    EXPECT_EQ(host.shown, std::vector<std::string>{question});
    EXPECT_EQ(folder.Get("data.cgi"), theirs);
    EXPECT_EQ(Backups().size(), 1u);  // only the first save's
    EXPECT_TRUE(project.m_bModified);

    // Overwritten when the user says so; the backup keeps their file.
    host.overwriteChanged.push_back(true);
    ASSERT_TRUE(project.Save());
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(folder.Get("data.cgi").find(kItem + kItem), std::string::npos);
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507_2.cgi"), theirs);
    ASSERT_TRUE(project.Save());  // what it wrote itself
    EXPECT_EQ(host.shown.size(), 2u);

    // A file that went is written without a question (and without a backup).
    std::filesystem::remove(Path("data.cgi"));
    ASSERT_TRUE(project.Save());
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(Backups().size(), 3u);

    // After a save under another name, that file is the one watched.
    host.savePaths.push_back(Path("other.cgi"));
    ASSERT_TRUE(project.SaveAs());
    folder.Put("data.cgi", theirs);
    ASSERT_TRUE(project.Save());
    EXPECT_EQ(host.shown.size(), 2u);
    folder.Put("other.cgi", theirs);
    EXPECT_FALSE(project.Save());
    ASSERT_EQ(host.shown.size(), 3u);
    EXPECT_EQ(host.shown[2], SJ("このファイルは開いた後に他のプログラムによって変更されています。上書きしますか？ ") + Path("other.cgi"));
    EXPECT_EQ(folder.Get("other.cgi"), theirs);
}

TEST_F(ProjectFile, AChangeOnDiskIsToldOnceWithTheOfferToOpenItAgain)
{
    CStr_base<1024> question;
    EXPECT_FALSE(project.TakeDiskChange(question));  // never saved
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("data.cgi").c_str()));
    EXPECT_FALSE(project.TakeDiskChange(question));

    const std::string told = SJ("開いているファイルが他のプログラムによって変更されました。\n") + Path("data.cgi") +
                             SJ("\n\nファイルを開きなおしますか？");
    const std::string unsaved = SJ("\n開きなおすと、保存していない変更は失われます。");
    folder.Put("data.cgi", kBeta + kItem + kItem);
    ASSERT_TRUE(project.TakeDiskChange(question));
    EXPECT_EQ(std::string(question.GetBuffer()), told);
    EXPECT_FALSE(project.TakeDiskChange(question));  // once

    folder.Put("data.cgi", kBeta);  // a change after that is told again
    project.m_bModified = true;
    ASSERT_TRUE(project.TakeDiskChange(question));
    EXPECT_EQ(std::string(question.GetBuffer()), told + unsaved);
    std::filesystem::remove(Path("data.cgi"));
    EXPECT_FALSE(project.TakeDiskChange(question));  // a file that went cannot be opened again

    // Opening it again forgets what was told.
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("data.cgi").c_str()));
    EXPECT_FALSE(project.TakeDiskChange(question));
    EXPECT_EQ(doc.itemdata.GetCount(), 1u);
}
