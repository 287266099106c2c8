#include "document/project_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "../file_limit.h"
#include "../full_disk.h"
#include "../temp_folder.h"
#include "../without_chown.h"
#include "document/edit_command.h"
#include "document/rule_table.h"
#include "document_test_helpers.h"
#include "project_file_fixture.h"
#include "foundation/text_file.h"

using namespace ptest;

TEST_F(ProjectFile, ANewProjectIsSavedAsTheBlockAndAnEmptyDefinition)
{
    EXPECT_EQ(project.info.projectName.GetBuffer() + std::to_string(host.shownTab), SJ("無題-1")); // the start-up reset leaves the pages alone
    const uint32_t version = doc.GetStructureVersion();
    CProjectInfo chosen;
    chosen.projectName = SJ("港町");
    chosen.ruleKey = StableRuleKey();
    project.info.iconImagePath = "icons";
    project.NewProject(chosen);
    EXPECT_NE(doc.GetStructureVersion(), version);
    EXPECT_EQ(project.info.projectName.GetBuffer() + std::to_string(host.shownTab), SJ("港町0"));
    EXPECT_FALSE(doc.IsBeta());

    host.savePaths.push_back(Path("new.cgi"));
    ASSERT_TRUE(project.Save()); // never saved: asks for a name
    const std::string written = folder.Get("new.cgi");
    EXPECT_EQ(written.substr(0, Header().size()), Header());
    EXPECT_EQ(written.substr(written.size() - 36), "###MERX_PROJECT_INFO_END\r\n@@DEFINE\r\n");
    for (const std::string line : {"###IconImagePath=icons\r\n", SJ("###ProjectName=港町\r\n"),
                                   SJ("###RuleName=標準 安定版(020728)\r\n")})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    // A new file: no backup and no question.
    EXPECT_TRUE(Backups().empty());
    EXPECT_TRUE(host.shown.empty());
    EXPECT_STREQ(project.m_strFileName.GetBuffer(), "new.cgi");
    EXPECT_EQ(host.history, std::vector<std::string>{Path("new.cgi")});
}

// The block may stand anywhere and goes back to the top; the rule name is
// the applied rule's "/RuleName", whatever the block says.
TEST_F(ProjectFile, OpeningReadsTheBlockOrAsksForNameAndRule)
{
    rules.GetOrInsert("custom.sir")->GetValueForWrite("/RuleName")->Assign("Renamed");
    for (const std::string ruleName : {"###RuleName=Old\r\n", ""}) {
        folder.Put("with.cgi", kItem + Block("###RuleKey=custom.sir\r\n" + ruleName + SJ("###ProjectName=港\r\n") +
                                             "###PageID=9\r\n###EventID=x\r\n###SetID=4\r\n"));
        const uint32_t version = doc.GetStructureVersion();
        ASSERT_TRUE(project.Open(Path("with.cgi").c_str()));
        EXPECT_NE(doc.GetStructureVersion(), version);
        EXPECT_EQ(host.shownTab, 0); // tab 9 does not exist
        EXPECT_EQ(project.info.eventId * 10 + project.info.setId, -6);
        EXPECT_EQ(project.info.ruleName, "Renamed");
        EXPECT_STREQ(project.info.projectName.GetBuffer(), SJ("港"));
        EXPECT_EQ(doc.itemdata.GetCount(), 1u);
        EXPECT_FALSE(project.m_bModified);
        ASSERT_TRUE(project.Save());
        const std::string saved = folder.Get("with.cgi");
        EXPECT_EQ(saved.substr(0, Header().size()), Header());
        EXPECT_NE(saved.find("###RuleName=Renamed\r\n"), std::string::npos);
        EXPECT_NE(saved.find("###MERX_PROJECT_INFO_END\r\n@@ITEM\r\n"), std::string::npos);
    }
    EXPECT_EQ(host.askedProjectInfo, 0);

    // Without a block, the dialog is asked; cancelling changes nothing.
    folder.Put("plain.cgi", kItem + kItem);
    EXPECT_FALSE(project.Open(Path("plain.cgi").c_str()));
    EXPECT_EQ(host.askedProjectInfo, 1);
    EXPECT_EQ(doc.itemdata.GetCount(), 1u);
    EXPECT_STREQ(project.m_strFileName.GetBuffer(), "with.cgi");
    host.projectInfoOk = true;
    host.projectInfo.ruleKey = BetaRuleKey();
    ASSERT_TRUE(project.Open(Path("plain.cgi").c_str()));
    EXPECT_EQ(doc.itemdata.GetCount(), 2u);
    EXPECT_TRUE(doc.IsBeta());
    EXPECT_EQ(project.info.setId, -1);
}

