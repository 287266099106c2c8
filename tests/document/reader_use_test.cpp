// Reading use entries: fields, lists and their comments, use/need/get lines,
// argselect, script blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

using dtest::Document;
using dtest::Field;
using dtest::List;
using Lines = std::vector<std::string>;

namespace {

// Parses an item made of `useLines` behind "@@ITEM\n\t@@USE\n"; the use
// text therefore starts on line 3.
std::string ReadUse(Document& doc, Citemstruct& item, const std::string& useLines)
{
    doc.m_strApplyError.Release();
    CMerxReader reader(doc);
    uint32_t line = 0;
    EXPECT_TRUE(reader.ParseItem(item, ("@@ITEM\n\t@@USE\n" + useLines).c_str(), line));
    EXPECT_EQ(item.uses.GetCount(), 1u);
    return doc.Messages();
}

} // namespace

TEST(ReaderUse, EveryFieldAndListExists)
{
    Document doc({true, true});
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    Citemstruct item;
    ReadUse(doc, item, "");
    const Cusestruct& use = item.uses[0];
    for (const CMerxString& key : doc.usekeys)
        EXPECT_NE(use.GetField(key), nullptr) << key.GetBuffer();
    for (const CMerxString& key : doc.uselistkeys) {
        EXPECT_NE(use.GetList(key), nullptr) << key.GetBuffer();
        EXPECT_NE(use.GetListComments(key), nullptr) << key.GetBuffer();
    }
    EXPECT_EQ(Field(use, "bonus"), "");
    EXPECT_EQ(List(use.GetList("drops")), Lines{});
    EXPECT_EQ(List(use.GetListComments("drops")), Lines{});
    EXPECT_EQ(use.GetList("bonus"), nullptr);
    EXPECT_EQ(use.GetField("@@include"), nullptr);
}

TEST(ReaderUse, UseNeedGetLinesBecomeFiveColumns)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item,
                      SJ("\t\t\tuse item 1 100\n\t\tNEED\t薬草  2\t\t50\t要る # 条件\n"
                         "\t\tget\ta\tb\tc\td\te\tf\n\t\tuse\n")),
              "");
    const Cusestruct& use = item.uses[0];
    EXPECT_EQ(List(use.GetList("ung")), (Lines{"use\titem\t1\t100\t", SJ("NEED\t薬草\t2\t50\t要る"),
                                               "get\ta\tb\tc\td", "use\t\t\t\t"}));
    EXPECT_EQ(List(use.GetListComments("ung")), (Lines{"", SJ("\t# 条件"), "", ""}));
}

TEST(ReaderUse, ListLinesKeepTheirOrderAndComments)
{
    Document doc({false, true});
    doc.AddUseExtensionKey("drops", true);
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item,
                      "\t\tjob\tsmith\t10 # good\n\t\tjob\n\t\tdrops\tgem\n\t\t@@include\tu.cgi\n\t\tjob\tcook 5\n"),
              "");
    const Cusestruct& use = item.uses[0];
    EXPECT_EQ(List(use.GetList("job")), (Lines{"smith\t10", "", "cook 5"}));
    EXPECT_EQ(List(use.GetListComments("job")), (Lines{"\t# good", "", ""}));
    EXPECT_EQ(List(use.GetList("drops")), (Lines{"gem"}));
    EXPECT_EQ(List(use.GetList("@@include")), (Lines{"u.cgi"}));
}

TEST(ReaderUse, TheUngListTakesUseNeedAndGetLinesOnly)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item, "\t\tung\tuse\tx\n"), SJ("[3]：@@USE：要素名\"ung\"は定義されていません。\n"));
    EXPECT_EQ(List(item.uses[0].GetList("ung")), Lines{});
}

