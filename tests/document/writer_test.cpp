// The whole document as data text, and the function blocks of the function
// page's direct edit.
#include <gtest/gtest.h>

#include <string>

#include "document/data_writer.h"

namespace {

std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

class WriterDocument : public ::testing::Test {
protected:
    void SetUp() override { doc.RebuildKeyLists(false, false); }

    Cotherstruct& AddOther(const char* text)
    {
        Cotherstruct* other = doc.otherdata.Add();
        other->text.Assign(text);
        *doc.setdata.Add() = other;
        return *other;
    }

    Citemstruct& AddItem(const char* no)
    {
        Citemstruct* item = doc.itemdata.Add();
        item->fields.GetOrInsert("no")->Assign(no);
        *doc.setdata.Add() = item;
        return *item;
    }

    Ceventstruct& AddEvent(const char* code)
    {
        Ceventstruct* event = doc.eventdata.Add();
        event->fields.GetOrInsert("code")->Assign(code);
        *doc.setdata.Add() = event;
        return *event;
    }

    Csinglestruct& AddFunction(const char* keyword, const char* text)
    {
        Csinglestruct* single = doc.FindFunction(keyword);
        single->text.Assign(text);
        *doc.setdata.Add() = single;
        return *single;
    }

    void AddDefine(const char* text)
    {
        doc.definedata.text.Assign(text);
        *doc.setdata.Add() = &doc.definedata;
    }

    std::string Write() const { return Text(CMerxWriter(doc).WriteDocument()); }
    std::string WriteFunctions() const { return Text(CMerxWriter(doc).WriteFunctionBlocks()); }

    CMerxDocument doc;
};

} // namespace

TEST_F(WriterDocument, EmptyArrangementGivesEmptyText)
{
    EXPECT_EQ(Write(), "");
}

TEST_F(WriterDocument, ElementsInArrangementOrder)
{
    AddOther("# head\n");
    AddEvent("e1");
    AddItem("1");
    AddDefine("@@DEFINE\ntype1\tsword\n");
    AddFunction("@@FUNCITEM", "sub a\n");
    AddItem("2");
    EXPECT_EQ(Write(), "# head\r\n"
                       "@@EVENT\r\n\tcode\te1\r\n"
                       "@@ITEM\r\n\tno\t1\r\n"
                       "@@DEFINE\r\ntype1\tsword\r\n"
                       "@@FUNCITEM\r\nsub a\r\n"
                       "@@ITEM\r\n\tno\t2\r\n");
}

TEST_F(WriterDocument, ArrangementOrderNotContainerOrder)
{
    AddItem("1");
    AddItem("2");
    doc.setdata.Exchange(0, 1);
    EXPECT_EQ(Write(), "@@ITEM\r\n\tno\t2\r\n@@ITEM\r\n\tno\t1\r\n");
}

TEST_F(WriterDocument, OtherTextEndingInLineFeedComesBackByteForByte)
{
    AddOther("free\n\n  text \t\n");
    EXPECT_EQ(Write(), "free\r\n\r\n  text \t\r\n");
}

TEST_F(WriterDocument, OtherTextWithoutFinalLineFeedGetsALineEnd)
{
    AddOther("last line");
    AddOther("x\n  ");
    EXPECT_EQ(Write(), "last line\r\nx\r\n  \r\n");
}

TEST_F(WriterDocument, OnlyOneFinalLineFeedIsDropped)
{
    AddOther("a\n\n\n");
    EXPECT_EQ(Write(), "a\r\n\r\n\r\n");
}

TEST_F(WriterDocument, EmptyOtherTextIsOneEmptyLine)
{
    AddOther("");
    EXPECT_EQ(Write(), "\r\n");
}

TEST_F(WriterDocument, LineFeedAsSecondByteOfACharacterIsNoLineEnd)
{
    AddOther("a\x81\nb\n");
    EXPECT_EQ(Write(), "a\x81\nb\r\n");
}

TEST_F(WriterDocument, CarriageReturnsInTextStay)
{
    AddOther("a\rb\r\n");
    EXPECT_EQ(Write(), "a\rb\r\r\n");
}

TEST_F(WriterDocument, DefinitionIsWrittenUnchanged)
{
    AddDefine("@@DEFINE  # types\n type1 sword\n\njob smith \x92\x62\x96\xe8\nset job_smith_time_rate 2\n");
    EXPECT_EQ(Write(), "@@DEFINE  # types\r\n type1 sword\r\n\r\njob smith \x92\x62\x96\xe8\r\n"
                       "set job_smith_time_rate 2\r\n");
}

