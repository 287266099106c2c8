// Reading items: fields, comments, messages, script blocks and includes.
#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

using dtest::Document;
using dtest::Field;

namespace {

// Parses one item text on its own and returns the messages.
std::string ReadItem(Document& doc, Citemstruct& item, const std::string& text, uint32_t& line)
{
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_TRUE(reader.ParseItem(item, text.c_str(), line));
    return doc.Messages();
}

std::string ReadItem(Document& doc, Citemstruct& item, const std::string& text)
{
    uint32_t line = 0;
    return ReadItem(doc, item, text, line);
}

} // namespace

TEST(ReaderItem, EveryKeyExistsAndEmptyMeansNotGiven)
{
    Document doc;
    doc.AddItemExtensionKey("rare");
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item, "@@ITEM\n\tno\t3\n"), "");
    for (const CMerxString& key : doc.itemkeys)
        EXPECT_NE(item.GetField(key), nullptr) << key.GetBuffer();
    EXPECT_EQ(Field(item, "no"), "3");
    EXPECT_EQ(Field(item, "name"), "");
    EXPECT_EQ(Field(item, "rare"), "");
    EXPECT_EQ(item.fields.GetCount(), doc.itemkeys.GetCount() + 1);
    EXPECT_EQ(Field(item, "funcs"), "<undefined>"); // a beta key under a stable rule
    EXPECT_NE(item.comments.Lookup(""), nullptr);
}

TEST(ReaderItem, ValueAndCommentOfAFieldLine)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item, SJ("@@ITEM\n\tprice\t100\t# 高い\n\tNAME   鋼の 剣  \n\tinfo\n")), "");
    EXPECT_EQ(Field(item, "price"), "100");
    EXPECT_STREQ(item.GetComment("price"), SJ("# 高い"));
    // Keys are lower-cased; the value keeps its inner blanks.
    EXPECT_EQ(Field(item, "name"), SJ("鋼の 剣"));
    EXPECT_STREQ(item.GetComment("name"), "");
    EXPECT_EQ(Field(item, "info"), "");
}

TEST(ReaderItem, ALaterLineReplacesTheValue)
{
    Document doc;
    Citemstruct item;
    ReadItem(doc, item, "@@ITEM\n\tprice\t1 # first\n\tprice\t2\n");
    EXPECT_EQ(Field(item, "price"), "2");
    EXPECT_STREQ(item.GetComment("price"), "# first");
}

TEST(ReaderItem, AHashInsideADoubleByteCharacterIsNoComment)
{
    // 0x81 0x23 is no character of its own, but its second byte is "#".
    Document doc;
    Citemstruct item;
    ReadItem(doc, item, "@@ITEM\n\tinfo\ta\x81#b # c\n");
    EXPECT_EQ(Field(item, "info"), "a\x81#b");
    EXPECT_STREQ(item.GetComment("info"), "# c");
}

TEST(ReaderItem, CommentOnlyLinesCollectUnderTheEmptyKey)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item, "@@ITEM # keyword line\n# one\n\tno\t1\n   #two  \n\n"), "");
    EXPECT_STREQ(item.GetComment(""), "\t# one\r\n\t#two  \r\n");
}

TEST(ReaderItem, LinesThatAreNoFieldsAreReportedAndLeftOut)
{
    Document doc;
    Citemstruct item;
    uint32_t line = 10;
    const std::string messages =
        ReadItem(doc, item, SJ("@@ITEM\n\tno\t1\n\t剣\t1 # c\n\tbogus\tx\n\tfunct\t1\n"), line);
    EXPECT_EQ(messages, std::string(SJ("[13]：@@ITEM：\"剣\t1\"を解析できません。\n")) +
                            SJ("[14]：@@ITEM：要素名\"bogus\"は定義されていません。\n") +
                            SJ("[15]：@@ITEM：\"funct\"：この項目は_local_以外の値を指定できません。\n"));
    EXPECT_EQ(line, 15u);
    EXPECT_EQ(Field(item, "funct"), "");
    // The comment of an unreadable line still joins the free comments.
    EXPECT_STREQ(item.GetComment(""), "\t# c\r\n");
}

TEST(ReaderItem, TextWithoutTheKeywordIsRefused)
{
    Document doc;
    Citemstruct item;
    uint32_t line = 4;
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    EXPECT_FALSE(reader.ParseItem(item, "\tno\t1\n", line));
    EXPECT_EQ(doc.Messages(), SJ("[5]：@@ITEMが見つかりません。\n"));
    EXPECT_EQ(line, 4u);
}

TEST(ReaderItem, ReadingAgainStartsFromAnEmptyItem)
{
    Document doc;
    Citemstruct item;
    ReadItem(doc, item, "@@ITEM\n\tno\t1\n\tname\tx # c\n@@USE\n\tname\tu\n");
    ReadItem(doc, item, "@@ITEM\n\tno\t2\n");
    EXPECT_EQ(Field(item, "name"), "");
    EXPECT_STREQ(item.GetComment("name"), "");
    EXPECT_EQ(item.uses.GetCount(), 0u);
}

