// A lead byte with no second byte behind it, at a line end and at the end
// of the file, run through "tavaro format" and "tavaro info".
#include <gtest/gtest.h>

#include <string>

#include "../temp_folder.h"
#include "run_tavaro.h"

TEST(StrayLeadByte, NeitherJoinsLinesNorGainsACarriageReturn)
{
    std::string data;
    for (int no = 1; no <= 60; ++no)
        data += "@@ITEM\r\n\tno\t" + std::to_string(no) + "\r\n\tname\tSword\r\n\tinfo\tsharp\x81\r\n";
    data += "@@END\r\nfree\xe0";
    TempFolder folder;
    folder.Put("data.cgi", data);

    const TavaroRun info = RunTavaro({"info", folder.Path("data.cgi")});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, info.out.find('\n')), "アイテム数：60");

    const TavaroRun format = RunTavaro({"format", folder.Path("data.cgi")});
    ASSERT_EQ(format.status, 0) << format.err;
    const std::string blockEnd = "MERX_PROJECT_INFO_END\r\n";
    const size_t at = format.out.find(blockEnd);
    ASSERT_NE(at, std::string::npos) << format.out;
    // The definition and function blocks the reader adds stand before @@END.
    const std::string end = "@@DEFINE\r\n@@END\r\nfree\xe0\r\n";
    EXPECT_EQ(format.out.substr(at + blockEnd.size()), data.substr(0, data.find("@@END")) + end);
}