namespace {

// Construct hooks of the item container that fail as exhausted storage does.
bool ThrowOutOfMemory(Citemstruct**, uint32_t, uint32_t, CArrayAuto<Citemstruct>*) { throw std::bad_alloc(); }
bool ThrowNullElement(Citemstruct**, uint32_t, uint32_t, CArrayAuto<Citemstruct>*)
{
    throw static_cast<Citemstruct*>(nullptr);
}

} // namespace

TEST_F(ProjectFile, BrokenFilesAreRefusedWithTheirMessages)
{
    const std::string outOfMemory = SJ("メモリが不足したため、ファイルを最後まで読み込めませんでした。\n操作をキャンセルします。");
    struct Case {
        const char* name;
        std::string bytes;
        std::string message; // the start of the message shown
        bool reset;          // the project was reset to the defaults
        CArrayAuto<Citemstruct>::Hook hook = nullptr;
        uint64_t limit = kLargestFileBytes;
    };
    const Case cases[] = {
        {"missing.cgi", "",
         SJ("目標のファイルにアクセスできません。\n操作をキャンセルします。\n") + Path("missing.cgi") +
             ": No such file or directory",
         false},
        {"nul.cgi", kItem + std::string("\0x", 2), SJ("ファイルにNUL文字"), false},
        {"damaged.cgi", Block("###ProjectName=x\r\n") + kItem, SJ("MERXプロジェクト情報が破損しています。"), true},
        {"unknown.cgi", Block("###RuleKey=nowhere.sir\r\n") + kItem,
         SJ("MERXプロジェクト情報で指定されたルールを読み込めません。\n'nowhere.sir'という名前の"), true},
        // A read that runs out of memory would pass a part of the file for
        // the whole, which a save would write over it.
        {"memory.cgi", kBeta + kItem + kItem, outOfMemory, true, ThrowOutOfMemory},
        {"storage.cgi", kBeta + kItem, outOfMemory, true, ThrowNullElement},
        {"large.cgi", kBeta + kItem,
         SJ("ファイルが大きすぎるため開けません（") + std::to_string((kBeta + kItem).size()) +
             SJ("バイト、上限は10バイト）。\n操作をキャンセルします。"),
         false, nullptr, 10},
    };
    for (const Case& c : cases) {
        project.ResetToDefaults(true);
        project.info.projectName = "before";
        project.m_bModified = true;
        host.shown.clear();
        host.shownTab = -2;
        if (std::string(c.name) != "missing.cgi")
            folder.Put(c.name, c.bytes);
        doc.itemdata.SetHooks(c.hook, nullptr, 0);
        const LowerFileLimit limit(c.limit);
        EXPECT_FALSE(project.Open(Path(c.name).c_str())) << c.name;
        doc.itemdata.SetHooks(nullptr, nullptr, 0);
        ASSERT_EQ(host.shown.size(), 1u) << c.name;
        EXPECT_EQ(host.shown[0].substr(0, c.message.size()), c.message) << c.name;
        EXPECT_EQ(project.info.projectName == SJ("無題"), c.reset) << c.name;
        EXPECT_EQ(host.shownTab, c.reset ? 0 : -2) << c.name;
        EXPECT_EQ(project.m_bModified, !c.reset) << c.name;
        EXPECT_EQ(doc.itemdata.GetCount(), 0u) << c.name;
        EXPECT_EQ(folder.Get(c.name), c.bytes) << c.name;
    }
}