TEST(ReaderItem, ScriptBlockLosesItsCommonIndentation)
{
    Document doc({true, false});
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item,
                       "@@ITEM\n\tfunct\t_local_ # turn\n\t\tmy $a = 1; # keep\n\t\t\tif ($a) {}\n\n\t_local_\n"
                       "\tfuncs\t_local_\n    x\n  _local_\n\tno\t5\n"),
              "");
    EXPECT_EQ(Field(item, "funct"), "my $a = 1; # keep\r\n\tif ($a) {}\r\n");
    EXPECT_STREQ(item.GetComment("funct"), "# turn");
    EXPECT_EQ(Field(item, "funcs"), "x");
    EXPECT_EQ(Field(item, "no"), "5");
}

TEST(ReaderItem, ScriptBlockClosesAtTheFirstLocalLine)
{
    Document doc;
    Citemstruct item;
    // Text in front of _local_ does not keep the line from closing the block;
    // _local_ followed by other text does not close it.
    EXPECT_EQ(ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n\t\ta(_local_);\n\t\tb\n\t\t$x = _local_ #\n\tno\t1\n"),
              "");
    EXPECT_EQ(Field(item, "funct"), "a(_local_);\r\nb");
    EXPECT_EQ(Field(item, "no"), "1");
    // Without a closing line the block runs to the end of the item.
    ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n\t\tx\n\t\tno\t2\n");
    EXPECT_EQ(Field(item, "funct"), "x\r\nno\t2\r\n");
    EXPECT_EQ(Field(item, "no"), "");
}

TEST(ReaderItem, ScriptBlockOfWhiteSpaceAloneKeepsItsLinesEmpty)
{
    Document doc;
    Citemstruct item;
    ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n\t\t\n  \n\t_local_\n");
    EXPECT_EQ(Field(item, "funct"), "\r\n");
    ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n\t\t \n\t_local_\n");
    EXPECT_EQ(Field(item, "funct"), "");
}

TEST(ReaderItem, WhiteSpaceLinesInsideAScriptKeepWhatLiesBeyondTheIndentation)
{
    Document doc;
    Citemstruct item;
    ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n\t\ta\n\t\n\t\t\t\n\t\tb\n\t_local_\n");
    EXPECT_EQ(Field(item, "funct"), "a\r\n\t\r\n\t\r\nb");
}

TEST(ReaderItem, DeepIndentationIsRemovedWhole)
{
    Document doc;
    Citemstruct item;
    const std::string deep(120, ' ');
    ReadItem(doc, item, "@@ITEM\n\tfunct\t_local_\n" + deep + "a\n" + deep + " b\n\t_local_\n");
    EXPECT_EQ(Field(item, "funct"), "a\r\n b");
}

TEST(ReaderItem, AnUnknownScriptBlockIsLeftOutWhole)
{
    // Under a stable rule "funcs" is no item key: its script lines must not
    // be read as fields of the item.
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item, "@@ITEM\n\tprice\t5\n\tfuncs\t_local_\n\t\tprice 9;\n\t_local_\n\tno\t1\n"),
              SJ("[3]：@@ITEM：要素名\"funcs\"は定義されていません。\n"));
    EXPECT_EQ(Field(item, "price"), "5");
    EXPECT_EQ(Field(item, "no"), "1");
}

TEST(ReaderItem, UsesTakeTheLinesBehindTheirStartLine)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item,
                       "@@ITEM\n\tno\t1\n\t@@USE x # dropped\n\t\tname\tdrink\n\t@@use\n\t\tname\teat\n\t\tno\t2\n"),
              SJ("[7]：@@USE：要素名\"no\"は定義されていません。\n"));
    ASSERT_EQ(item.uses.GetCount(), 2u);
    EXPECT_EQ(Field(item.uses[0], "name"), "drink");
    EXPECT_EQ(Field(item.uses[1], "name"), "eat");
    EXPECT_EQ(Field(item, "no"), "1");
    EXPECT_STREQ(item.GetComment(""), "");
}

TEST(ReaderItem, IncludeLinesJoinInOneField)
{
    Document doc({false, true});
    Citemstruct item;
    EXPECT_EQ(ReadItem(doc, item, "@@ITEM\n\t@@include\ta.cgi # first\n\tno\t1\n\t@@INCLUDE b.cgi\n"), "");
    EXPECT_EQ(Field(item, "@@include"), "a.cgi\t# first\r\n\t@@include\tb.cgi");
    EXPECT_STREQ(item.GetComment("@@include"), "");
    // Without the include-as-element flag the key is not defined.
    Document off;
    EXPECT_EQ(ReadItem(off, item, "@@ITEM\n\t@@include\ta.cgi\n"),
              SJ("[2]：@@ITEM：要素名\"@@include\"は定義されていません。\n"));
}
