// The function and definition pages' rules without a window: a block's
// text read back from its edit, the direct edit's twelve blocks, and the
// definition applied from its edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing_test_helpers.h"
#include "editing/define_text.h"
#include "editing/function_blocks.h"
#include "editing/function_text.h"
#include "foundation/cp932.h"

namespace {

using etest::CAnswer;

const std::string kAsk = "1 箇所に0x5c('\\')補完が必要と思われます。補完しますか？";

TEST(FunctionText, EditedTextsAreStoredWithLineFeedsAndCompletedUnlessTheyWouldSplit)
{
    struct Case {
        std::string typed; // "" keeps the shown text
        int32_t mode;
        bool yes;
        bool stored;
        std::string result; // the block's text, or the error lines
        std::vector<std::string> asked;
    };
    const std::string shown = "表示\r\n";
    const Case cases[] = {
        // Left alone: the stored bytes stay, even a "\" the text lacks.
        {"", 0, true, true, "表示\n", {}},
        {"ab\r\ncd\r\n", 0, true, true, "ab\ncd\n", {}},
        {"予定\r\n", 0, true, true, "予\\定\n", {kAsk}},
        {"予定\r\n", 0, false, true, "予定\n", {kAsk}},
        {"予定\r\n", 1, true, true, "予定\n", {}},
        {"予定\r\n", 2, false, true, "予\\定\n", {}},
        // A line the reader takes for the start of another block.
        {"a\r\n@@ITEM\r\n\tno\t1\r\n", 2, true, false, "[2]：\"@@ITEM\"の行は別の要素の始まりとして読まれます。\n", {}},
        {"a\r\nb\r\n  @@END\r\n", 2, true, false, "[3]：\"@@END\"の行は別の要素の始まりとして読まれます。\n", {}},
        {"@@IF $x\r\n", 2, true, false, "[1]：\"@@IF $x\"の行は別の要素の始まりとして読まれます。\n", {}},
        {"a\r\n@@FUNCNEW\r\n", 0, true, false, "[2]：\"@@FUNCNEW\"の行は別の要素の始まりとして読まれます。\n", {}},
    };
    dtest::Document doc;
    for (const Case& c : cases) {
        CMerxBlockText text(S("表示\n").c_str());
        CStr_base<16384> edit;
        ShowFunctionText(text.GetBuffer(), edit);
        ASSERT_EQ(U(edit), shown);
        const CStr_base<16384> now(c.typed.empty() ? edit : CStr_base<16384>(S(c.typed).c_str()));
        CAnswer question(c.yes);
        CStr_base<1024> errors;
        EXPECT_EQ(ReadBackFunctionText(doc, "@@FUNCTURN", edit, now, c.mode, question, text, errors), c.stored)
            << c.typed;
        EXPECT_EQ(c.stored ? U(text) : U(errors), c.result) << c.typed;
        if (!c.stored) {
            EXPECT_EQ(U(text), "表示\n");
        }
        EXPECT_EQ(question.asked, c.asked) << c.typed;
    }
}

TEST(FunctionBlocks, TheTextIsCutIntoTheTwelveBlocksOrRefusedWithNumberedLines)
{
    struct Case {
        std::string text;
        std::string errors;
        std::vector<std::pair<int, std::string>> texts; // the blocks with text
    };
    const Case cases[] = {
        {"@@FUNCITEM\na\n@@FUNCTURN\nb\nc\n", "", {{0, "a\n"}, {5, "b\nc\n"}}},
        {"@@FUNCBUY", "", {}},
        {"@@FUNCSALE \t\nx", "", {{10, "x"}}},
        // A keyword that stands twice gets both texts, as the reader joins them.
        {"@@FUNCNEW\na\n@@FUNCITEM\nx\n@@FUNCNEW\nb\n", "", {{0, "x\n"}, {7, "a\nb\n"}}},
        {"@@FUNCITEM\na\n@@ITEM\n\tno\t1\n@@FUNCNEW\n", "[3]：\"@@ITEM\" この項目をここで使うことはできません。\n", {}},
        {"text\n@@FUNCITEM\na\n", "[1]：\"text\" この項目をここで使うことはできません。\n", {}},
        {"@@funcitem\na\n", "[1]：\"@@funcitem\"を認識できません。\n", {}},
        {"@@FUNCITEM\n\n@@FUNCITEMS\n@@END\n@@FuncNew\n",
         "[3]：\"@@FUNCITEMS\"を認識できません。\n[4]：\"@@END\" この項目をここで使うことはできません。\n"
         "[5]：\"@@FuncNew\"を認識できません。\n",
         {}},
    };
    for (const Case& c : cases) {
        CFunctionTexts texts;
        texts.text[3].Assign("left over");
        CStr_base<1024> errors;
        EXPECT_EQ(ReadFunctionBlocks(S(c.text).c_str(), false, texts, errors), c.errors.empty()) << c.text;
        EXPECT_EQ(U(errors), c.errors) << c.text;
        if (!c.errors.empty())
            continue;
        std::vector<std::pair<int, std::string>> filled;
        for (int i = 0; i < static_cast<int>(MERX_FUNCTION_COUNT); ++i)
            if (!texts.text[i].IsEmpty())
                filled.emplace_back(i, U(texts.text[i]));
        EXPECT_EQ(filled, c.texts) << c.text;
    }
}

TEST(FunctionBlocks, StoringKeepsUntouchedBlocksAndCompletesTheEditedOnes)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S("@@FUNCITEM\n表\\示\n@@FUNCTURN\nturn\n@@FUNCSALE\nsale\n@@FUNCNEW\n表示")), "");
    const std::string written = dtest::Text(CMerxWriter(doc).WriteFunctionBlocks());

    // The writer's text comes back as it was: nothing is asked, the last
    // block keeps its text without the line feed that the writer adds.
    CFunctionTexts texts;
    CStr_base<1024> errors;
    ASSERT_TRUE(ReadFunctionBlocks(written.c_str(), false, texts, errors));
    CAnswer question(true);
    StoreFunctionBlocks(doc, texts, 0, question);
    EXPECT_EQ(question.asked, std::vector<std::string>{});
    EXPECT_EQ(U(doc.FindFunction("@@FUNCNEW")->text), "表示");

    // Edited: "@@FUNCSALE" left out, "@@FUNCTURN" given a character that
    // lacks its "\"; the one question covers the edited blocks only.
    ASSERT_TRUE(ReadFunctionBlocks(S("@@FUNCITEM\n表\\示\n@@FUNCTURN\n表\n@@FUNCNEW\n表示").c_str(), false, texts, errors));
    StoreFunctionBlocks(doc, texts, 0, question);
    EXPECT_EQ(question.asked, std::vector<std::string>{kAsk});
    EXPECT_EQ(U(doc.FindFunction("@@FUNCTURN")->text), "表\\\n");
    EXPECT_EQ(U(doc.FindFunction("@@FUNCSALE")->text), "");
    EXPECT_EQ(U(doc.FindFunction("@@FUNCNEW")->text), "表示");
}