TEST_F(ProjectFile, ReaderMessagesAreReviewedThenAcceptedOrRefused)
{
    folder.Put("bad.cgi", kBeta + kItem + "\tstray line\r\n");
    host.corrections = {"@@ITEM\n\tno\t1\n\tstill wrong\n", "@@ITEM\n\tno\t2\n@@ITEM\n\tno\t3\n"};
    host.reviewAccepted = true;
    ASSERT_TRUE(project.Open(Path("bad.cgi").c_str()));
    // The text is shown without its block, with CR LF; each correction is
    // parsed again; the document is the one last parsed.
    EXPECT_EQ(host.reviewedText, kItem + "\tstray line\r\n");
    ASSERT_EQ(host.reviewedMessages.size(), 3u);
    EXPECT_NE(host.reviewedMessages[0].find("[4]"), std::string::npos) << host.reviewedMessages[0];
    EXPECT_FALSE(host.reviewedMessages[1].empty());
    EXPECT_TRUE(host.reviewedMessages[2].empty());
    EXPECT_EQ(doc.itemdata.GetCount(), 2u);

    // A correction whose reading runs out of memory cannot be accepted.
    host.reviewedMessages.clear();
    host.corrections = {"@@ITEM\n"};
    doc.itemdata.SetHooks(ThrowOutOfMemory, nullptr, 0);
    folder.Put("bad.cgi", kBeta + "@@EVENT\r\n\tstray line\r\n");
    EXPECT_FALSE(project.Open(Path("bad.cgi").c_str()));
    doc.itemdata.SetHooks(nullptr, nullptr, 0);
    ASSERT_EQ(host.reviewedMessages.size(), 2u);
    EXPECT_EQ(host.reviewedMessages[1].substr(0, 12), std::string(SJ("メモリが不足")));
    EXPECT_EQ(project.info.projectName, SJ("無題"));

    host.corrections.clear();
    host.reviewAccepted = false;
    EXPECT_FALSE(project.Open(Path("bad.cgi").c_str()));
    EXPECT_EQ(doc.eventdata.GetCount(), 0u);
    EXPECT_TRUE(project.m_strFilePath.IsEmpty());
}

// A "\\" is a character of the file name: "d\\x.cgi" is read, backed up
// and replaced, never "x.cgi" in the folder "d", and is its own file name.
TEST_F(ProjectFile, ABackslashIsACharacterOfTheFileName)
{
    mkdir(folder.Path("d").c_str(), 0700);
    const std::string other = kBeta + "@@ITEM\r\n\tno\t1\r\n";
    const std::string own = kBeta + "@@ITEM\r\n\tno\t2\r\n";
    folder.Put("d/x.cgi", other);
    folder.Put("d\\x.cgi", own);
    ASSERT_TRUE(project.Open(Path("d\\x.cgi").c_str()));
    EXPECT_EQ(dtest::Field(*doc.itemdata.GetAt(0), "no"), "2");
    EXPECT_STREQ(project.m_strFileName.GetBuffer(), "d\\x.cgi");
    project.m_bModified = true;
    ASSERT_TRUE(project.Save());
    EXPECT_EQ(Backups(), std::vector<std::string>{"inc-item-data20261206090507.cgi"});
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507.cgi"), own);
    EXPECT_NE(folder.Get("d\\x.cgi"), own);
    EXPECT_EQ(folder.Get("d/x.cgi"), other);

    host.savePaths.push_back(Path("e\\y.cgi"));
    ASSERT_TRUE(project.SaveAs());
    EXPECT_STREQ(project.m_strFileName.GetBuffer(), "e\\y.cgi");
    EXPECT_EQ(folder.Get("e\\y.cgi"), folder.Get("d\\x.cgi"));
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(ProjectFile, BackupsKeepEveryEarlierFile)
{
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("data.cgi").c_str()));
    const std::string first = folder.Get("data.cgi");
    ASSERT_TRUE(project.Save());
    const std::string second = folder.Get("data.cgi");
    ASSERT_TRUE(project.Save()); // within the same second
    EXPECT_EQ(Backups(), (std::vector<std::string>{"inc-item-data20261206090507.cgi",
                                                   "inc-item-data20261206090507_2.cgi"}));
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507.cgi"), first);
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507_2.cgi"), second);
    EXPECT_TRUE(host.shown.empty());

    // Switched off: no backup.
    settings.CreateSection("Custom");
    settings.GetValueForWrite("/Custom/SaveAutoBackup")->Assign("OFF");
    ASSERT_TRUE(project.Save());
    EXPECT_EQ(Backups().size(), 2u);

    // On, with the backup folder gone: the question names error 2; "no"
    // keeps the file as it was.
    settings.GetValueForWrite("/Custom/SaveAutoBackup")->Assign("ON");
    std::filesystem::remove_all(folder.Path("program/backup"));
    EXPECT_FALSE(project.Save());
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0], SJ("ファイルのバックアップに失敗しました。\nエラーコード：2\n\n続行しますか？"));
    EXPECT_EQ(folder.Get("data.cgi"), second);
    host.yesNo.push_back(true);
    host.storedItemId = 5;
    EXPECT_TRUE(project.Save());
    EXPECT_NE(folder.Get("data.cgi").find("###ItemID=5\r\n"), std::string::npos);
}

