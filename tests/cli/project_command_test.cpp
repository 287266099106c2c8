// "tavaro format" and "tavaro info", run as a user runs them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "../document/document_test_helpers.h"
#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

const std::string kSample = TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi";
const std::string kHeader =
    "###\x82\xb1\x82\xb1\x82\xa9\x82\xe7MERX_PROJECT_INFO_END";  // "###ここから" in CP932, then ASCII

} // namespace

TEST(FormatCommand, WritesWhatASaveWritesAndIsStableOnItsOwnOutput)
{
    TempFolder folder;
    const TavaroRun first = RunTavaro({"format", kSample});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(first.out.compare(0, kHeader.size(), kHeader), 0);
    EXPECT_NE(first.out.find("###PageID=0\r\n"), std::string::npos);
    EXPECT_EQ(first.out.find("\n\n"), std::string::npos);  // CR LF throughout

    folder.Put("once.cgi", first.out);
    const TavaroRun second = RunTavaro({"format", "-o", folder.Path("twice.cgi"), folder.Path("once.cgi")});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(folder.Get("twice.cgi"), first.out);
}

// The formatter lays every element out anew, but keeps the comment of a
// "@@USE" line on it and the section headers between the items where they
// stand.
TEST(FormatCommand, KeepsUseLineCommentsAndSectionHeaders)
{
    const TavaroRun run = RunTavaro({"format", kSample});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string formatted = dtest::ThroughFile(run.out);
    const std::string read = dtest::SampleFile("inc-item-data.cgi");
    EXPECT_NE(formatted.find("\n\t@@USE\t# " + Utf8ToCp932("炉が必要") + "\n"), std::string::npos);
    EXPECT_EQ(dtest::LinesAmongItems(formatted, "# ===="), dtest::LinesAmongItems(read, "# ===="));
}

TEST(FormatCommand, AFileWithoutBlockTakesRuleAndNameFromTheOptions)
{
    TempFolder folder;
    folder.Put("plain.cgi", "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n\tgrade\tA\r\n");
    // Under the default rule "grade" is no field: reported, and the output still written.
    const TavaroRun defaults = RunTavaro({"format", folder.Path("plain.cgi")});
    ASSERT_EQ(defaults.status, 2) << defaults.err;
    EXPECT_NE(defaults.err.find("要素名\"grade\"は定義されていません。"), std::string::npos) << defaults.err;
    EXPECT_NE(defaults.out.find("###ProjectName=\x96\xb3\x91\xe8\r\n"), std::string::npos);  // "無題"

    const TavaroRun chosen =
        RunTavaro({"format", "--rule", "harbor-beta.sir", "--name", "港", folder.Path("plain.cgi")});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_NE(chosen.out.find("###RuleKey=harbor-beta.sir\r\n"), std::string::npos);
    EXPECT_NE(chosen.out.find("###ProjectName=\x8d\x60\r\n"), std::string::npos);  // "港"
    EXPECT_NE(chosen.out.find("\tgrade\tA\r\n"), std::string::npos);         // an extension field of the rule

    // An unknown rule is a usage mistake, whatever the file holds.
    const TavaroRun unknown = RunTavaro({"format", "--rule", "none.sir", folder.Path("plain.cgi")});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_EQ(unknown.out, "");
    const std::string named = "tavaro format: unknown rule \"none.sir\"; the known rules are:\n";
    EXPECT_EQ(unknown.err.substr(0, named.size()), named);
    for (const std::string rule : {"  harbor-beta.sir\n", "  標準 ベータ版(040318)\n", "  標準 安定版(020728)\n"})
        EXPECT_NE(unknown.err.find(rule), std::string::npos) << unknown.err;
}