TEST(ReaderUse, FieldsCommentsAndMessages)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item, SJ("\t\tname\t飲む # drink\n# free\n\t\t薬\n\t\tcode\tx\n\t\tfunci\t1\n")),
              std::string(SJ("[5]：@@USE：\"薬\"を解析できません。\n")) +
                  SJ("[6]：@@USE：要素名\"code\"は定義されていません。\n") +
                  SJ("[7]：@@USE：要素名\"funci\"は定義されていません。\n"));
    const Cusestruct& use = item.uses[0];
    EXPECT_EQ(Field(use, "name"), SJ("飲む"));
    EXPECT_STREQ(use.GetComment("name"), "# drink");
    EXPECT_STREQ(use.GetComment(""), "\t\t# free\r\n");
}

TEST(ReaderUse, ArgselectHoldsAHeadingAndPairsOfChoices)
{
    Document doc({true, false});
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item, SJ("\t\targselect\t選んで;a;甲;b;乙 # choice\n")), "");
    const Cusestruct& use = item.uses[0];
    EXPECT_EQ(Field(use, "argselect"), SJ("選んで"));
    EXPECT_STREQ(use.GetComment("argselect"), "# choice");
    EXPECT_EQ(List(use.GetList("argselect")), (Lines{SJ("a;甲"), SJ("b;乙")}));
    EXPECT_EQ(List(use.GetListComments("argselect")), (Lines{"", ""}));

    ReadUse(doc, item, "\t\targselect\th;p;q\n");
    EXPECT_EQ(Field(item.uses[0], "argselect"), "h");
    EXPECT_EQ(List(item.uses[0].GetList("argselect")), (Lines{"p;q"}));
}

TEST(ReaderUse, ArgselectWithTooFewOrAnEvenNumberOfPartsIsRefused)
{
    Document doc({true, false});
    Citemstruct item;
    const std::string refused = SJ("[3]：@@USE：\"argselect\"の書式を認識できません。\n");
    for (const char* value : {"h;p", "h", "", "h;a;b;c"}) {
        EXPECT_EQ(ReadUse(doc, item, std::string("\t\targselect\t") + value + "\n"), refused) << value;
        EXPECT_EQ(Field(item.uses[0], "argselect"), "");
        EXPECT_EQ(List(item.uses[0].GetList("argselect")), Lines{});
    }
    // Under a stable rule the key is not defined at all.
    Document stable;
    EXPECT_EQ(ReadUse(stable, item, "\t\targselect\th;p;q\n"),
              SJ("[3]：@@USE：要素名\"argselect\"は定義されていません。\n"));
}

TEST(ReaderUse, ScriptBlockLosesItsIndentationOnEveryLine)
{
    Document doc({true, false});
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item,
                      "\t\tfunc\t_local_ # act\n\t\t\tmy $a;\n\t\t\t\t$a++;\n\t\t_local_\n\t\tfuncb\tcall();\n"
                      "\t\tfunci\t_local_\n\t\t\n\t\t_local_\n\t\tname\tx\n"),
              "");
    const Cusestruct& use = item.uses[0];
    EXPECT_EQ(Field(use, "func"), "_local_\r\nmy $a;\r\n\t$a++;");
    EXPECT_STREQ(use.GetComment("func"), "# act");
    EXPECT_EQ(Field(use, "funcb"), "call();");
    EXPECT_EQ(Field(use, "funci"), "_local_\r\n");
    EXPECT_EQ(Field(use, "name"), "x");
}

TEST(ReaderUse, AnUnknownScriptBlockIsLeftOutWhole)
{
    Document doc;
    Citemstruct item;
    EXPECT_EQ(ReadUse(doc, item, "\t\tfunci\t_local_\n\t\t\tname = 1;\n\t\t_local_\n\t\tprice\t3\n"),
              SJ("[3]：@@USE：要素名\"funci\"は定義されていません。\n"));
    EXPECT_EQ(Field(item.uses[0], "name"), "");
    EXPECT_EQ(Field(item.uses[0], "price"), "3");
}