TEST_F(ProjectFile, AFailedSaveLeavesThePreviousFile)
{
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_TRUE(project.Open(Path("data.cgi").c_str()));
    const std::string before = folder.Get("data.cgi");
    project.m_bModified = true;

    // The page refuses to apply: nothing is written, nothing is said.
    host.applyPage = [] { return false; };
    EXPECT_FALSE(project.Save());
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(Backups().empty());
    host.applyPage = [] { return true; };

    // The disk fills up after the backup was made; the file size limit
    // stands in for a full disk. The file stands unchanged, and the backup
    // made for it goes again: as a second link to the file it would change
    // with every later change made to the file in place.
    bool saved100 = true;
    {
        const FullDisk full;
        ASSERT_TRUE(full.Fill(100));
        saved100 = project.Save();
    }
    EXPECT_FALSE(saved100);
    EXPECT_EQ(host.shown.back(), SJ("ファイルの作成に失敗しました。\n") + Path("data.cgi") + ": File too large");
    EXPECT_EQ(folder.Get("data.cgi"), before);
    EXPECT_TRUE(Backups().empty());
    EXPECT_TRUE(project.m_bModified);

    // The folder cannot take the new file.
    if (geteuid() != 0) {
        chmod(folder.Path().c_str(), 0500);
        EXPECT_FALSE(project.Save());
        chmod(folder.Path().c_str(), 0700);
        EXPECT_EQ(host.shown.back(), SJ("ファイルの作成に失敗しました。\n") + Path("data.cgi") + ": Permission denied");
        EXPECT_EQ(folder.Get("data.cgi"), before);
        EXPECT_TRUE(Backups().empty());
    }
}

// What may not be replaced (the kinds are the text writer's to tell) and a
// save too large to be opened again are refused before the backup, with
// the reason on a line below the message.
TEST_F(ProjectFile, SavingRefusesWhatItMayNotReplace)
{
    folder.Put("read-only.cgi", kBeta + kItem);
    chmod(Path("read-only.cgi").c_str(), 0444);
    ASSERT_EQ(mkfifo(Path("fifo.cgi").c_str(), 0600), 0);
    folder.Put("data.cgi", kBeta + kItem);
    const CStr_base<16384> text = project.FileText();
    uint64_t size = text.GetLength();
    for (uint32_t i = 0; i < text.GetLength(); ++i)
        size += text[i] == '\n';
    const struct {
        std::string name;
        std::string reason;
        uint64_t limit = kLargestFileBytes;
    } rows[] = {
        {"fifo.cgi", "not a regular file (a FIFO)"},
        {"read-only.cgi", "the file is read-only (it has no write permission)"},
        {"data.cgi",
         "the new file would be too large to be opened again: " + std::to_string(size) + " bytes, more than the " +
             std::to_string(size - 1) + " bytes a file may have",
         size - 1},
    };
    for (const auto& row : rows) {
        host.shown.clear();
        const LowerFileLimit limit(row.limit);
        EXPECT_FALSE(project.SaveToPath(Path(row.name).c_str(), true)) << row.name;
        EXPECT_EQ(host.shown,
                  std::vector<std::string>{SJ("ファイルの作成に失敗しました。\n") + Path(row.name) + ": " + row.reason});
    }
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo.cgi")));
    EXPECT_EQ(folder.Get("read-only.cgi"), kBeta + kItem);
    EXPECT_EQ(folder.Get("data.cgi"), kBeta + kItem);
    EXPECT_TRUE(Backups().empty());
}

