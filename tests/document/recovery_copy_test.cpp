// Recovery copies: what they hold, which are offered at start, and the copy
// an editor keeps while changes are unsaved.
#include "document/recovery_copy.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../gone_pid.h"
#include "foundation/native_path.h"
#include "project_file_fixture.h"

namespace {

namespace fs = std::filesystem;

const std::string kProject = ptest::Block(SJ("###RuleKey=標準 ベータ版(040318)\r\n###ProjectName=港町\r\n")) + ptest::kItem;

void SetModified(const std::string& path, int secondsFromNow)
{
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(secondsFromNow));
}

class RecoveryCopy : public ptest::ProjectFile {
protected:
    RecoveryCopy() { folder.Put("data.cgi", kProject); }

    // A copy of the project with its one item renamed, left by process `pid`.
    std::string LeaveCopy(long pid, const char* origin, const char* name = "shield")
    {
        project.Open(origin);
        doc.itemdata[0].SetField("name", name);
        const std::string copy = CopyPath(pid);
        EXPECT_TRUE(WriteRecoveryCopy(project, copy));
        return copy;
    }
    std::string Settings() const { return folder.Path("TavaroItemEditor.ini"); }
    // Where an editor with process `pid` and these settings keeps its copy.
    std::string CopyPath(long pid) const { return folder.Path("TavaroItemEditor.recovery-" + std::to_string(pid) + ".cgi"); }
    std::vector<std::string> Offered() const
    {
        std::vector<std::string> names;
        for (const CRecoveryCopy& copy : FindRecoveryCopies(Settings()))
            names.push_back(fs::path(copy.path).filename().string());
        return names;
    }
};

}  // namespace