TEST(DefineText, AnEditedDefinitionIsReadIntoAFreshOneAndStoredOnlyWhenClean)
{
    struct Case {
        std::string typed; // "" keeps the shown text
        std::string errors;
        std::string types; // the document's types afterwards
    };
    // The document's definition was read with a message (a repeated id).
    const std::string stored = "@@DEFINE\ntype1 剣\ntype1 槍\n";
    const Case cases[] = {
        {"", "", "1 槍|"},
        {"@@DEFINE\r\ntype1 剣\r\ntype2 盾\r\njob smith 鍛冶屋\r\n", "", "1 剣|2 盾|"},
        {"@@DEFINE\r\ntype2 盾\r\ntype2 槍\r\n", "[3]：@@DEFINE：\"type\" 種類IDが重複しています。\n", "1 槍|"},
        {"@@DEFINE\r\ntypeX 剣\r\n", "[2]：@@DEFINE：\"type\" 書式を認識できません\n", "1 槍|"},
        {"@@DEFINE\r\njob abcdefghijk 長い\r\n", "[2]：@@DEFINE：\"job\" コード文字数がオーバーしています\n", "1 槍|"},
        {"type1 剣\r\n", "[1]：@@DEFINEを認識できません。\n種類タイプを認識できません。", "1 槍|"},
        {"@@DEFINE\r\ntype1 剣\r\n@@END\r\n", "[3]：\"@@END\"の行は別の要素の始まりとして読まれます。\n", "1 槍|"},
    };
    for (const Case& c : cases) {
        dtest::Document doc;
        doc.Parse(S(stored));
        CStr_base<16384> shown(doc.definedata.text.GetBuffer());
        shown.Replace("\n", "\r\n");
        const CStr_base<16384> now(c.typed.empty() ? shown : CStr_base<16384>(S(c.typed).c_str()));
        CStr_base<1024> errors;
        EXPECT_EQ(ApplyDefineText(doc, shown, now, errors), c.errors.empty()) << c.typed;
        EXPECT_EQ(U(errors), c.errors) << c.typed;
        std::string types;
        for (const TypeData& type : doc.definedata.types)
            types += U(type.id) + " " + U(type.name) + "|";
        EXPECT_EQ(types, c.types) << c.typed;
        std::string text = c.errors.empty() && !c.typed.empty() ? c.typed : stored;
        for (size_t at; (at = text.find('\r')) != std::string::npos;)
            text.erase(at, 1);
        EXPECT_EQ(U(doc.definedata.text), text) << c.typed;
    }
}

} // namespace