TEST_F(WriterDocument, DefaultDefinition)
{
    AddDefine("@@DEFINE\n");
    EXPECT_EQ(Write(), "@@DEFINE\r\n");
}

TEST_F(WriterDocument, FunctionBlockUnderItsKeyword)
{
    AddFunction("@@FUNCSHOPOUT", "sub x {\n\treturn 1;\n}\n\n");
    EXPECT_EQ(Write(), "@@FUNCSHOPOUT\r\nsub x {\r\n\treturn 1;\r\n}\r\n\r\n");
}

TEST_F(WriterDocument, FunctionBlockWithoutFinalLineFeedGetsALineEnd)
{
    AddFunction("@@FUNCBUY", "a");
    EXPECT_EQ(Write(), "@@FUNCBUY\r\na\r\n");
}

TEST_F(WriterDocument, EmptyFunctionBlockIsNotWritten)
{
    AddOther("a\n");
    AddFunction("@@FUNCITEM", "");
    AddOther("b\n");
    EXPECT_EQ(Write(), "a\r\nb\r\n");
}

// The reader may put a function element into the arrangement twice (an
// empty block followed by one with text); written twice, the two blocks
// would be merged into one doubled text on the next reading.
TEST_F(WriterDocument, FunctionElementStandingTwiceIsWrittenOnce)
{
    Csinglestruct& single = AddFunction("@@FUNCINIT", "init\n");
    AddItem("1");
    *doc.setdata.Add() = &single;
    EXPECT_EQ(Write(), "@@FUNCINIT\r\ninit\r\n@@ITEM\r\n\tno\t1\r\n");
}

TEST_F(WriterDocument, UsesAreWrittenByTheirItemsOnly)
{
    Citemstruct& item = AddItem("1");
    Cusestruct* use = item.uses.Add();
    use->fields.GetOrInsert("name")->Assign("u");
    *doc.setdata.Add() = use;
    EXPECT_EQ(Write(), "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tname\tu\r\n");
}

TEST_F(WriterDocument, EndTailStaysLast)
{
    AddItem("1");
    AddDefine("@@DEFINE\n");
    AddOther("@@END\n@@ITEM\nno 9\n");
    EXPECT_EQ(Write(), "@@ITEM\r\n\tno\t1\r\n@@DEFINE\r\n@@END\r\n@@ITEM\r\nno 9\r\n");
}

TEST_F(WriterDocument, WholeItemAndEventWritersMatchTheDocument)
{
    Citemstruct& item = AddItem("1");
    Ceventstruct& event = AddEvent("e");
    CMerxWriter writer(doc);
    EXPECT_EQ(Write(), Text(writer.WriteItem(item)) + Text(writer.WriteEvent(event)));
}

TEST_F(WriterDocument, FunctionBlocksInKeywordOrderWithLineFeeds)
{
    doc.FindFunction("@@FUNCBUY")->text.Assign("buy\n");
    doc.FindFunction("@@FUNCITEM")->text.Assign("sub a\n\tx\n");
    doc.FindFunction("@@FUNCTURN")->text.Assign("turn");
    EXPECT_EQ(WriteFunctions(), "@@FUNCITEM\nsub a\n\tx\n@@FUNCTURN\nturn\n@@FUNCBUY\nbuy\n");
}

// The direct edit takes a block's text as everything behind its keyword
// line up to the next keyword, so a block's last line feed must not be
// followed by another one.
TEST_F(WriterDocument, FunctionBlocksKeepTheirTextThroughDirectEdit)
{
    doc.FindFunction("@@FUNCNEW")->text.Assign("a\n\nb\n\n");
    EXPECT_EQ(WriteFunctions(), "@@FUNCNEW\na\n\nb\n\n");
}

TEST_F(WriterDocument, NoFunctionBlocksWithoutText)
{
    EXPECT_EQ(WriteFunctions(), "");
}

TEST_F(WriterDocument, FunctionBlocksNeedNotStandInTheArrangement)
{
    doc.FindFunction("@@FUNCSALE")->text.Assign("s\n");
    EXPECT_EQ(WriteFunctions(), "@@FUNCSALE\ns\n");
    EXPECT_EQ(Write(), "");
}
