// Values as the pages store them survive a save and a reopen (every
// element of the sample files, scripts and the definition among them, is
// checked with them); texts that would not come back are refused with a
// reason.
#include "document/reopen_check.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "document_test_helpers.h"

namespace {

struct ReopenCase {
    const char* name;
    char target;     // I item field, U use field, E event field, P event parameter, F function block,
                     // D definition, O other text in the middle, L the last other text
    const char* key; // the field, or the function block's keyword
    std::string value;
    std::string reason; // empty: the element survives
};

std::string Reason(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CStr_base<1024> reason;
    reason.FormatV(format, args);
    va_end(args);
    return reason.GetBuffer();
}

} // namespace

TEST(ReopenCheck, TextsThatWouldNotComeBackAreRefusedWithTheLinesToBlame)
{
    // The reasons, by the line they name.
    auto OtherBlock = [](int line, const char* text) {
        return Reason(SJ("[%d]：\"%s\"の行は別の要素の始まりとして読まれます。\n"), line, text);
    };
    auto Changes = [](int line, const char* text) {
        return Reason(SJ("[%d]：保存して開き直すと\"%s\"の行が変わります。\n"), line, text);
    };
    auto EndsTheData = [](int line, const char* text) {
        return Reason(SJ("[%d]：\"%s\"の行から後ろはすべてデータの終わりとして読まれます。\n"), line, text);
    };
    auto NotDefined = [](const char* kind, int line, const char* key) {
        return Reason(SJ("[%d]：%s：要素名\"%s\"は定義されていません。\n"), line, kind, key);
    };
    const ReopenCase cases[] = {
        {"ItemFieldWithAComment", 'I', "name", "a#b", Changes(3, "\tname\ta#b")},
        {"ItemFieldWithLeadingBlanks", 'I', "info", " x", Changes(3, "\tinfo\t x")},
        {"ItemFieldWithALineFeed", 'I', "name", "a\r\nb", NotDefined("@@ITEM", 4, "b")},
        {"ItemFieldWithABlockKeyword", 'I', "name", "a\r\n  @@EVENT x", OtherBlock(4, "@@EVENT x")},
        {"ItemScriptClosedEarly", 'I', "funct", "a\r\n_local_\r\nb",
         NotDefined("@@ITEM", 6, "b") + NotDefined("@@ITEM", 7, "_local_")},
        {"ItemScriptWithAnEnd", 'I', "funct", "a\r\n@@END", OtherBlock(5, "@@END")},
        {"ItemScriptWithAnItemKeyword", 'I', "funct", "@@ITEMNO\"a\"\r\n@@item_b", OtherBlock(5, "@@item_b")},
        {"ItemScriptNamingItems", 'I', "funct", "@@ITEMNO\"a\"\r\n@@itemno b", ""},
        {"ItemOneLineFieldWithTabs", 'I', "info", "a\tb c", ""},
        {"UseScriptWithAComment", 'U', "func", "call#1", Changes(5, "\t\tfunc\tcall#1")},
        {"UseScriptClosedEarly", 'U', "func", "_local_\r\nx\r\n_local_\r\ny",
         NotDefined("@@USE", 8, "y") + NotDefined("@@USE", 9, "_local_")},
        {"EventFieldWithAComment", 'E', "code", "e#1", Changes(2, "\tcode\te#1")},
        {"EventScriptClosedEarly", 'E', "func", "_local_\r\nx\r\n_local_ # end\r\ny",
         NotDefined("@@EVENT", 6, "y") + NotDefined("@@EVENT", 7, "_local_")},
        {"EventScriptBlock", 'E', "func", "_local_(a)\r\nx\r\n\ty", ""},
        {"EventParameterWithoutBlank", 'P', "", "p\t", ""},
        {"EventParameterWithALineFeed", 'P', "", "p 1\r\nq", NotDefined("@@EVENT", 4, "q")},
        {"FunctionWithAnItem", 'F', "@@FUNCNEW", "sub a {}\n@@ITEM\n\tno\t1\n", OtherBlock(3, "@@ITEM")},
        {"FunctionWithAnIndentedKeyword", 'F', "@@FUNCNEW", "x\n \t@@funcbuy\n", OtherBlock(3, "@@funcbuy")},
        {"FunctionWithoutLastLineFeed", 'F', "@@FUNCNEW", "sub a {\n}", ""},
        {"DefinitionWithARepeatedType", 'D', "", "@@DEFINE\ntype1 a\ntype1 b\n",
         SJ("[3]：@@DEFINE：\"type\" 種類IDが重複しています。\n")},
        {"DefinitionWithoutItsKeyword", 'D', "", "type1 a\n", SJ("[1]：@@DEFINEを認識できません。\n")},
        {"DefinitionWithASkip", 'D', "", "@@DEFINE\n@@SKIP\n", OtherBlock(2, "@@SKIP")},
        {"OtherTextWithAnEvent", 'O', "", "free\n@@EVENT\n", OtherBlock(2, "@@EVENT")},
        {"OtherTextWithAFunctionInLowerCase", 'O', "", "@@funcitem\n", OtherBlock(1, "@@funcitem")},
        {"OtherTextWithADefinitionBeforeTheDefinition", 'O', "", "@@DEFINE\n", OtherBlock(1, "@@DEFINE")},
        {"OtherTextWithADefinitionBehindTheDefinition", 'L', "", "@@DEFINE\n@@END\n", ""},
        {"OtherTextWithAnEndInTheMiddle", 'O', "", "free\n@@end\nx\n", EndsTheData(2, "@@end")},
        {"OtherTextWithAnUnclosedSkipInTheMiddle", 'O', "", "@@SKIP\n@@ITEM\n", EndsTheData(1, "@@SKIP")},
        {"OtherTextWithSkippedElements", 'O', "", "@@SKIP\n@@ITEM\n@@ENDSKIP\n@@IF a\n@@include b\n", ""},
        {"LastOtherTextWithAnEnd", 'L', "", "free\n@@END\n@@ITEM\n", ""},
        {"LastOtherTextWithAnItemBeforeTheEnd", 'L', "", "@@ITEM\n@@END\n", OtherBlock(1, "@@ITEM")},
    };
    for (const ReopenCase& c : cases) {
        dtest::Document doc;
        doc.Parse("@@ITEM\n\tno\t1\n\t@@USE\n\t\tname\tu\n@@EVENT\n\tcode\te\n\t\tparam\tp 0\n@@IF x\n@@DEFINE\n@@END\n");
        Citemstruct& item = doc.itemdata[0];
        Ceventstruct& event = doc.eventdata[0];
        const CMERX_base* element = &item;
        switch (c.target) {
        case 'I': item.SetField(c.key, c.value.c_str()); break;
        case 'U': item.uses[0].SetField(c.key, c.value.c_str()); break;
        case 'E': event.SetField(c.key, c.value.c_str()), element = &event; break;
        case 'P': event.params[0].Assign(c.value.c_str()), element = &event; break;
        case 'F': element = doc.FindFunction(c.key), doc.FindFunction(c.key)->text.Assign(c.value.c_str()); break;
        case 'D': element = &doc.definedata, doc.definedata.text.Assign(c.value.c_str()); break;
        case 'O': element = doc.setdata[2], doc.otherdata[0].text.Assign(c.value.c_str()); break;
        case 'L': element = *doc.setdata.GetLast(), doc.otherdata[1].text.Assign(c.value.c_str()); break;
        }
        CStr_base<1024> reason;
        EXPECT_EQ(SurvivesReopen(doc, *element, &reason), c.reason.empty()) << c.name;
        EXPECT_EQ(std::string(reason.GetBuffer()), c.reason) << c.name;
    }
}
