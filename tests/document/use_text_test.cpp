// Use entries read from their text and written back: fields, lists and
// their comments, use/need/get lines, argselect, script blocks. Each row's
// text stands behind "@@ITEM\n\t@@USE\n", so its first line is line 3.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

using dtest::ElementCase;

namespace {

const char* const kDirtyItem = "@@ITEM\n\tno\t9\n\t@@USE\n# u\n\t\tname\told # n\n\t\tjob\told # j\n\t\tuse a b\n";

std::vector<ElementCase> UseCases()
{
    const dtest::Rule beta{true, false};
    const std::string refused = SJ("[3]：@@USE：\"argselect\"の書式を認識できません。\n");
    const std::vector<std::pair<std::string, std::string>> nothingStored = {{"argselect", ""}, {"argselect[]", ""}};
    return {
        {"KeywordLineAlone", "", "", {{"name", ""}, {"#", ""}, {"job[]", ""}}, ""},
        {"FieldsCommentsAndMessages",
         SJ("\t\tname\t飲む # drink\n# free\n\t\t薬\n\t\tcode\tx\n\t\tfunci\t1\n\t\tinfo\ttext\n\t\tPRICE\t10 #p\n"),
         std::string(SJ("[5]：@@USE：\"薬\"を解析できません。\n")) +
             SJ("[6]：@@USE：要素名\"code\"は定義されていません。\n") +
             SJ("[7]：@@USE：要素名\"funci\"は定義されていません。\n"),
         {{"name", SJ("飲む")}, {"#name", "# drink"}, {"#", "\t\t# free\r\n"}},
         SJ("\t\t# free\r\n\t\tname\t飲む\t# drink\r\n\t\tprice\t10\t#p\r\n\t\tinfo\ttext\r\n")},
        {"UseNeedGetLinesBecomeFiveColumnsBehindFieldsAndJobs",
         SJ("\t\t\tuse item 1 100\n\t\tNEED\t薬草  2\t\t50\t要る # 条件\n\t\tget\ta\tb\tc\td\te\tf\n\t\tuse\n"
            "\t\tjob\tsmith\t10\n\t\tfuncb\tx\n"),
         "",
         {{"ung[]", SJ("use\titem\t1\t100\t|NEED\t薬草\t2\t50\t要る|get\ta\tb\tc\td|use\t\t\t\t|")},
          {"#ung[]", SJ("|\t# 条件|||")}},
         SJ("\t\tfuncb\tx\r\n\t\tjob\tsmith\t10\r\n\t\t\tuse\titem\t1\t100\r\n\t\t\tNEED\t薬草\t2\t50\t要る\t# 条件\r\n"
            "\t\t\tget\ta\tb\tc\td\r\n\t\t\tuse\r\n")},
        // Only the line being built loses its empty columns, so the tabs
        // that end a comment stay with every line, not only with the last.
        {"UseNeedGetCommentsKeepTheirTrailingTabs", "\t\tuse item 1 100 # pay\t\n\t\tget item 2 # win\n", "",
         {{"#ung[]", "\t# pay\t|\t# win|"}}, "\t\t\tuse\titem\t1\t100\t# pay\t\r\n\t\t\tget\titem\t2\t# win\r\n"},
        {"TheUngListTakesUseNeedAndGetLinesOnly", "\t\tung\tuse\tx\n",
         SJ("[3]：@@USE：要素名\"ung\"は定義されていません。\n"), {{"ung[]", ""}}, ""},
        {"ListLinesKeepTheirOrderAndComments",
         "\t\tjob\tsmith\t10 # good\n\t\tjob\n\t\tdrops\tgem\n\t\t@@include\tu.cgi\n\t\tjob\tcook 5\n", "",
         {{"job[]", "smith\t10||cook 5|"}, {"#job[]", "\t# good|||"}, {"drops[]", "gem|"}, {"@@include[]", "u.cgi|"}},
         "\t\tjob\tsmith\t10\t# good\r\n\t\tjob\tcook 5\r\n\t\t@@include\tu.cgi\r\n\t\tdrops\tgem\r\n", {false, true}},
        {"ExtensionFieldsAndListsFollowTheStandardLists",
         "\t\tdrops\tgem 1 #d\n\t\tbonus\tred #c\n\t\tdrops\n\t\tget x y z w\n", "",
         {{"bonus", "red"}, {"drops[]", "gem 1||"}, {"#drops[]", "\t#d||"}, {"bonus[]", "<undefined>|"}},
         "\t\t\tget\tx\ty\tz\tw\r\n\t\tbonus\tred\t#c\r\n\t\tdrops\tgem 1\t#d\r\n"},
        {"ArgselectHeadingAndChoicesMakeOneLineBehindTheFields",
         SJ("\t\tjob\tsmith 1\n\t\targselect\t選んで;a;甲;b;乙 # choice\n\t\tinfo\ti\n\t\tfunci\tg\n"), "",
         {{"argselect", SJ("選んで")}, {"#argselect", "# choice"}, {"argselect[]", SJ("a;甲|b;乙|")},
          {"#argselect[]", "||"}},
         SJ("\t\tinfo\ti\r\n\t\tfunci\tg\r\n\t\targselect\t選んで;a;甲;b;乙\t# choice\r\n\t\tjob\tsmith 1\r\n"), beta},
        {"ArgselectOfThreeParts", "\t\targselect\th;p;q\n", "", {{"argselect", "h"}, {"argselect[]", "p;q|"}},
         "\t\targselect\th;p;q\r\n", beta},
        {"ArgselectWithEmptyHeading", "\t\targselect\t;a;b\n", "", {{"argselect", ""}, {"argselect[]", "a;b|"}},
         "\t\targselect\t;a;b\r\n", beta},
        {"ArgselectOfTwoPartsIsRefused", "\t\targselect\th;p\n", refused, nothingStored, "", beta},
        {"ArgselectOfOnePartIsRefused", "\t\targselect\th\n", refused, nothingStored, "", beta},
        {"EmptyArgselectIsRefused", "\t\targselect\t\n", refused, nothingStored, "", beta},
        {"ArgselectOfFourPartsIsRefused", "\t\targselect\th;a;b;c\n", refused, nothingStored, "", beta},
        {"ArgselectIsNoKeyOfAStableRule", "\t\targselect\th;p;q\n",
         SJ("[3]：@@USE：要素名\"argselect\"は定義されていません。\n"), {}, ""},
        {"ScriptBlockLosesItsIndentationOnEveryLine",
         "\t\tfunc\t_local_ # act\n\t\t\tmy $a;\n\t\t\t\t$a++;\n\t\t_local_\n\t\tfuncb\tcall(); #f\n"
         "\t\tfunci\t_local_\n\t\t\n\t\t_local_\n\t\tname\tx\n",
         "",
         {{"func", "_local_\r\nmy $a;\r\n\t$a++;"}, {"#func", "# act"}, {"funcb", "call();"}, {"funci", "_local_\r\n"},
          {"name", "x"}},
         "\t\tname\tx\r\n\t\tfunc\t_local_\t# act\r\n\t\t\tmy $a;\r\n\t\t\t\t$a++;\r\n\t\t_local_\r\n"
         "\t\tfuncb\tcall();\t#f\r\n\t\tfunci\t_local_\r\n\t\t\t\r\n\t\t_local_\r\n",
         beta},
        {"AnUnknownScriptBlockIsLeftOutWhole", "\t\tfunci\t_local_\n\t\t\tname = 1;\n\t\t_local_\n\t\tprice\t3\n",
         SJ("[3]：@@USE：要素名\"funci\"は定義されていません。\n"), {{"name", ""}, {"price", "3"}},
         "\t\tprice\t3\r\n"},
    };
}

const CMerxFieldElement& OnlyUse(const Citemstruct& item)
{
    EXPECT_EQ(item.uses.GetCount(), 1u);
    return item.uses[0];
}

class UseText : public ::testing::TestWithParam<ElementCase> {};

} // namespace

TEST_P(UseText, ReadAndWrittenBack)
{
    dtest::ExpectElementCase<Citemstruct>(GetParam(), kDirtyItem, "@@ITEM\n\t@@USE\n", "@@ITEM\r\n\t@@USE\r\n",
                                          OnlyUse);
}

INSTANTIATE_TEST_SUITE_P(Rows, UseText, ::testing::ValuesIn(UseCases()), dtest::CaseName);
