// Items, use entries and events read from their text and written back:
// fields, comments, messages, script blocks, lists, parameters and
// includes. Every row is read over an element that already holds another
// (nothing of it may stay). That the written text reads back without a
// message as the same text is the reader fuzz target's check, over a seed
// of each row.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "document_test_helpers.h"

using namespace dtest;

namespace {

// One row of an element table: the element's text as read, what the reader
// reports, what the element then holds (keys as Look takes them), and the
// text the writer makes of it.
struct ElementCase {
    const char* name;
    std::string text;
    std::string messages;
    std::vector<std::pair<std::string, std::string>> holds;
    std::string written;
    Rule rule = {};
    uint32_t firstLine = 0; // lines of the data text before the element
};

void PrintTo(const ElementCase& row, std::ostream* out) { *out << row.name; }
std::string CaseName(const ::testing::TestParamInfo<ElementCase>& info) { return info.param.name; }

template <class Element>
bool Read(CMerxReader& reader, Element& element, const char* text, uint32_t& line)
{
    if constexpr (std::is_same_v<Element, Citemstruct>)
        return reader.ParseItem(element, text, line);
    else
        return reader.ParseEvent(element, text, line);
}

// Checks one row, under a rule with the item extension field "rare", the
// use extension field "bonus" and the use extension list "drops". `prefix`
// goes in front of the row's text and `writtenPrefix` in front of its
// written text; `view` picks what the row looks at. The line counter must
// pass every line feed of the text.
template <class Element>
void ExpectElementCase(const ElementCase& row, const char* dirty, const std::string& prefix = "",
                       const std::string& writtenPrefix = "",
                       const std::function<const CMerxFieldElement&(const Element&)>& view =
                           [](const Element& element) -> const CMerxFieldElement& { return element; })
{
    SCOPED_TRACE(row.name);
    Document doc(row.rule);
    doc.AddItemExtensionKey("rare");
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    CMerxReader reader(doc);
    Element element;
    uint32_t line = 0;
    ASSERT_TRUE(Read(reader, element, dirty, line));

    const std::string text = prefix + row.text;
    reader.ClearMessages();
    line = row.firstLine;
    ASSERT_TRUE(Read(reader, element, text.c_str(), line));
    EXPECT_EQ(std::string(reader.Messages().GetBuffer()), row.messages);
    EXPECT_EQ(line, row.firstLine + std::count(text.begin(), text.end(), '\n'));
    for (const auto& [key, value] : row.holds)
        EXPECT_EQ(Look(view(element), key), value) << key;

    EXPECT_EQ(Text(CMerxWriter(doc).WriteElement(element)), writtenPrefix + row.written);
}

const char* const kDirtyItem = "@@ITEM\n# old\n\tno\t9 # n\n\tinfo\told\n\t@@USE\n\t\tname\told\n\t\tjob\told # j\n";

std::vector<ElementCase> ItemCases()
{
    const std::string deep(120, ' ');
    return {
        {"FieldsInKeyListOrderWithLowerCaseKeys",
         SJ("@@ITEM\n\tprice\t100\t# 高い\n\tNAME   鋼の 剣  \n\tinfo\n\tno 1\n"), "",
         {{"price", "100"}, {"#price", SJ("# 高い")}, {"name", SJ("鋼の 剣")}, {"#name", ""}, {"info", ""}},
         SJ("@@ITEM\r\n\tno\t1\r\n\tname\t鋼の 剣\r\n\tprice\t100\t# 高い\r\n")},
        // The earlier value is lost, and the reader says so.
        {"ALaterLineReplacesTheValueAndIsReported", "@@ITEM\n\tprice\t1 # first\n\tprice\t2\n",
         SJ("[3]：@@ITEM：要素名\"price\"が重複しています。後の値を使います。\n"),
         {{"price", "2"}, {"#price", "# first"}}, "@@ITEM\r\n\tprice\t2\t# first\r\n"},
        // "#" is never a second byte: behind a lead byte it starts the
        // comment, and a lead byte ends the value before a line end.
        {"AHashBehindALeadByteStartsTheComment", "@@ITEM\n\tinfo\ta\x81#b # c\n\tname\tx\x81\n", "",
         {{"info", "a\x81"}, {"#info", "#b # c"}, {"name", "x\x81"}},
         "@@ITEM\r\n\tname\tx\x81\r\n\tinfo\ta\x81\t#b # c\r\n"},
        {"ValuesAndCommentsAreCopiedByteForByte", "@@ITEM\n\tinfo\t\x95\x5c %s %d 100% # \x83\x5c%\n", "", {},
         "@@ITEM\r\n\tinfo\t\x95\x5c %s %d 100%\t# \x83\x5c%\r\n"},
        // What else stands on the keyword line goes without a message.
        {"CommentOnlyLinesComeFirst", "@@ITEM 7 # keyword line\n# one\n\tno\t1\n   #two  \n\tname\tx\n\n", "",
         {{"#", "\t# one\r\n\t#two  \r\n"}}, "@@ITEM\r\n\t# one\r\n\t#two  \r\n\tno\t1\r\n\tname\tx\r\n"},
        {"LinesThatAreNoFieldsAreReportedAndLeftOut",
         SJ("@@ITEM\n\tno\t1\n\t剣\t1 # c\n\tbogus\tx\n\tfunct\t1\n\tcode #unused\n"),
         std::string(SJ("[13]：@@ITEM：\"剣\t1\"を解析できません。\n")) +
             SJ("[14]：@@ITEM：要素名\"bogus\"は定義されていません。\n") +
             SJ("[15]：@@ITEM：\"funct\"：この項目は_local_以外の値を指定できません。\n"),
         // The comment of an unreadable line still joins the free comments;
         // an empty field is not written, but its comment stays on its line.
         {{"funct", ""}, {"#", "\t# c\r\n"}, {"code", ""}, {"#code", "#unused"}},
         "@@ITEM\r\n\t# c\r\n\tno\t1\r\n\tcode\t\t#unused\r\n", {}, 10},
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
        // The comment of a start line stays on it; what else stands there
        // is reported.
        {"UsesTakeTheLinesBehindTheirStartLine",
         "@@ITEM\n\tno\t1\n\t@@USE x # kept\n\t\tname\tdrink\n\t@@use\n\t\tname\teat\n\t\tno\t2\n",
         std::string(SJ("[3]：@@USE：\"x\"を解析できません。\n")) + SJ("[7]：@@USE：要素名\"no\"は定義されていません。\n"),
         {{"no", "1"}, {"#", ""}},
         "@@ITEM\r\n\tno\t1\r\n\t@@USE\t# kept\r\n\t\tname\tdrink\r\n\t@@USE\r\n\t\tname\teat\r\n"},
        {"IncludeLinesJoinInOneField", "@@ITEM\n\t@@include\ta.cgi # first\n\tno\t1\n\t@@INCLUDE b.cgi\n", "",
         {{"@@include", "a.cgi\t# first\r\n\t@@include\tb.cgi"}, {"#@@include", ""}},
         "@@ITEM\r\n\tno\t1\r\n\t@@include\ta.cgi\t# first\r\n\t@@include\tb.cgi\r\n", {false, true}},
        {"IncludeIsNoKeyWithoutTheFlag", "@@ITEM\n\t@@include\ta.cgi\n",
         SJ("[2]：@@ITEM：要素名\"@@include\"は定義されていません。\n"), {}, "@@ITEM\r\n"},
        {"ExtensionFieldsFollowTheStandardOnes", "@@ITEM\n\trare\t3 #r\n\tpoint 5\n", "", {{"rare", "3"}},
         "@@ITEM\r\n\tpoint\t5\r\n\trare\t3\t#r\r\n"},
    };
}

const char* const kDirtyUseItem = "@@ITEM\n\tno\t9\n\t@@USE\n# u\n\t\tname\told # n\n\t\tjob\told # j\n\t\tuse a b\n";

std::vector<ElementCase> UseCases()
{
    const Rule beta{true, false};
    auto refused = [](int line) {
        return "[" + std::to_string(line) + SJ("]：@@USE：\"argselect\"の書式を認識できません。\n");
    };
    return {
        // A field repeats only within one entry; list lines repeat freely.
        {"AFieldGivenTwiceIsReportedAndListsRepeat", "\t\tname\ta\n\t\tjob\tx\n\t\tjob\ty\n\t\tname\tb\n",
         SJ("[6]：@@USE：要素名\"name\"が重複しています。後の値を使います。\n"), {{"name", "b"}, {"job[]", "x|y|"}},
         "\t\tname\tb\r\n\t\tjob\tx\r\n\t\tjob\ty\r\n"},
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
         SJ("[5]：@@USE：use/need/get の6語目以降は使われません。\n"),
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
         {{"bonus", "red"}, {"drops[]", "gem 1||"}, {"#drops[]", "\t#d||"}, {"bonus[]", "<undefined>"}},
         "\t\t\tget\tx\ty\tz\tw\r\n\t\tbonus\tred\t#c\r\n\t\tdrops\tgem 1\t#d\r\n"},
        {"ArgselectHeadingAndChoicesMakeOneLineBehindTheFields",
         SJ("\t\tjob\tsmith 1\n\t\targselect\t選んで;a;甲;b;乙 # choice\n\t\tinfo\ti\n\t\tfunci\tg\n"), "",
         {{"argselect", SJ("選んで")}, {"#argselect", "# choice"}, {"argselect[]", SJ("a;甲|b;乙|")},
          {"#argselect[]", "||"}},
         SJ("\t\tinfo\ti\r\n\t\tfunci\tg\r\n\t\targselect\t選んで;a;甲;b;乙\t# choice\r\n\t\tjob\tsmith 1\r\n"), beta},
        {"ArgselectWithEmptyHeading", "\t\targselect\t;a;b\n", "", {{"argselect", ""}, {"argselect[]", "a;b|"}},
         "\t\targselect\t;a;b\r\n", beta},
        // Two parts, one, none and four.
        {"ArgselectOfOtherThanThreePartsIsRefused",
         "\t\targselect\th;p\n\t\targselect\th\n\t\targselect\t\n\t\targselect\th;a;b;c\n",
         refused(3) + refused(4) + refused(5) + refused(6), {{"argselect", ""}, {"argselect[]", ""}}, "", beta},
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

const char* const kDirtyEvent = "@@EVENT\n# old\n\tcode\told # c\n\t\tparam\told # p\n";

std::vector<ElementCase> EventCases()
{
    return {
        {"AFieldGivenTwiceIsReportedAndParamsRepeat", "@@EVENT\n\tcode\ta\n\tparam\tx 1\n\tparam\tx 1\n\tCODE\tb\n",
         SJ("[5]：@@EVENT：要素名\"code\"が重複しています。後の値を使います。\n"), {{"code", "b"}},
         "@@EVENT\r\n\tcode\tb\r\n\t\tparam\tx 1\r\n\t\tparam\tx 1\r\n"},
        {"FieldsInKeyListOrderWithCommentsBehindATab",
         SJ("@@EVENT ev # rest\n# top\n\tinfo\tnews\n\tcode\train # 雨\n\tSTARTMSG\t雨が降る\n\tstart 10\n"), "",
         {{"code", "rain"}, {"#code", SJ("\t# 雨")}, {"startmsg", SJ("雨が降る")}, {"#", "\t# top\r\n"}},
         SJ("@@EVENT\r\n\t# top\r\n\tstart\t10\r\n\tcode\train\t# 雨\r\n\tstartmsg\t雨が降る\r\n\tinfo\tnews\r\n")},
        {"ParametersWithoutABlankGetATab", "@@EVENT\n\t\tparam\tsale 20 # cheap\n\t\tparam\tlone\n\t\tPARAM\n\tcode\te\n", "",
         {{"param[]", "sale 20|lone\t|\t|"}, {"#param[]", "\t# cheap|||"}, {"param", "<undefined>"}},
         "@@EVENT\r\n\tcode\te\r\n\t\tparam\tsale 20\t# cheap\r\n\t\tparam\tlone\t\r\n\t\tparam\t\t\r\n"},
        {"LinesThatAreNoFieldsAreReportedAndLeftOut", SJ("@@EVENT\n\t雨\n\tbogus 1\n\tcode\tx\n"),
         std::string(SJ("[22]：@@EVENT：\"雨\"を解析できません。\n")) +
             SJ("[23]：@@EVENT：要素名\"bogus\"は定義されていません。\n"),
         {}, "@@EVENT\r\n\tcode\tx\r\n", {}, 20},
        // Every line of a block loses its indentation, the first one included.
        {"ScriptBlocksWithAndWithoutArgument",
         "@@EVENT\n\tstartfunc\t_local_ (a b) # begin\n\t\t\t\tif ($a) {\n\t\t\t\t\t$b++;\n\t\t\t\t}\n"
         "\t_local_\n\tendfunc\t_local_\n\t\tx;\n\t_local_\n\tfunc\tdone();\n\tcode\tc\n",
         "",
         {{"startfunc", "_local_ (a b)\r\nif ($a) {\r\n\t$b++;\r\n}"}, {"#startfunc", "\t# begin"},
          {"endfunc", "_local_\r\nx;"}, {"func", "done();"}},
         "@@EVENT\r\n\tcode\tc\r\n\tstartfunc\t_local_ (a b)\t# begin\r\n\t\tif ($a) {\r\n\t\t\t$b++;\r\n\t\t}\r\n"
         "\t_local_\r\n\tendfunc\t_local_\r\n\t\tx;\r\n\t_local_\r\n\tfunc\tdone();\r\n"},
        // After dropping two characters the lines hold "\tb" and "c": no
        // common indentation is left.
        {"ScriptLinesFirstLoseUpToTwoWhiteSpaceCharacters", "@@EVENT\n\tfunc\t_local_\n \t\tb\n  c\n\t_local_\n", "",
         {{"func", "_local_\r\n\tb\r\nc"}}, "@@EVENT\r\n\tfunc\t_local_\r\n\t\t\tb\r\n\t\tc\r\n\t_local_\r\n"},
        // Only the three script keys open blocks, and only with _local_ alone
        // or followed by a parenthesised text.
        {"OtherLocalValuesStayOneLine", "@@EVENT\n\tfunc\t_local_x\n\tcode\tc\n\tinfo\t_local_\n\tgroup\tg\n", "",
         {{"func", "_local_x"}, {"info", "_local_"}, {"group", "g"}},
         "@@EVENT\r\n\tcode\tc\r\n\tgroup\tg\r\n\tinfo\t_local_\r\n\tfunc\t_local_x\r\n"},
        {"ScriptBlockOfWhiteSpaceLinesKeepsThemEmpty", "@@EVENT\n\tfunc\t_local_(x)\n\t\t\t\n\t\t\n\t_local_\n", "",
         {{"func", "_local_(x)\r\n\r\n"}}, "@@EVENT\r\n\tfunc\t_local_(x)\r\n\t\t\r\n\t\t\r\n\t_local_\r\n"},
        {"EmptyScriptBlock", "@@EVENT\n\tendfunc _local_\n\t_local_\n", "", {{"endfunc", "_local_\r\n"}},
         "@@EVENT\r\n\tendfunc\t_local_\r\n\t\t\r\n\t_local_\r\n"},
        {"AnUnknownScriptBlockIsLeftOutWhole", "@@EVENT\n\tfuncx\t_local_(a)\n\t\tcode = 1;\n\t_local_\n\tinfo\ti\n",
         SJ("[2]：@@EVENT：要素名\"funcx\"は定義されていません。\n"), {{"code", ""}, {"info", "i"}},
         "@@EVENT\r\n\tinfo\ti\r\n"},
        {"IncludeLinesJoinInOneField", "@@EVENT\n\t@@include\ta.cgi\n\t@@include\tb.cgi # second\n", "",
         {{"@@include", "a.cgi\r\n\t@@include\tb.cgi\t# second"}},
         "@@EVENT\r\n\t@@include\ta.cgi\r\n\t@@include\tb.cgi\t# second\r\n", {false, true}},
        // The writer's trimming pattern also takes a CR behind the text;
        // replaced by the text before it, the CR would be lost.
        {"OneLineScriptKeepsALoneCarriageReturn", "@@EVENT\n\tcode e\n\tfunc\ta\rb  # s\n", "",
         {{"func", "a\rb"}, {"#func", "\t# s"}}, "@@EVENT\r\n\tcode\te\r\n\tfunc\ta\rb\t# s\r\n"},
    };
}

class ItemText : public ::testing::TestWithParam<ElementCase> {};
class UseText : public ::testing::TestWithParam<ElementCase> {};
class EventText : public ::testing::TestWithParam<ElementCase> {};

} // namespace

TEST_P(ItemText, ReadAndWrittenBack) { ExpectElementCase<Citemstruct>(GetParam(), kDirtyItem); }
// Each use row stands behind "@@ITEM\n\t@@USE\n", so its first line is line 3.
TEST_P(UseText, ReadAndWrittenBack)
{
    ExpectElementCase<Citemstruct>(GetParam(), kDirtyUseItem, "@@ITEM\n\t@@USE\n", "@@ITEM\r\n\t@@USE\r\n", OnlyUse);
}
TEST_P(EventText, ReadAndWrittenBack) { ExpectElementCase<Ceventstruct>(GetParam(), kDirtyEvent); }

INSTANTIATE_TEST_SUITE_P(Rows, ItemText, ::testing::ValuesIn(ItemCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Rows, UseText, ::testing::ValuesIn(UseCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Rows, EventText, ::testing::ValuesIn(EventCases()), CaseName);
