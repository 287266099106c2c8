// "tavaro item list" and "tavaro item rename", run as a user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

// A small project that names "剣" in every place the tracking visits, and
// "剣2", another name, beside it. `sword` is the name written in the
// places, `ref1` and `ref2` the references to it.
std::string Project(const std::string& sword, const std::string& ref1, const std::string& ref2)
{
    return DataFile({
        "@@ITEM",
        "\tno\t1",
        "\tcode\tsword",
        "\tname\t" + sword,
        "\tfunct\t_local_",
        "\t\t$a=" + ref1 + "+" + ref2 + "+@@ITEMNO\"剣2\";",
        "\t_local_",
        "\t@@USE",
        "\t\tname\t鍛える",
        "\t\tfunc\tf(" + ref1 + ")",
        "\t\t\tuse\t1\t" + sword,
        "\t\t\tneed\t1\t剣2",
        "\t\t\tget\t1\t" + sword,
        "@@ITEM",
        "\tno\t2",
        "\tcode\tshield",
        "\tname\t盾",
        "\tfunct\t_local_",
        "\t\treturn " + ref1 + ";",
        "\t_local_",
        "@@EVENT",
        "\tcode\tev",
        "\tstartfunc\t" + ref1,
        "\t\tparam\t" + sword + "\t70",
        "\t\tparam\t盾\t80",
        "@@FUNCITEM",
        "sub a { return " + ref1 + "; }",
    });
}
const std::string kProject = Project("剣", "@@ITEMNO\"剣\"", "@@itemno  \"剣\"");

} // namespace

// One line per item with its texts quoted; with --uses, before FILE or
// after it, each use entry follows its item.
TEST(ItemList, OneLinePerItemAndItsUses)
{
    const TavaroRun sample = RunTavaro({"item", "list", kSample});
    ASSERT_EQ(sample.status, 0) << sample.err;
    const std::string first = "0\t\"1\"\t\"wheat\"\t\"小麦\"\n1\t\"2\"\t\"flour\"\t\"小麦粉\"\n";
    EXPECT_EQ(sample.out.substr(0, first.size()), first);
    EXPECT_EQ(std::count(sample.out.begin(), sample.out.end(), '\n'), 48);

    TempFolder folder;
    folder.Put("data.cgi", DataFile({"@@ITEM", "\tno\t1", "\tname\t剣",
                                     "@@ITEM", "\tno\t2", "\tname\t盾",
                                     "\t@@USE", "\t\tname\t構える", "\t\tprice\t3",
                                     "\t@@USE", "\t\tname\t磨く", "\t\t\tuse\t1\t剣",
                                     "\t\t\tget\t2\t盾\t50%\t表\"光る\"\\盾\t# 注",
                                     "\t@@USE", "\t\tprice\t1", "\t\t\tneed\t1\t盾",
                                     "@@ITEM", "\tno\t3", "\tname\ta\"b\\c", "@@ITEM", "\tcode\tx"}));
    const std::string items = "0\t\"1\"\t\"\"\t\"剣\"\n1\t\"2\"\t\"\"\t\"盾\"\n";
    const std::string quoted = "2\t\"3\"\t\"\"\t\"a\\\"b\\\\c\"\n3\t\"\"\t\"x\"\t\"\"\n";
    // Every line has its five columns as stored, without its comment; the
    // second byte of 表 is that of a backslash and stays part of it.
    const std::string uses = items +
                             "\t@@USE[0]\t\"構える\"\t\"\"\n"
                             "\t@@USE[1]\t\"磨く\"\t\"use 1 剣   | get 2 盾 50% 表\\\"光る\\\"\\\\盾\"\n"
                             "\t@@USE[2]\t\"\"\t\"need 1 盾  \"\n" + quoted;
    ExpectRuns({
        {{"item", "list", folder.Path("data.cgi")}, 0, items + quoted, ""},
        {{"item", "list", "--uses", folder.Path("data.cgi")}, 0, uses, ""},
        {{"item", "list", folder.Path("data.cgi"), "--uses"}, 0, uses, ""},
    });
}

TEST(ItemRename, ReportsAndRefusals)
{
    struct Case {
        std::vector<std::string> args;  // after "item rename -o OUT FILE"
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--no-track", "0", "名剣"}, 0, "renamed ITEM[0] \"剣\" -> \"名剣\"\ntotal 0\n", ""},
        {{"0", "剣"}, 0, "unchanged ITEM[0]\n", ""},
        // Lines are split at blanks when read, references end at a double quote.
        {{"0", "名 剣"}, 0,
         "renamed ITEM[0] \"剣\" -> \"名 剣\"\ntracked ITEM[0] funct 2\ntracked ITEM[0] @@USE[0] func 1\n"
         "tracked ITEM[1] funct 1\ntracked EVENT[0] startfunc 1\ntracked FUNC[0] @@FUNCITEM 1\ntotal 6\n",
         "tavaro item: 新しいアイテム名に空白が含まれているため、use/need/getとparamの3行は更新しませんでした。\n"},
        {{"0", "名\"剣"}, 0,
         "renamed ITEM[0] \"剣\" -> \"名\\\"剣\"\ntracked ITEM[0] @@USE[0] ung 2\ntracked EVENT[0] param 1\ntotal 3\n",
         "tavaro item: 新しいアイテム名に\"が含まれているため、@@ITEMNO\"…\"の6箇所は更新しませんでした。\n"},
        {{"2", "x"}, 1, "", "tavaro item: no ITEM[2] (2 items)\n"},
        // Following a name that another item holds as well would merge the
        // two names for good (the item rename tests have the cases).
        {{"0", "盾"}, 1, "",
         "tavaro item: ITEM[1] is named \"盾\" too; following the rename would merge the two names (--no-track "
         "renames the item alone)\n"},
        {{"--no-track", "0", "盾"}, 0, "renamed ITEM[0] \"剣\" -> \"盾\"\ntotal 0\n", ""},
        {{"0", ""}, 1, "", "tavaro item: [name]\tアイテム名を入力してください。\n"},
        {{"0", "a#b"}, 1, "",
         "tavaro item: \"a#b\" cannot be an item name: it holds \"#\", which begins a comment in the file\n"},
    };
    TempFolder folder;
    folder.Put("data.cgi", kProject);
    for (const Case& c : cases) {
        std::vector<std::string> args = {"item", "rename", "-o", folder.Path("out.cgi"), folder.Path("data.cgi")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const TavaroRun run = RunTavaro(args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << run.err;
        // Nothing is written but a rename.
        EXPECT_EQ(std::filesystem::exists(folder.Path("out.cgi")), run.out.starts_with("renamed"));
        std::filesystem::remove(folder.Path("out.cgi"));
    }
}

// A rename that changes nothing refuses -o over lines the reader reported
// as every rename does (the table of the write paths); without -o nothing
// is lost.
TEST(ItemRename, AnUnchangedNameIsNeverWrittenOverUnreadLines)
{
    TempFolder folder;
    const std::string unread = DataFile({"@@ITEM", "\tno\t1", "\tname\t剣", "\tstray"});
    folder.Put("bad.cgi", unread);
    EXPECT_EQ(RunTavaro({"item", "rename", "-o", folder.Path("bad.cgi"), folder.Path("bad.cgi"), "0", "剣"}).status, 2);
    EXPECT_EQ(folder.Get("bad.cgi"), unread);
    const TavaroRun list = RunTavaro({"item", "list", folder.Path("bad.cgi")});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "0\t\"1\"\t\"\"\t\"剣\"\n");
}
