#include "document/project_info.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/sjis_literal.h"

namespace {

std::string Block(const std::string& body)
{
    return SJ("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\n###MERX_PROJECT_INFO_BEGIN\n") + body +
           "###MERX_PROJECT_INFO_END\n";
}

} // namespace

TEST(ProjectInfoBlock, IsBuiltWithEveryKeyAndReadBackAsItWasWritten)
{
    CProjectInfo info;
    info.ruleKey = SJ("標準 ベータ版(040318)");
    info.projectName = SJ("港町=商店\\街"); // "=" and "\" must survive the escaping
    info.pageId = 4;
    info.itemId = 17;
    info.setId = 120;
    const std::string block = BuildProjectInfoBlock(info).GetBuffer();
    // The lines come in the settings tree's order.
    EXPECT_EQ(block, Block(std::string("###RuleName=\n###FuncID=-1\n###ProjectName=") + SJ("港町=商店\\\\街") +
                           "\n###RuleKey=" + SJ("標準 ベータ版(040318)") + "\n###EventID=-1\n###SetID=120\n###PageID=4\n"
                           "###ItemExID=-1\n###IconImagePath=..\\\\Image\n###ItemID=17\n###UseExID=-1\n"));

    CStr_base<16384> text((block + "@@DEFINE\n").c_str());
    CStr_base<1024> body;
    ASSERT_TRUE(CutProjectInfoBlock(text, body));
    EXPECT_STREQ(text.GetBuffer(), "@@DEFINE\n");
    const CProjectInfo back = ReadProjectInfoBody(body);
    EXPECT_STREQ(back.projectName, info.projectName);
    EXPECT_STREQ(back.ruleKey, info.ruleKey);
    EXPECT_STREQ(back.iconImagePath, "..\\Image");
    EXPECT_EQ(back.pageId * 1000000 + back.itemId * 1000 + back.setId, 4017120);
    EXPECT_EQ(back.itemExId + back.useExId + back.eventId + back.funcId, -4);
}

// The first block is cut wherever it stands; without its closing line, or
// with only one of the two opening lines, there is no block.
TEST(ProjectInfoBlock, IsCutWhereverItStandsAndOnlyOnce)
{
    const std::string block = Block("");
    for (const std::string& broken : {block.substr(0, block.size() - 25), block.substr(block.find('\n') + 1),
                                      "@@ITEM\n" + Block("###ProjectName=a\n") + "@@DEFINE\n" + Block("b\n")}) {
        CStr_base<16384> text(broken.c_str());
        CStr_base<1024> body;
        EXPECT_EQ(CutProjectInfoBlock(text, body), broken.starts_with("@@ITEM"));
        EXPECT_EQ(std::string(text.GetBuffer()), body.IsEmpty() ? broken : "@@ITEM\n@@DEFINE\n" + Block("b\n"));
        EXPECT_STREQ(body, broken.starts_with("@@ITEM") ? "###ProjectName=a\n" : "");
    }
}

TEST(ProjectInfoBlock, MissingAndUnreadableValuesTakeTheirDefaults)
{
    struct Case {
        const char* body;
        int32_t pageId;
        int32_t itemId;
    };
    const Case cases[] = {
        {"", 0, -1},
        {"###PageID=5\n###ItemID=42\n", 5, 42},
        {"###PageID=9\n", 0, -1}, // beyond the last tab
        {"###PageID=-1\n", 0, -1},
        {"###PageID=3x\n###ItemID=abc\n", 3, -1}, // "%d" reads the digits in front only
        {"###ItemID= -7\n", 0, -7},
        {"###ItemID=99999999999\n", 0, INT32_MAX},
        {"[Section]\n###PageID=2\n[EndSection]\n", 0, -1}, // not at the top: not the key
    };
    for (const Case& c : cases) {
        const CProjectInfo info = ReadProjectInfoBody(c.body);
        EXPECT_EQ(info.pageId, c.pageId) << c.body;
        EXPECT_EQ(info.itemId, c.itemId) << c.body;
        EXPECT_TRUE(info.ruleKey.IsEmpty()) << c.body;
        EXPECT_STREQ(info.iconImagePath, "..\\Image") << c.body;
        EXPECT_EQ(info.funcId, -1) << c.body;
    }
}
