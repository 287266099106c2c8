// Events as data text: fields, one-line and block scripts, parameters.
#include <gtest/gtest.h>

#include <string>

#include "document/data_writer.h"

namespace {

std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

class WriterEvent : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.RebuildKeyLists(false, false);
        for (const CMerxString& key : doc.eventkeys)
            event.fields.GetOrInsert(key);
        event.comments.GetOrInsert("");
    }

    void AddParam(const char* param, const char* comment = "")
    {
        event.params.Add()->Assign(param);
        event.paramcomments.Add()->Assign(comment);
    }

    std::string Write() const { return Text(CMerxWriter(doc).WriteEvent(event)); }

    CMerxDocument doc;
    Ceventstruct event;
};

} // namespace

TEST_F(WriterEvent, KeywordLineAloneForAnEmptyEvent)
{
    EXPECT_EQ(Write(), "@@EVENT\r\n");
}

TEST_F(WriterEvent, FieldsInKeyListOrderWithTabbedComments)
{
    event.SetField("info", "news");
    event.SetField("code", "ev1");
    event.SetComment("code", "\t#code");
    event.SetField("start", "10");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tstart\t10\r\n\tcode\tev1\t#code\r\n\tinfo\tnews\r\n");
}

TEST_F(WriterEvent, CommentOnlyLinesComeFirstUnchanged)
{
    event.SetField("code", "e");
    event.SetComment("", "\t# a\r\n");
    EXPECT_EQ(Write(), "@@EVENT\r\n\t# a\r\n\tcode\te\r\n");
}

TEST_F(WriterEvent, FieldsOutsideTheKeyListAreNotWritten)
{
    event.fields.GetOrInsert("extra")->Assign("x");
    event.SetField("code", "e");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tcode\te\r\n");
}

TEST_F(WriterEvent, OneLineScriptLosesTrailingBlanksAndTakesItsComment)
{
    event.SetField("startfunc", "stock_ge \t");
    event.SetComment("startfunc", "\t#s");
    event.SetField("endfunc", "stock_le");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tstartfunc\tstock_ge\t#s\r\n\tendfunc\tstock_le\r\n");
}

TEST_F(WriterEvent, OneLineScriptWithInnerBlanksStaysAsItIs)
{
    event.SetField("func", "call a  ");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\tcall a  \r\n");
}

// The trimming pattern also takes a CR behind the text; replaced by the
// text before it, the CR would be lost.
TEST_F(WriterEvent, OneLineScriptKeepsALoneCarriageReturn)
{
    event.SetField("func", "a\rb");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\ta\rb\r\n");
}

TEST_F(WriterEvent, LocalBlockScriptBehindTwoTabsWithClosingLine)
{
    event.SetField("func", "_local_\r\nif a\r\n\tb");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\t_local_\r\n\t\tif a\r\n\t\t\tb\r\n\t_local_\r\n");
}

TEST_F(WriterEvent, LocalBlockCommentStandsBehindTheHeader)
{
    event.SetField("func", "_local_\r\na");
    event.SetComment("func", "\t#block");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\t_local_\t#block\r\n\t\ta\r\n\t_local_\r\n");
}

TEST_F(WriterEvent, LocalBlockWithArgumentList)
{
    event.SetField("startfunc", "_local_ (a, b) \r\nx");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tstartfunc\t_local_ (a, b) \r\n\t\tx\r\n\t_local_\r\n");
}

TEST_F(WriterEvent, LocalAloneIsAnEmptyBlock)
{
    event.SetField("func", "_local_");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\t_local_\r\n\t_local_\r\n");
}

TEST_F(WriterEvent, LocalFollowedByOtherTextIsOneLine)
{
    event.SetField("func", "_local_x ");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tfunc\t_local_x\r\n");
}

TEST_F(WriterEvent, ParamsBehindTwoTabsWithComments)
{
    event.SetField("code", "e");
    AddParam("a\t1", "\t#first");
    AddParam("b\t");
    EXPECT_EQ(Write(), "@@EVENT\r\n\tcode\te\r\n\t\tparam\ta\t1\t#first\r\n\t\tparam\tb\t\r\n");
}

TEST_F(WriterEvent, ParamWithoutCommentEntry)
{
    event.params.Add()->Assign("p\t");
    EXPECT_EQ(Write(), "@@EVENT\r\n\t\tparam\tp\t\r\n");
}

TEST_F(WriterEvent, IncludesComeOutOneLineEach)
{
    doc.RebuildKeyLists(false, true);
    event.fields.GetOrInsert("@@include")->Assign("a.cgi\r\n\t@@include\tb.cgi");
    EXPECT_EQ(Write(), "@@EVENT\r\n\t@@include\ta.cgi\r\n\t@@include\tb.cgi\r\n");
}
