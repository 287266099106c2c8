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

// Only whole "###" key lines are cut: opening lines whose body runs into
// any other line are no block, stay as text, and the search goes on behind
// them.
TEST(ProjectInfoBlock, IsCutOnlyWhenEveryLineOfItIsAKeyLine)
{
    const std::string head = Block("").substr(0, Block("").rfind("###MERX"));
    const std::string items = "@@ITEM\n\tno\t1\n@@ITEM\n\tno\t2\n";
    const std::string whole = Block("###RuleKey=b\n###ProjectName=" + std::string(SJ("港=町")) + "\r\n");
    struct Case {
        const char* name;
        std::string text;
        int32_t offset; // where the block stands, -1 for none
        std::string block;
    };
    const Case cases[] = {
        {"at the top", whole + items, 0, whole},
        {"not at the top", items + whole + "@@DEFINE\n", 26, whole},
        {"empty body", items + Block(""), 26, Block("")},
        {"the first of two", items + whole + Block("###RuleKey=c\n"), 26, whole},
        {"opening lines twice", head + whole + items, static_cast<int32_t>(head.size()), whole},
        {"no closing line", head + "###RuleKey=a\n" + items, -1, ""},
        {"no closing line, a whole block further down", head + "###RuleKey=a\n" + items + whole + items,
         static_cast<int32_t>(head.size() + 13 + items.size()), whole},
        {"an item in the body", Block("###RuleKey=a\n" + items), -1, ""},
        {"free text in the body", Block("###RuleKey=a\ntext\n"), -1, ""},
        {"a \"###\" line without \"=\"", Block("###RuleKey=a\n###note\n"), -1, ""},
        {"section lines in the body", Block("[S]\n###PageID=2\n[EndSection]\n"), -1, ""},
        {"opening line inside a line", "x" + whole, -1, ""},
        // A lead byte never takes the line end after it.
        {"a line ending in a lead byte", items + Block("###RuleKey=a\x84\n###PageID=2\n"), 26,
         Block("###RuleKey=a\x84\n###PageID=2\n")},
        {"opening line behind a lead byte", "x\x84\n" + whole, 3, whole},
        {"closing line without its line end", whole.substr(0, whole.size() - 1), -1, ""},
        {"CR LF line ends", Block("###RuleKey=a\r\n").insert(head.find('\n'), "\r"), -1, ""},
    };
    for (const Case& c : cases) {
        CStr_base<16384> text(c.text.c_str());
        CStr_base<1024> body;
        uint32_t offset = 0;
        const bool cut = CutProjectInfoBlock(text, body, &offset);
        EXPECT_EQ(cut ? static_cast<int32_t>(offset) : -1, c.offset) << c.name;
        std::string rest = c.text;
        if (c.offset >= 0)
            rest.erase(c.offset, c.block.size());
        EXPECT_EQ(std::string(text.GetBuffer()), rest) << c.name;
        EXPECT_EQ(Block(body.GetBuffer()), cut ? c.block : Block("")) << c.name;
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
