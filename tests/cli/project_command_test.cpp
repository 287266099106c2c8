// "tavaro format" and "tavaro info", run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

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

// The reader's messages come in UTF-8, one a line. What a save would drop
// without a word is a reader line too (a field given twice, a sixth word of
// a use/need/get line): never written in place.
TEST(FormatCommand, ReportsReaderMessagesAndKeepsWhatASaveWouldDrop)
{
    TempFolder folder;
    folder.Put("bad.cgi", "@@ITEM\r\n\tno\t1\r\n\tstray\r\n");
    const TavaroRun bad = RunTavaro({"format", folder.Path("bad.cgi")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.substr(0, 6), "[3]：") << bad.err;
    for (const char* lost : {"@@ITEM\r\n\tno\t1\r\n\tno\t2\r\n",
                             "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tuse\t1\tx\t50\tm\textra\r\n"}) {
        folder.Put("lost.cgi", lost);
        EXPECT_EQ(RunTavaro({"format", "-o", folder.Path("lost.cgi"), folder.Path("lost.cgi")}).status, 2) << lost;
        EXPECT_EQ(folder.Get("lost.cgi"), lost);
    }
}

// A damaged project block keeps every item and its damaged lines as text,
// with either line end (the cases of damage are the block's own tests).
TEST(FormatCommand, ADamagedProjectBlockLosesNoItem)
{
    for (const std::string end : {"\n", "\r\n"}) {
        TempFolder folder;
        std::string text = Utf8ToCp932("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください") + end +
                           "###MERX_PROJECT_INFO_BEGIN" + end + "###RuleKey=old" + end;
        for (int no = 1; no <= 5; ++no)
            text += "@@ITEM" + end + "\tno\t" + std::to_string(no) + end + "\tname\titem" + end;
        folder.Put("data.cgi", text);
        const TavaroRun run = RunTavaro({"format", "--rule", "harbor-beta.sir", folder.Path("data.cgi")});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("###RuleKey=old\r\n"), std::string::npos);
        size_t items = 0;
        for (size_t at = run.out.find("\tname\titem\r\n"); at != std::string::npos; at = run.out.find("\tname\titem\r\n", at + 1))
            ++items;
        EXPECT_EQ(items, 5u);
    }
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

// The project page's counts and names; a file without project information
// opens under the rule and name given.
TEST(InfoCommand, ShowsWhatTheProjectPageShows)
{
    TempFolder folder;
    folder.Put("plain.cgi", "@@ITEM\r\n\tno\t1\r\n");
    ExpectRuns({
        {{"info", kSample}, 0,
         "アイテム数：48\nイベント数：13\n全オブジェクト数：87\n対応するmakeitemルール：標準 ベータ版(040318)\n"
         "編集中ファイル名：" + kSample + "\nプロジェクト名：港町ソレイユの商店\n", ""},
        {{"info", "--rule", "標準 安定版(020728)", "--name", "無地", folder.Path("plain.cgi")}, 0,
         "アイテム数：1\nイベント数：0\n全オブジェクト数：14\n対応するmakeitemルール：標準 安定版(020728)\n"
         "編集中ファイル名：" + folder.Path("plain.cgi") + "\nプロジェクト名：無地\n", ""},
    });
}
