// Items as data text: field order, formats, comments, scripts and
// extension fields.
#include <gtest/gtest.h>

#include <string>

#include "document/data_writer.h"

namespace {

std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

// An item as the reader leaves it: every key of the item list (and the
// extension keys) with an empty value, and the free-comment entry.
Citemstruct& AddItem(CMerxDocument& doc)
{
    Citemstruct* item = doc.itemdata.Add();
    for (const CMerxString& key : doc.itemkeys)
        item->fields.GetOrInsert(key);
    for (const CMerxString& key : doc.itemextkeys)
        item->fields.GetOrInsert(key);
    item->comments.GetOrInsert("");
    return *item;
}

class WriterItem : public ::testing::Test {
protected:
    void SetUp() override { doc.RebuildKeyLists(false, false); }

    std::string Write(const Citemstruct& item) const { return Text(CMerxWriter(doc).WriteItem(item)); }

    CMerxDocument doc;
};

} // namespace

TEST_F(WriterItem, KeywordLineAloneForAnItemWithoutFields)
{
    EXPECT_EQ(Write(AddItem(doc)), "@@ITEM\r\n");
}

TEST_F(WriterItem, FieldsFollowTheKeyListNotTheOrderOfSetting)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("price", "100");
    item.SetField("name", "\x8c\x95"); // 剣
    item.SetField("no", "1");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tno\t1\r\n\tname\t\x8c\x95\r\n\tprice\t100\r\n");
}

TEST_F(WriterItem, EmptyFieldsAreLeftOutWithTheirComments)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("no", "1");
    item.SetComment("code", "#unused");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tno\t1\r\n");
}

TEST_F(WriterItem, CommentStandsBehindItsFieldAfterATab)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("price", "100");
    item.SetComment("price", "# sale price");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tprice\t100\t# sale price\r\n");
}

TEST_F(WriterItem, CommentOnlyLinesComeFirstUnchanged)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("no", "1");
    item.SetComment("", "\t# first\r\n\t# second\r\n");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\t# first\r\n\t# second\r\n\tno\t1\r\n");
}

TEST_F(WriterItem, ValuesAndCommentsAreCopiedByteForByte)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("info", "\x95\x5c %s %d 100%"); // 表 and printf-like text
    item.SetComment("info", "# \x83\x5c%");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tinfo\t\x95\x5c %s %d 100%\t# \x83\x5c%\r\n");
}

TEST_F(WriterItem, ScriptIsALocalBlockBehindTwoTabs)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("funct", "if a\r\n\tb\r\nend");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfunct\t_local_\r\n\t\tif a\r\n\t\t\tb\r\n\t\tend\r\n\t_local_\r\n");
}

TEST_F(WriterItem, OneLineScriptIsStillALocalBlock)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("funct", "x");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfunct\t_local_\r\n\t\tx\r\n\t_local_\r\n");
}

TEST_F(WriterItem, ScriptCommentStandsBehindTheLocalHeader)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("funct", "a\r\nb");
    item.SetComment("funct", "#script");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfunct\t_local_\t#script\r\n\t\ta\r\n\t\tb\r\n\t_local_\r\n");
}

TEST_F(WriterItem, EmptyScriptLinesKeepTheirIndentation)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("funct", "a\r\n\r\nb\r\n");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfunct\t_local_\r\n\t\ta\r\n\t\t\r\n\t\tb\r\n\t\t\r\n\t_local_\r\n");
}

TEST_F(WriterItem, StableRuleWritesScriptBetweenPlusAndBase)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("base", "2");
    item.SetField("funct", "f");
    item.SetField("plus", "1");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tplus\t1\r\n\tfunct\t_local_\r\n\t\tf\r\n\t_local_\r\n\tbase\t2\r\n");
}

TEST_F(WriterItem, BetaRuleWritesFlagAndScriptsBehindPoint)
{
    doc.RebuildKeyLists(true, false);
    Citemstruct& item = AddItem(doc);
    item.SetField("funcb", "b");
    item.SetField("funcs", "s");
    item.SetField("funct", "t");
    item.SetField("flag", "1");
    item.SetField("point", "5");
    item.SetField("base", "2");
    item.SetField("plus", "1");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tplus\t1\r\n\tbase\t2\r\n\tpoint\t5\r\n\tflag\t1\r\n"
                           "\tfunct\t_local_\r\n\t\tt\r\n\t_local_\r\n"
                           "\tfuncs\t_local_\r\n\t\ts\r\n\t_local_\r\n"
                           "\tfuncb\t_local_\r\n\t\tb\r\n\t_local_\r\n");
}

TEST_F(WriterItem, SameItemUnderStableAndBetaRuleDiffersInOrder)
{
    doc.RebuildKeyLists(true, false);
    Citemstruct& item = AddItem(doc);
    item.SetField("funct", "t");
    item.SetField("base", "2");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tbase\t2\r\n\tfunct\t_local_\r\n\t\tt\r\n\t_local_\r\n");
    doc.RebuildKeyLists(false, false);
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfunct\t_local_\r\n\t\tt\r\n\t_local_\r\n\tbase\t2\r\n");
}

TEST_F(WriterItem, ExtensionFieldsFollowInMapOrder)
{
    doc.AddItemExtensionKey("rare");
    doc.AddItemExtensionKey("color");
    Citemstruct& item = AddItem(doc);
    item.SetField("color", "red");
    item.SetField("rare", "3");
    item.SetComment("rare", "#r");
    item.SetField("point", "5");
    std::string expected = "@@ITEM\r\n\tpoint\t5\r\n";
    for (auto [key, value] : item.fields) {
        if (std::string(key) == "color")
            expected += "\tcolor\tred\r\n";
        if (std::string(key) == "rare")
            expected += "\trare\t3\t#r\r\n";
    }
    EXPECT_EQ(Write(item), expected);
}

// An item read under a beta rule keeps funcs when a stable rule is applied;
// written as one line, its script lines would stand in the file as item
// lines of their own.
TEST_F(WriterItem, ScriptOutsideTheKeyListIsStillALocalBlock)
{
    doc.RebuildKeyLists(true, false);
    Citemstruct& item = AddItem(doc);
    item.SetField("funcs", "a\r\nb");
    doc.RebuildKeyLists(false, false);
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tfuncs\t_local_\r\n\t\ta\r\n\t\tb\r\n\t_local_\r\n");
}

TEST_F(WriterItem, IncludesComeOutOneLineEach)
{
    doc.RebuildKeyLists(false, true);
    Citemstruct& item = AddItem(doc);
    item.SetField("no", "1");
    item.SetField("@@include", "a.cgi\t#first\r\n\t@@include\tb.cgi");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tno\t1\r\n\t@@include\ta.cgi\t#first\r\n\t@@include\tb.cgi\r\n");
}

TEST_F(WriterItem, UsesFollowTheFieldsInOrder)
{
    Citemstruct& item = AddItem(doc);
    item.SetField("no", "1");
    item.uses.Add()->fields.GetOrInsert("name")->Assign("first");
    item.uses.Add()->fields.GetOrInsert("name")->Assign("second");
    EXPECT_EQ(Write(item), "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tname\tfirst\r\n\t@@USE\r\n\t\tname\tsecond\r\n");
}