TEST(FormatCommand, ReportsReaderMessagesAndErrors)
{
    TempFolder folder;
    folder.Put("bad.cgi", "@@ITEM\r\n\tno\t1\r\n\tstray\r\n");
    const TavaroRun bad = RunTavaro({"format", "-o", folder.Path("out.cgi"), folder.Path("bad.cgi")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.substr(0, 6), "[3]：") << bad.err;  // UTF-8, one message a line
    EXPECT_NE(bad.err.find("out.cgi not written, since the reader reported lines\n"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cgi")));
    // Nor over the file itself, which keeps the line the reader could not place.
    const TavaroRun inPlace = RunTavaro({"format", "-o", folder.Path("bad.cgi"), folder.Path("bad.cgi")});
    EXPECT_EQ(inPlace.status, 2);
    EXPECT_EQ(folder.Get("bad.cgi"), "@@ITEM\r\n\tno\t1\r\n\tstray\r\n");

    // What a save would drop without a word is a reader line too: a field
    // given twice, a sixth word of a use/need/get line.
    for (const char* lost : {"@@ITEM\r\n\tno\t1\r\n\tno\t2\r\n",
                             "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tuse\t1\tx\t50\tm\textra\r\n"}) {
        folder.Put("lost.cgi", lost);
        EXPECT_EQ(RunTavaro({"format", "-o", folder.Path("lost.cgi"), folder.Path("lost.cgi")}).status, 2) << lost;
        EXPECT_EQ(folder.Get("lost.cgi"), lost);
    }

    const TavaroRun missing = RunTavaro({"format", "-o", folder.Path("none-out.cgi"), folder.Path("none.cgi")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("目標のファイルにアクセスできません。"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("none-out.cgi")));

    folder.Put("nul.cgi", std::string("@@ITEM\r\n\0\r\n", 11));
    EXPECT_EQ(RunTavaro({"format", folder.Path("nul.cgi")}).status, 1);
    EXPECT_EQ(RunTavaro({"info", folder.Path("nul.cgi")}).status, 66);
    EXPECT_EQ(RunTavaro({"format", "--rule"}).status, 64);
    // A project name the file cannot hold is no name at all.
    const TavaroRun foreign = RunTavaro({"format", "--name", "港한", folder.Path("nul.cgi")});
    EXPECT_EQ(foreign.status, 64);
    EXPECT_EQ(foreign.err.substr(0, foreign.err.find('\n')),
              "tavaro format: --name holds characters that CP932 cannot hold: 한 (U+D55C)");
}

// A file is refused by its size before it is read; a device, which
// announces none, is read up to the limit.
TEST(FormatCommand, InputsLargerThanTheLimitAreRefusedAsSuch)
{
    TempFolder folder;
    folder.Put("huge", "");
    std::filesystem::resize_file(folder.Path("huge"), (256u << 20) + 1);
    const TavaroRun regex = RunTavaro({"regex", "--file", folder.Path("huge"), "a"});
    EXPECT_EQ(regex.status, 66);
    EXPECT_EQ(regex.err, "tavaro regex: cannot read " + folder.Path("huge") +
                             ": 268435457 bytes, more than the 268435456 bytes (256 MiB) a file may have\n");
    const TavaroRun info = RunTavaro({"info", "/dev/zero"});
    EXPECT_EQ(info.status, 66);
    EXPECT_EQ(info.err, "tavaro info: ファイルが大きすぎるため開けません（上限の268435456バイトを超えています）。\n"
                        "操作をキャンセルします。\n");
}

// Only a regular file that the user may write is replaced, by -o or by a
// save in place; otherwise the status is 73 and the reason is named.
TEST(FormatCommand, OutputsThatMayNotBeReplacedAreRefused)
{
    TempFolder folder;
    const std::string data = "@@ITEM\r\n\tno\t3\r\n";
    folder.Put("data.cgi", data);
    ASSERT_EQ(mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    folder.Put("read-only.cgi", data);
    chmod(folder.Path("read-only.cgi").c_str(), 0444);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"-o", folder.Path("fifo"), folder.Path("data.cgi")},
         "tavaro format: cannot write " + folder.Path("fifo") + ": not a regular file (a FIFO)\n"},
        {{"-o", folder.Path("read-only.cgi"), folder.Path("data.cgi")},
         "tavaro format: cannot write " + folder.Path("read-only.cgi") +
             ": the file is read-only (it has no write permission)\n"},
        // In place, with the editor's message and the reason on a line of its own.
        {{"-o", folder.Path("read-only.cgi"), folder.Path("read-only.cgi")},
         "tavaro format: ファイルの作成に失敗しました。\n" + folder.Path("read-only.cgi") +
             ": the file is read-only (it has no write permission)\n"},
    };
    for (const auto& [args, message] : rows) {
        std::vector<std::string> command = args;
        command.insert(command.begin(), "format");
        const TavaroRun run = RunTavaro(command);
        EXPECT_EQ(run.status, 73) << message;
        EXPECT_EQ(run.err, message);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.Path("fifo")));
    EXPECT_EQ(folder.Get("read-only.cgi"), data);
    EXPECT_TRUE(BackupFolder(data).empty());  // a refused save makes no backup
}

TEST(InfoCommand, ShowsWhatTheProjectPageShows)
{
    const TavaroRun run = RunTavaro({"info", kSample});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "アイテム数：48\nイベント数：13\n全オブジェクト数：87\n"
                       "対応するmakeitemルール：標準 ベータ版(040318)\n"
                       "編集中ファイル名：" + kSample + "\nプロジェクト名：港町ソレイユの商店\n");
}

// A file without project information opens under the rule and name given.
TEST(InfoCommand, TakesTheRuleAndNameOfAFileWithoutProjectInformation)
{
    TempFolder folder;
    folder.Put("plain.cgi", "@@ITEM\r\n\tno\t1\r\n");
    const TavaroRun run = RunTavaro({"info", "--rule", "標準 安定版(020728)", "--name", "無地", folder.Path("plain.cgi")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("対応するmakeitemルール：標準 安定版(020728)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("プロジェクト名：無地\n"), std::string::npos) << run.out;
}