// A file whose owner or group its replacement could not be given (the user
// is not in its group) is written over where it stands, after a copy of it
// went to the backup folder; without that copy it is refused.
TEST_F(ProjectFile, AFileOfAGroupNotTheUsersIsWrittenOverInPlaceAfterACopy)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can set up a file of another owner";
    const std::string path = Path("data.cgi");
    folder.Put("data.cgi", kBeta + kItem);
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    ASSERT_EQ(link(path.c_str(), Path("other name.cgi").c_str()), 0);
    struct stat before;
    stat(path.c_str(), &before);
    ASSERT_TRUE(project.Open(path.c_str()));
    const WithoutChownRight theirs;
    ASSERT_TRUE(theirs.Dropped());

    host.storedItemId = 1;
    ASSERT_TRUE(project.Save());
    EXPECT_TRUE(host.shown.empty());
    struct stat after;
    stat(path.c_str(), &after);
    EXPECT_EQ(std::tuple(after.st_ino, after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
              std::tuple(before.st_ino, before.st_uid, before.st_gid, before.st_mode, before.st_nlink));
    const std::string saved = folder.Get("data.cgi");
    EXPECT_NE(saved.find("###ItemID=1\r\n"), std::string::npos);
    EXPECT_EQ(folder.Get("other name.cgi"), saved);
    EXPECT_EQ(Backups(), std::vector<std::string>{"inc-item-data20261206090507.cgi"});
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507.cgi"), kBeta + kItem);  // a copy

    // No backup, no write in place: switched off, or failed and the user
    // went on without it.
    const std::string refused = SJ("ファイルの作成に失敗しました。\n") + path +
                                ": the file belongs to another user or group, which its replacement cannot be given";
    settings.CreateSection("Custom");
    settings.GetValueForWrite("/Custom/SaveAutoBackup")->Assign("OFF");
    host.storedItemId = 2;
    EXPECT_FALSE(project.Save());
    EXPECT_EQ(host.shown, std::vector<std::string>{refused});
    settings.GetValueForWrite("/Custom/SaveAutoBackup")->Assign("ON");
    std::filesystem::rename(folder.Path("program/backup"), folder.Path("program/moved"));
    host.shown.clear();
    host.yesNo.push_back(true);
    EXPECT_FALSE(project.Save());
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], refused);
    EXPECT_EQ(folder.Get("data.cgi"), saved);
    std::filesystem::rename(folder.Path("program/moved"), folder.Path("program/backup"));

    // The disk fills up while the file is written over, after the backup
    // was made (the clock is read for its name); the file size limit stands
    // in for a full disk. The message names the backup to restore from.
    bool written = true;
    {
        const FullDisk full;
        const std::function<std::tm()> clock = project.clock;
        project.clock = [&] {
            full.Fill(saved.size() + 10);
            return clock();
        };
        project.info.projectName = std::string(1000, 'n').c_str();
        project.m_bModified = true;
        host.shown.clear();
        written = project.Save();
        project.clock = clock;
    }
    EXPECT_FALSE(written);
    const std::string backup = folder.Path("program/backup/inc-item-data20261206090507_2.cgi");
    EXPECT_EQ(host.shown, std::vector<std::string>{SJ("ファイルの作成に失敗しました。\n") + path + ": File too large\n" +
                                                   SJ("ファイルは途中まで書き換えられています。次のバックアップから元に戻してください。\n") +
                                                   backup});
    EXPECT_EQ(folder.Get("program/backup/inc-item-data20261206090507_2.cgi"), saved);
    EXPECT_EQ(folder.Get("data.cgi").size(), saved.size() + 10);
    EXPECT_TRUE(project.m_bModified);
}

TEST_F(ProjectFile, TheSaveQuestionAnswersAsTheUserChose)
{
    EXPECT_EQ(project.SaveQuestion(), SAVE_QUESTION_DONE); // nothing changed: not asked
    EXPECT_TRUE(host.shown.empty());
    project.m_bModified = true;
    host.yesNoCancel = {CProjectAnswer::kNo, CProjectAnswer::kCancel, CProjectAnswer::kYes, CProjectAnswer::kYes};
    EXPECT_EQ(project.SaveQuestion(), SAVE_QUESTION_DISCARD);
    EXPECT_EQ(host.shown[0], SJ("プロジェクトが更新されています。\n保存しますか？"));
    EXPECT_EQ(project.SaveQuestion(), SAVE_QUESTION_STOP);
    EXPECT_EQ(project.SaveQuestion(), SAVE_QUESTION_STOP); // yes, then the save dialog is cancelled
    host.savePaths.push_back(Path("kept.cgi"));
    EXPECT_EQ(project.SaveQuestion(), SAVE_QUESTION_DONE);
    EXPECT_FALSE(project.m_bModified);
    EXPECT_TRUE(std::filesystem::exists(Path("kept.cgi")));
}

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
