// Events read from their text and written back: fields, comments behind a
// tab, parameters and script blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_helpers.h"

using dtest::ElementCase;

namespace {

const char* const kDirtyEvent = "@@EVENT\n# old\n\tcode\told # c\n\t\tparam\told # p\n";

std::vector<ElementCase> EventCases()
{
    return {
        {"KeywordLineAlone", "@@EVENT ev # rest\n", "", {{"#", ""}, {"param[]", ""}}, "@@EVENT\r\n"},
        {"FieldsInKeyListOrderWithCommentsBehindATab",
         SJ("@@EVENT\n# top\n\tinfo\tnews\n\tcode\train # 雨\n\tSTARTMSG\t雨が降る\n\tstart 10\n"), "",
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

class EventText : public ::testing::TestWithParam<ElementCase> {};

} // namespace

TEST_P(EventText, ReadAndWrittenBack)
{
    dtest::ExpectElementCase<Ceventstruct>(GetParam(), kDirtyEvent);
}

INSTANTIATE_TEST_SUITE_P(Rows, EventText, ::testing::ValuesIn(EventCases()), dtest::CaseName);
