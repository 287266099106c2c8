#include "document/project_info.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/sjis_literal.h"

namespace {

std::string Header()
{
    return SJ("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\n###MERX_PROJECT_INFO_BEGIN\n");
}

const std::string kFooter = "###MERX_PROJECT_INFO_END\n";

std::string Block(const std::string& body) { return Header() + body + kFooter; }

} // namespace

TEST(ProjectInfoBlock, IsBuiltWithEveryKeyAndReadBackAsItWasWritten)
{
    CProjectInfo info;
    info.ruleKey = SJ("標準 ベータ版(040318)");
    info.ruleName = SJ("標準 ベータ版(040318)");
    info.projectName = SJ("港町=商店\\街");  // "=" and "\" must survive the escaping
    info.pageId = 4;
    info.itemId = 17;
    info.eventId = 3;
    info.setId = 120;
    const std::string block = BuildProjectInfoBlock(info).GetBuffer();

    ASSERT_EQ(block.compare(0, Header().size(), Header()), 0);
    ASSERT_EQ(block.substr(block.size() - kFooter.size()), kFooter);
    for (const char* line : {"###PageID=4\n", "###ItemID=17\n", "###ItemExID=-1\n", "###UseExID=-1\n",
                             "###FuncID=-1\n", "###SetID=120\n", "###IconImagePath=..\\\\Image\n"})
        EXPECT_NE(block.find(line), std::string::npos) << line;

    CStr_base<16384> text((block + "@@DEFINE\n").c_str());
    CStr_base<1024> body;
    ASSERT_TRUE(CutProjectInfoBlock(text, body));
    EXPECT_STREQ(text.GetBuffer(), "@@DEFINE\n");
    const CProjectInfo back = ReadProjectInfoBody(body);
    EXPECT_STREQ(back.projectName.GetBuffer(), info.projectName.GetBuffer());
    EXPECT_STREQ(back.ruleKey.GetBuffer(), info.ruleKey.GetBuffer());
    EXPECT_STREQ(back.iconImagePath.GetBuffer(), "..\\Image");
    EXPECT_EQ(back.pageId, 4);
    EXPECT_EQ(back.itemId, 17);
    EXPECT_EQ(back.itemExId, -1);
    EXPECT_EQ(back.eventId, 3);
    EXPECT_EQ(back.setId, 120);
}

TEST(ProjectInfoBlock, IsCutWhereverItStandsAndOnlyOnce)
{
    const std::string block = Block("###ProjectName=a\n");
    CStr_base<16384> text(("@@ITEM\n\tno\t1\n" + block + "@@DEFINE\n" + Block("###ProjectName=b\n")).c_str());
    CStr_base<1024> body;
    ASSERT_TRUE(CutProjectInfoBlock(text, body));
    EXPECT_EQ(std::string(body.GetBuffer()), "###ProjectName=a\n");
    EXPECT_EQ(std::string(text.GetBuffer()), "@@ITEM\n\tno\t1\n@@DEFINE\n" + Block("###ProjectName=b\n"));

    // Without its closing line, or with only one of the two opening lines,
    // there is no block; the text stays as it is.
    for (const std::string& broken : {Header() + "###ProjectName=a\n", "###MERX_PROJECT_INFO_BEGIN\n" + kFooter,
                                      std::string("@@DEFINE\n")}) {
        CStr_base<16384> unchanged(broken.c_str());
        EXPECT_FALSE(CutProjectInfoBlock(unchanged, body));
        EXPECT_EQ(std::string(unchanged.GetBuffer()), broken);
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
        {"###PageID=9\n", 0, -1},              // beyond the last tab
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
        EXPECT_STREQ(info.iconImagePath.GetBuffer(), "..\\Image") << c.body;
        EXPECT_EQ(info.funcId, -1) << c.body;
    }
}
