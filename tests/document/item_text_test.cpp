// Items read from their text and written back: fields, comments, messages,
// script blocks, uses and includes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

using dtest::ElementCase;

namespace {

const char* const kDirtyItem = "@@ITEM\n# old\n\tno\t9 # n\n\tinfo\told\n\t@@USE\n\t\tname\told\n\t\tjob\told # j\n";

std::vector<ElementCase> ItemCases()
{
    const std::string deep(120, ' ');
    return {
        {"KeywordLineAlone", "@@ITEM 7 # rest of the line\n", "", {{"#", ""}, {"no", ""}}, "@@ITEM\r\n"},
        {"FieldsInKeyListOrderWithLowerCaseKeys",
         SJ("@@ITEM\n\tprice\t100\t# 高い\n\tNAME   鋼の 剣  \n\tinfo\n\tno 1\n"), "",
         {{"price", "100"}, {"#price", SJ("# 高い")}, {"name", SJ("鋼の 剣")}, {"#name", ""}, {"info", ""}},
         SJ("@@ITEM\r\n\tno\t1\r\n\tname\t鋼の 剣\r\n\tprice\t100\t# 高い\r\n")},
        {"ALaterLineReplacesTheValue", "@@ITEM\n\tprice\t1 # first\n\tprice\t2\n", "",
         {{"price", "2"}, {"#price", "# first"}}, "@@ITEM\r\n\tprice\t2\t# first\r\n"},
        // 0x81 0x23 is no character of its own, but its second byte is "#".
        {"AHashInsideADoubleByteCharacterIsNoComment", "@@ITEM\n\tinfo\ta\x81#b # c\n", "",
         {{"info", "a\x81#b"}, {"#info", "# c"}}, "@@ITEM\r\n\tinfo\ta\x81#b\t# c\r\n"},
        {"ValuesAndCommentsAreCopiedByteForByte", "@@ITEM\n\tinfo\t\x95\x5c %s %d 100% # \x83\x5c%\n", "", {},
         "@@ITEM\r\n\tinfo\t\x95\x5c %s %d 100%\t# \x83\x5c%\r\n"},
        {"CommentOnlyLinesComeFirst", "@@ITEM # keyword line\n# one\n\tno\t1\n   #two  \n\tname\tx\n\n", "",
         {{"#", "\t# one\r\n\t#two  \r\n"}}, "@@ITEM\r\n\t# one\r\n\t#two  \r\n\tno\t1\r\n\tname\tx\r\n"},
        {"LinesThatAreNoFieldsAreReportedAndLeftOut",
         SJ("@@ITEM\n\tno\t1\n\t剣\t1 # c\n\tbogus\tx\n\tfunct\t1\n\tcode #unused\n"),
         std::string(SJ("[13]：@@ITEM：\"剣\t1\"を解析できません。\n")) +
             SJ("[14]：@@ITEM：要素名\"bogus\"は定義されていません。\n") +
             SJ("[15]：@@ITEM：\"funct\"：この項目は_local_以外の値を指定できません。\n"),
         // The comment of an unreadable line still joins the free comments;
         // an empty field is not written, nor is its comment.
         {{"funct", ""}, {"#", "\t# c\r\n"}, {"code", ""}, {"#code", "#unused"}},
         "@@ITEM\r\n\t# c\r\n\tno\t1\r\n", {}, 10},
        {"ScriptBlockLosesItsCommonIndentation",
         "@@ITEM\n\tfunct\t_local_ # turn\n\t\tmy $a = 1; # keep\n\t\t\tif ($a) {}\n\n\t_local_\n"
         "\tfuncs\t_local_\n    x\n  _local_\n\tno\t5\n",
         "",
         {{"funct", "my $a = 1; # keep\r\n\tif ($a) {}\r\n"}, {"#funct", "# turn"}, {"funcs", "x"}, {"no", "5"}},
         "@@ITEM\r\n\tno\t5\r\n\tfunct\t_local_\t# turn\r\n\t\tmy $a = 1; # keep\r\n\t\t\tif ($a) {}\r\n\t\t\r\n"
         "\t_local_\r\n\tfuncs\t_local_\r\n\t\tx\r\n\t_local_\r\n",
         {true, false}},
        // Text in front of _local_ does not keep a line from closing the
        // block; _local_ followed by other text does not close it.
        {"ScriptBlockClosesAtTheFirstLocalLine",
         "@@ITEM\n\tfunct\t_local_\n\t\ta(_local_);\n\t\tb\n\t\t$x = _local_ #\n\tno\t1\n", "",
         {{"funct", "a(_local_);\r\nb"}, {"no", "1"}},
         "@@ITEM\r\n\tno\t1\r\n\tfunct\t_local_\r\n\t\ta(_local_);\r\n\t\tb\r\n\t_local_\r\n"},
        {"ScriptBlockWithoutClosingLineRunsToTheEnd", "@@ITEM\n\tfunct\t_local_\n\t\tx\n\t\tno\t2\n", "",
         {{"funct", "x\r\nno\t2\r\n"}, {"no", ""}},
         "@@ITEM\r\n\tfunct\t_local_\r\n\t\tx\r\n\t\tno\t2\r\n\t\t\r\n\t_local_\r\n"},
        {"ScriptBlockOfWhiteSpaceLinesKeepsThemEmpty", "@@ITEM\n\tfunct\t_local_\n\t\t\n  \n\t_local_\n", "",
         {{"funct", "\r\n"}}, "@@ITEM\r\n\tfunct\t_local_\r\n\t\t\r\n\t\t\r\n\t_local_\r\n"},
        {"ScriptBlockOfOneBlankLineIsEmpty", "@@ITEM\n\tfunct\t_local_\n\t\t \n\t_local_\n", "", {{"funct", ""}},
         "@@ITEM\r\n"},
        {"WhiteSpaceLinesInsideAScriptKeepWhatLiesBeyondTheIndentation",
         "@@ITEM\n\tfunct\t_local_\n\t\ta\n\t\n\t\t\t\n\t\tb\n\t_local_\n", "", {{"funct", "a\r\n\t\r\n\t\r\nb"}},
         "@@ITEM\r\n\tfunct\t_local_\r\n\t\ta\r\n\t\t\t\r\n\t\t\t\r\n\t\tb\r\n\t_local_\r\n"},
        {"DeepIndentationIsRemovedWhole", "@@ITEM\n\tfunct\t_local_\n" + deep + "a\n" + deep + " b\n\t_local_\n", "",
         {{"funct", "a\r\n b"}}, "@@ITEM\r\n\tfunct\t_local_\r\n\t\ta\r\n\t\t b\r\n\t_local_\r\n"},
        {"StableRuleWritesAOneLineScriptBetweenPlusAndBase",
         "@@ITEM\n\tbase 2\n\tfunct _local_\n\t\tf\n\t_local_\n\tplus 1\n", "", {{"funct", "f"}},
         "@@ITEM\r\n\tplus\t1\r\n\tfunct\t_local_\r\n\t\tf\r\n\t_local_\r\n\tbase\t2\r\n"},
        {"BetaRuleWritesFlagAndScriptsBehindPoint",
         "@@ITEM\n\tfuncb _local_\n\t\tb\n\t_local_\n\tfuncs _local_\n\t\ts\n\t_local_\n\tfunct _local_\n\t\tt\n"
         "\t_local_\n\tflag 1\n\tpoint 5\n\tbase 2\n\tplus 1\n",
         "", {},
         "@@ITEM\r\n\tplus\t1\r\n\tbase\t2\r\n\tpoint\t5\r\n\tflag\t1\r\n\tfunct\t_local_\r\n\t\tt\r\n\t_local_\r\n"
         "\tfuncs\t_local_\r\n\t\ts\r\n\t_local_\r\n\tfuncb\t_local_\r\n\t\tb\r\n\t_local_\r\n",
         {true, false}},
        // Under a stable rule "funcs" is no item key: its script lines must
        // not be read as fields of the item.
        {"AnUnknownScriptBlockIsLeftOutWhole", "@@ITEM\n\tprice\t5\n\tfuncs\t_local_\n\t\tprice 9;\n\t_local_\n\tno\t1\n",
         SJ("[3]：@@ITEM：要素名\"funcs\"は定義されていません。\n"), {{"price", "5"}, {"no", "1"}},
         "@@ITEM\r\n\tno\t1\r\n\tprice\t5\r\n"},
        {"UsesTakeTheLinesBehindTheirStartLine",
         "@@ITEM\n\tno\t1\n\t@@USE x # dropped\n\t\tname\tdrink\n\t@@use\n\t\tname\teat\n\t\tno\t2\n",
         SJ("[7]：@@USE：要素名\"no\"は定義されていません。\n"), {{"no", "1"}, {"#", ""}},
         "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tname\tdrink\r\n\t@@USE\r\n\t\tname\teat\r\n"},
        {"IncludeLinesJoinInOneField", "@@ITEM\n\t@@include\ta.cgi # first\n\tno\t1\n\t@@INCLUDE b.cgi\n", "",
         {{"@@include", "a.cgi\t# first\r\n\t@@include\tb.cgi"}, {"#@@include", ""}},
         "@@ITEM\r\n\tno\t1\r\n\t@@include\ta.cgi\t# first\r\n\t@@include\tb.cgi\r\n", {false, true}},
        {"IncludeIsNoKeyWithoutTheFlag", "@@ITEM\n\t@@include\ta.cgi\n",
         SJ("[2]：@@ITEM：要素名\"@@include\"は定義されていません。\n"), {}, "@@ITEM\r\n"},
        {"ExtensionFieldsFollowTheStandardOnes", "@@ITEM\n\trare\t3 #r\n\tpoint 5\n", "", {{"rare", "3"}},
         "@@ITEM\r\n\tpoint\t5\r\n\trare\t3\t#r\r\n"},
    };
}

class ItemText : public ::testing::TestWithParam<ElementCase> {};

} // namespace

TEST_P(ItemText, ReadAndWrittenBack)
{
    dtest::ExpectElementCase<Citemstruct>(GetParam(), kDirtyItem);
}

INSTANTIATE_TEST_SUITE_P(Rows, ItemText, ::testing::ValuesIn(ItemCases()), dtest::CaseName);
