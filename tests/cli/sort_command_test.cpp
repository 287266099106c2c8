// "tavaro sort", run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../document/document_test_helpers.h"
#include "../temp_folder.h"
#include "foundation/cp932.h"
#include "run_tavaro.h"

namespace {

// 弓 stands alone behind the "@@IF" line: no key moves it.
const std::string kItems = DataFile({"@@ITEM", "\tno\t2", "\tname\t盾", "\tprice\tabc", "# between", "@@ITEM",
                                     "\tno\t1", "\tname\t剣", "\tprice\t100", "@@IF\tx", "@@ITEM", "\tno\t0",
                                     "\tname\t弓", "\tprice\t5", "@@END"});

TEST(SortCommand, PrintsTheNewOrderAndWritesOnlyAChangedOrder)
{
    TempFolder folder;
    folder.Put("a.cgi", kItems);
    const std::string file = folder.Path("a.cgi");
    // A sort of an empty project says so on standard error.
    folder.Put("e.cgi", DataFile({"@@EVENT", "\tcode\te"}));
    ExpectRuns({
        {{"sort", file}, 0, "ITEM[0]：剣\nITEM[1]：盾\nITEM[2]：弓\n", ""},
        {{"sort", "--key", "price", file}, 0, "ITEM[0]：盾\nITEM[1]：剣\nITEM[2]：弓\n", ""},
        {{"sort", file, "--key", "name", "--descending"}, 0, "ITEM[0]：盾\nITEM[1]：剣\nITEM[2]：弓\n", ""},
        {{"sort", folder.Path("e.cgi")}, 1, "", "tavaro sort: 整列する要素がありません\n"},
    });

    // -o writes the sorted project; the items stay on their side of the IF line.
    const std::string out = folder.Path("b.cgi");
    EXPECT_EQ(RunTavaro({"sort", "-o", out, file}).status, 0);
    const std::string sorted = Cp932ToUtf8(folder.Get("b.cgi"));
    EXPECT_LT(sorted.find("name\t剣"), sorted.find("name\t盾"));
    EXPECT_LT(sorted.find("name\t盾"), sorted.find("@@IF\tx"));
    EXPECT_GT(sorted.find("name\t弓"), sorted.find("@@IF\tx"));
    // Already in order: nothing written.
    const std::string none = folder.Path("c.cgi");
    EXPECT_EQ(RunTavaro({"sort", "-o", none, out}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(none));
}

// What the reader could not place is not in the document: -o is refused
// with status 2 even when the order is already right (the table of the
// write paths has an order that changes).
TEST(SortCommand, ReaderLinesRefuseTheOutputWhateverTheOrder)
{
    TempFolder folder;
    const std::string sorted = DataFile({"@@ITEM", "\tno\t1", "\tname\t剣", "@@ITEM", "\tno\t2", "\tname\t盾",
                                         "@@EVENT", "\tstray line"});
    folder.Put("sorted.cgi", sorted);
    const TavaroRun run = RunTavaro({"sort", "-o", folder.Path("sorted.cgi"), folder.Path("sorted.cgi")});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "ITEM[0]：剣\nITEM[1]：盾\n");
    EXPECT_EQ(folder.Get("sorted.cgi"), sorted);
}

// The section headers of the sample stand between the same item places
// after a sort: they belong to their place, not to the item before them.
TEST(SortCommand, TheSectionHeadersOfTheSampleStayInPlace)
{
    TempFolder folder;
    const TavaroRun run = RunTavaro({"sort", "--key", "name", "-o", folder.Path("sorted.cgi"), kSample});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string before = dtest::SampleFile("inc-item-data.cgi");
    const std::string sorted = dtest::ThroughFile(folder.Get("sorted.cgi"));
    ASSERT_NE(dtest::LinesAmongItems(sorted, "\tname\t"), dtest::LinesAmongItems(before, "\tname\t"));
    const auto headers = dtest::LinesAmongItems(before, "# ====");
    EXPECT_EQ(headers.size(), 24u);
    EXPECT_EQ(dtest::LinesAmongItems(sorted, "# ===="), headers);
    // Each still behind its blank line, right before an item.
    EXPECT_NE(sorted.find("\n\n# ====================================================================\n#  " +
                          Utf8ToCp932("武器") + "\n# ====================================================================\n@@ITEM\n"),
              std::string::npos);
}

} // namespace