TEST_F(RecoveryCopy, HoldsWhatASaveWritesAndWhereItBelongs)
{
    EXPECT_EQ(RecoveryCopyPath(Settings()), CopyPath(getpid()));
    EXPECT_EQ(RecoveryCopyPath("settings"), "./settings.recovery-" + std::to_string(getpid()) + ".cgi");

    const std::string copy = LeaveCopy(GonePid(), folder.Path("data.cgi").c_str());
    CRecoveryCopy read;
    ASSERT_TRUE(ReadRecoveryCopy(copy, read));
    EXPECT_EQ(read.origin, folder.Path("data.cgi").c_str());
    EXPECT_EQ(read.projectName, SJ("港町"));
    EXPECT_NE(folder.Get(fs::path(copy).filename()).find("\tname\tshield\r\n"), std::string::npos);

    // Opened as the project of its file: modified, saved there, and the
    // copy's own key is not written into the file.
    const CFileIdentity before = FileIdentityOf(folder.Path("data.cgi").c_str());
    project.ResetToDefaults(true);
    ASSERT_TRUE(project.OpenRecoveryCopy(PathTextFromNative(copy), read.origin));
    EXPECT_TRUE(project.m_bModified);
    EXPECT_EQ(project.m_strFilePath, folder.Path("data.cgi").c_str());
    EXPECT_EQ(project.m_fileIdentity, before);
    EXPECT_STREQ(doc.itemdata[0].FieldText("name"), "shield");
    EXPECT_EQ(host.history, std::vector<std::string>{folder.Path("data.cgi")});  // from LeaveCopy's open only
    ASSERT_TRUE(project.Save());
    const std::string saved = folder.Get("data.cgi");
    EXPECT_NE(saved.find("\tname\tshield\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("RecoveryOf"), std::string::npos);

    // A project never saved stays so.
    project.ResetToDefaults(true);
    const std::string unsaved = Settings() + ".recovery-1.cgi";
    ASSERT_TRUE(WriteRecoveryCopy(project, unsaved));
    ASSERT_TRUE(ReadRecoveryCopy(unsaved, read));
    EXPECT_TRUE(read.origin.IsEmpty());
    ASSERT_TRUE(project.OpenRecoveryCopy(PathTextFromNative(unsaved), ""));
    EXPECT_TRUE(project.m_strFilePath.IsEmpty());
    EXPECT_TRUE(project.m_bModified);

    // A data file is no copy.
    EXPECT_FALSE(ReadRecoveryCopy(folder.Path("data.cgi"), read));
}

// Offered: copies of editors that are gone, newer than their file, or whose
// file went or never was; newest first.
TEST_F(RecoveryCopy, CopiesOfEditorsThatAreGoneAndNewerThanTheirFileAreOffered)
{
    folder.Put("old.cgi", kProject);
    folder.Put("gone.cgi", kProject);
    const std::string newer = LeaveCopy(GonePid(), folder.Path("data.cgi").c_str());
    const std::string older = LeaveCopy(GonePid(), folder.Path("old.cgi").c_str());
    const std::string fileGone = LeaveCopy(GonePid(), folder.Path("gone.cgi").c_str());
    const std::string running = LeaveCopy(getpid(), folder.Path("data.cgi").c_str());
    const std::string init = LeaveCopy(1, folder.Path("data.cgi").c_str());
    project.ResetToDefaults(true);
    const std::string neverSaved = CopyPath(GonePid());
    ASSERT_TRUE(WriteRecoveryCopy(project, neverSaved));
    const std::string otherSettings = folder.Path("Other.recovery-" + std::to_string(GonePid()) + ".cgi");
    fs::copy_file(newer, otherSettings);
    const std::string notACopy = CopyPath(GonePid());
    folder.Put(fs::path(notACopy).filename(), kProject);

    SetModified(folder.Path("old.cgi"), 60);
    fs::remove(folder.Path("gone.cgi"));
    SetModified(newer, -30);
    SetModified(fileGone, -20);
    SetModified(neverSaved, -10);
    SetModified(folder.Path("data.cgi"), -40);
    const auto name = [](const std::string& path) { return fs::path(path).filename().string(); };
    EXPECT_EQ(Offered(), (std::vector<std::string>{name(neverSaved), name(fileGone), name(newer)}));

    CRecoveryCopy copy;
    ASSERT_TRUE(ReadRecoveryCopy(newer, copy));
    const std::string question = RecoveryQuestion(copy).GetBuffer();
    const std::string start = SJ("前回、保存されないまま終了したプロジェクトの回復用コピーがあります。\n"
                                 "プロジェクト名：港町\nファイル：") +
                              folder.Path("data.cgi") + SJ("\n回復用コピーの日時：");
    EXPECT_EQ(question.substr(0, start.size()), start);
    ASSERT_TRUE(ReadRecoveryCopy(neverSaved, copy));
    EXPECT_NE(std::string(RecoveryQuestion(copy).GetBuffer()).find(SJ("（一度も保存されていないプロジェクト）")),
              std::string::npos);
}

TEST_F(RecoveryCopy, TheKeeperWritesOnlyWhatIsUnsavedAndNew)
{
    ASSERT_TRUE(project.Open(folder.Path("data.cgi").c_str()));
    CRecoveryKeeper keeper(RecoveryCopyPath(Settings()));
    const auto copy = [&] { return fs::exists(keeper.Path()) ? folder.Get(fs::path(keeper.Path()).filename()) : ""; };

    keeper.Changed();
    EXPECT_TRUE(keeper.Keep(project));  // nothing unsaved: no copy
    EXPECT_FALSE(fs::exists(keeper.Path()));

    project.m_bModified = true;
    doc.itemdata[0].SetField("name", "shield");
    EXPECT_TRUE(keeper.Keep(project));
    EXPECT_NE(copy().find("\tname\tshield\r\n"), std::string::npos);
    EXPECT_TRUE(keeper.HasCopy());

    doc.itemdata[0].SetField("name", "axe");  // a change the keeper was not told of
    EXPECT_TRUE(keeper.Keep(project));
    EXPECT_NE(copy().find("\tname\tshield\r\n"), std::string::npos);
    keeper.Changed();
    EXPECT_TRUE(keeper.Keep(project));
    EXPECT_NE(copy().find("\tname\taxe\r\n"), std::string::npos);

    project.m_bModified = false;  // saved
    EXPECT_TRUE(keeper.Keep(project));
    EXPECT_FALSE(fs::exists(keeper.Path()));
    EXPECT_FALSE(keeper.HasCopy());

    // A copy that cannot be written is reported, and tried again next time.
    project.m_bModified = true;
    chmod(folder.Path().c_str(), 0500);
    const bool refused = geteuid() != 0;
    EXPECT_EQ(keeper.Keep(project), !refused);
    chmod(folder.Path().c_str(), 0700);
    EXPECT_TRUE(keeper.Keep(project));
    EXPECT_TRUE(fs::exists(keeper.Path()));
    keeper.Remove();
    EXPECT_FALSE(fs::exists(keeper.Path()));
}
