// "tavaro check", run as a user runs it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../temp_folder.h"
#include "foundation/cp932.h"
#include "run_tavaro.h"

namespace {

// A data file from UTF-8 lines with the type "食料品" defined.
std::string Typed(const std::vector<std::string>& lines)
{
    return Utf8ToCp932("@@DEFINE\r\ntype1\t食料品\r\n") + DataFile(lines);
}

const std::vector<std::string> kClean = {"@@ITEM", "\tno\t1", "\ttype\t食料品", "\tcode\twheat", "\tname\t小麦"};
const std::string kNone = "チェックの結果、問題は見つかりませんでした。\n";

} // namespace

TEST(CheckCommand, FindingsMessageAndExitStatus)
{
    TempFolder folder;
    // Two items of one number: one finding (the findings' kinds and texts
    // are the integrity check's tests).
    std::vector<std::string> twice = kClean;
    twice.insert(twice.end(), {"@@ITEM", "\tno\t1", "\ttype\t食料品", "\tcode\tbarley", "\tname\t大麦"});
    std::vector<std::string> stray = kClean;
    stray.push_back("\tstray");
    std::vector<std::string> strayTwice = twice;
    strayTwice.push_back("\tstray");
    folder.Put("clean.cgi", Typed(kClean));
    folder.Put("twice.cgi", Typed(twice));
    folder.Put("stray.cgi", Typed(stray));
    folder.Put("stray-twice.cgi", Typed(strayTwice));
    const std::string findings = "ITEM[0]：小麦\nITEM[1]：大麦\nINFO[0]：上記2つのアイテムNoが重複しています\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        bool readerLines;
    };
    const Case cases[] = {
        {{"check", folder.Path("clean.cgi")}, 0, kNone, false},
        {{"check", folder.Path("twice.cgi")}, 1, findings, false},
        {{"check", folder.Path("stray.cgi")}, 2, kNone, true},
        {{"check", "--include-elements", folder.Path("stray-twice.cgi")}, 1, findings, true},
    };
    for (const Case& c : cases) {
        const TavaroRun run = RunTavaro(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.back();
        EXPECT_EQ(run.err.empty(), !c.readerLines) << run.err;
    }
}
