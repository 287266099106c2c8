// Reading events: fields, comments, parameters and script blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

using dtest::Document;
using dtest::Field;
using dtest::List;
using Lines = std::vector<std::string>;

namespace {

std::string ReadEvent(Document& doc, Ceventstruct& event, const std::string& text, uint32_t& line)
{
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_TRUE(reader.ParseEvent(event, text.c_str(), line));
    return doc.Messages();
}

std::string ReadEvent(Document& doc, Ceventstruct& event, const std::string& text)
{
    uint32_t line = 0;
    return ReadEvent(doc, event, text, line);
}

} // namespace

TEST(ReaderEvent, FieldsAndCommentsBehindATab)
{
    Document doc;
    Ceventstruct event;
    EXPECT_EQ(ReadEvent(doc, event, SJ("@@EVENT\n# top\n\tcode\train # 雨\n\tSTARTMSG\t雨が降る\n")), "");
    for (const CMerxString& key : doc.eventkeys)
        EXPECT_NE(event.GetField(key), nullptr) << key.GetBuffer();
    EXPECT_EQ(Field(event, "code"), "rain");
    EXPECT_STREQ(event.GetComment("code"), SJ("\t# 雨"));
    EXPECT_EQ(Field(event, "startmsg"), SJ("雨が降る"));
    EXPECT_STREQ(event.GetComment(""), "\t# top\r\n");
}

TEST(ReaderEvent, ParametersWithoutABlankGetATab)
{
    Document doc;
    Ceventstruct event;
    EXPECT_EQ(ReadEvent(doc, event, "@@EVENT\n\t\tparam\tsale 20 # cheap\n\t\tparam\tlone\n\t\tPARAM\n"), "");
    EXPECT_EQ(List(&event.params), (Lines{"sale 20", "lone\t", "\t"}));
    EXPECT_EQ(List(&event.paramcomments), (Lines{"\t# cheap", "", ""}));
    EXPECT_EQ(event.GetField("param"), nullptr);
}

TEST(ReaderEvent, MessagesAndTheKeyword)
{
    Document doc;
    Ceventstruct event;
    uint32_t line = 20;
    EXPECT_EQ(ReadEvent(doc, event, SJ("@@EVENT\n\t雨\n\tbogus 1\n\tcode\tx\n"), line),
              std::string(SJ("[22]：@@EVENT：\"雨\"を解析できません。\n")) +
                  SJ("[23]：@@EVENT：要素名\"bogus\"は定義されていません。\n"));
    EXPECT_EQ(line, 24u);

    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_FALSE(reader.ParseEvent(event, "@@ITEM\n", line));
    EXPECT_EQ(doc.Messages(), SJ("[25]：@@EVENTを認識できません。\n"));
}

TEST(ReaderEvent, ScriptBlocksWithAndWithoutArgument)
{
    Document doc;
    Ceventstruct event;
    EXPECT_EQ(ReadEvent(doc, event,
                        "@@EVENT\n\tstartfunc\t_local_ (a b) # begin\n\t\t\t\tif ($a) {\n\t\t\t\t\t$b++;\n\t\t\t\t}\n"
                        "\t_local_\n\tendfunc\t_local_\n\t\tx;\n\t_local_\n\tfunc\tdone();\n\tcode\tc\n"),
              "");
    // Every line loses its indentation, the first one included.
    EXPECT_EQ(Field(event, "startfunc"), "_local_ (a b)\r\nif ($a) {\r\n\t$b++;\r\n}");
    EXPECT_STREQ(event.GetComment("startfunc"), "\t# begin");
    EXPECT_EQ(Field(event, "endfunc"), "_local_\r\nx;");
    EXPECT_EQ(Field(event, "func"), "done();");
    EXPECT_EQ(Field(event, "code"), "c");
}

TEST(ReaderEvent, ScriptLinesFirstLoseUpToTwoWhiteSpaceCharacters)
{
    Document doc;
    Ceventstruct event;
    // After dropping two characters the lines hold "\tb" and "c": no common
    // indentation is left.
    ReadEvent(doc, event, "@@EVENT\n\tfunc\t_local_\n \t\tb\n  c\n\t_local_\n");
    EXPECT_EQ(Field(event, "func"), "_local_\r\n\tb\r\nc");
}

TEST(ReaderEvent, OtherLocalValuesStayOneLine)
{
    Document doc;
    Ceventstruct event;
    ReadEvent(doc, event, "@@EVENT\n\tfunc\t_local_x\n\tcode\tc\n\tinfo\t_local_\n\tgroup\tg\n");
    EXPECT_EQ(Field(event, "func"), "_local_x");
    EXPECT_EQ(Field(event, "code"), "c");
    // Only the three script keys open blocks.
    EXPECT_EQ(Field(event, "info"), "_local_");
    EXPECT_EQ(Field(event, "group"), "g");
}

TEST(ReaderEvent, ScriptBlockOfWhiteSpaceAloneKeepsItsLinesEmpty)
{
    Document doc;
    Ceventstruct event;
    ReadEvent(doc, event, "@@EVENT\n\tfunc\t_local_(x)\n\t\t\t\n\t\t\n\t_local_\n");
    EXPECT_EQ(Field(event, "func"), "_local_(x)\r\n\r\n");
}

TEST(ReaderEvent, AnUnknownScriptBlockIsLeftOutWhole)
{
    Document doc;
    Ceventstruct event;
    EXPECT_EQ(ReadEvent(doc, event, "@@EVENT\n\tfuncx\t_local_(a)\n\t\tcode = 1;\n\t_local_\n\tinfo\ti\n"),
              SJ("[2]：@@EVENT：要素名\"funcx\"は定義されていません。\n"));
    EXPECT_EQ(Field(event, "code"), "");
    EXPECT_EQ(Field(event, "info"), "i");
}

TEST(ReaderEvent, IncludeLinesJoinInOneField)
{
    Document doc({false, true});
    Ceventstruct event;
    EXPECT_EQ(ReadEvent(doc, event, "@@EVENT\n\t@@include\ta.cgi\n\t@@include\tb.cgi # second\n"), "");
    EXPECT_EQ(Field(event, "@@include"), "a.cgi\r\n\t@@include\tb.cgi\t# second");
}
