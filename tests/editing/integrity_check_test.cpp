// The integrity check over small documents read from data texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../document/document_test_helpers.h"
#include "editing/integrity_check.h"
#include "foundation/cp932.h"

namespace {

// A data text from UTF-8 lines, with the definition of the type "食料品" first.
std::string Data(const std::vector<std::string>& lines)
{
    std::string text = "@@DEFINE\ntype1\t食料品\n";
    for (const std::string& line : lines)
        text += line + "\n";
    return Utf8ToCp932(text);
}

// An item's opening lines.
std::vector<std::string> Item(const std::string& no, const std::string& code, const std::string& name,
                              const std::string& type = "食料品")
{
    return {"@@ITEM", "\tno\t" + no, "\ttype\t" + type, "\tcode\t" + code, "\tname\t" + name};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kWheat = Item("1", "wheat", "小麦");

// A script field of an item: a block of lines.
std::vector<std::string> Script(const std::string& key, const std::vector<std::string>& lines)
{
    std::vector<std::string> block = {"\t" + key + "\t_local_"};
    for (const std::string& line : lines)
        block.push_back("\t\t" + line);
    block.push_back("\t_local_");
    return block;
}

// The findings in UTF-8, each followed by "|" and the count.
std::string Findings(const CMerxDocument& doc)
{
    const CIntegrityFindings findings = CheckProjectIntegrity(doc);
    return Cp932ToUtf8(findings.text.GetBuffer()) + "|" + std::to_string(findings.count);
}

std::string Check(const std::vector<std::string>& lines, dtest::Rule rule = {.beta = true})
{
    dtest::Document doc(rule);
    EXPECT_EQ(doc.Parse(Data(lines)), "");
    return Findings(doc);
}

} // namespace

// The formats of every kind of finding are in the test of their order; here
// what each kind takes from its element.
TEST(IntegrityCheck, WhatEachFindingKindNames)
{
    struct Case {
        std::vector<std::string> lines;
        std::string findings;
    };
    const Case cases[] = {
        {Item("1", "wheat", "小麦", "1"), "ITEM[0](小麦)：指定されている分類が無効です\n|1"},  // the id, not the name
        {{"@@ITEM", "\tno\t1", "\tcode\twheat", "\tname\t小麦"}, "ITEM[0](小麦)：指定されている分類が無効です\n|1"},
        {{"@@EVENT", "\tcode\tev", "@@EVENT", "\tcode\tev2", "@@EVENT", "\tcode\tev"},
         "EVENT[0]：ev\nEVENT[2]：ev\nINFO[0]：上記2つのイベントコードが重複しています\n|1"},
        {kWheat + std::vector<std::string>{"\t@@USE", "\t\tname\t育てる", "\t@@USE", "\t\tname\t売る",
                                           "\t\tfunc\t_local_", "\t\t\tf(@@ITEMNO\"1\", @@ITEMNO\"2\");", "\t\t_local_"},
         "ITEM[0](小麦)：@@USE[1]の要素\"func\"に無効な@@ITEMNO\"2\"が検出されました。\n|1"},
        {kWheat + std::vector<std::string>{"\t@@USE", "\t\tname\t育てる", "\t\t\tget\t1\t小麦", "\t\t\tuse\t1\t大麦",
                                           "\t\t\tneed\t1\t麦"},  // one finding for the use
         "ITEM[0](小麦)：@@USE[0]の要素\"use/need/get\"に無効なアイテム名が検出されました。\n|1"},
        {kWheat + std::vector<std::string>{"@@EVENT", "\tcode\tev", "\tstartfunc\t_local_", "\t\tf(@@ITEMNO\"1\");",
                                           "\t_local_", "\tendfunc\tg(@@ITEMNO \"3\")"},
         "EVENT[0](ev)：@@EVENT要素\"endfunc\"に無効な@@ITEMNO\"3\"が検出されました。\n|1"},
        {kWheat + std::vector<std::string>{"@@EVENT", "\tcode\tev", "\t\tparam\t小麦\t70", "\t\tparam\t大麦\t80"},
         "EVENT[0](ev)：@@EVENT要素\"param\"[1]に無効なアイテム名が検出されました。\n|1"},
        {kWheat + std::vector<std::string>{"@@FUNCEVENT", "sub a { return @@ITEMNO\"1\"; }", "@@FUNCBUY", "@@ITEMNO\"9\""},
         "FUNC[11]：\"@@FUNCBUY\"に無効な@@ITEMNO\"9\"が検出されました。\n|1"},
        // Repeats pair each later element with the first; items without a
        // code share the empty one.
        {kWheat + Item("1", "b", "大麦") + Item("1", "c", "麦"),
         "ITEM[0]：小麦\nITEM[1]：大麦\nINFO[0]：上記2つのアイテムNoが重複しています\n"
         "ITEM[0]：小麦\nITEM[2]：麦\nINFO[0]：上記2つのアイテムNoが重複しています\n|2"},
        {{"@@ITEM", "\tno\t1", "\ttype\t食料品", "\tname\ta", "@@ITEM", "\tno\t2", "\ttype\t食料品", "\tname\tb"},
         "ITEM[0]：a\nITEM[1]：b\nINFO[0]：上記2つのアイテムコードが重複しています\n|1"},
        // References name item numbers, in any letter case; a name or an
        // empty number is none. Which references the scan finds (not in
        // comment lines, both quotes on one line) is tested with the scan.
        {kWheat + Item("12", "b", "大麦") + Script("funct", {"@@ITEMNO\"12\" + @@itemno\"1\""}), "|0"},
        {kWheat + Script("funct", {"@@ITEMNO\"小麦\"", "y(@@ITEMNO\"\");"}),
         "ITEM[0](小麦)：@@ITEM要素\"funct\"に無効な@@ITEMNO\"小麦\"が検出されました。\n"
         "ITEM[0](小麦)：@@ITEM要素\"funct\"に無効な@@ITEMNO\"\"が検出されました。\n|2"},
        // Names that use/need/get lines and parameters give exist.
        {kWheat + std::vector<std::string>{"\t@@USE", "\t\tname\tu", "\t\t\tget\t1\t小麦", "@@EVENT", "\tcode\tev",
                                           "\t\tparam\t小麦\t1"},
         "|0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check(c.lines), c.findings) << Cp932ToUtf8(Data(c.lines));
}

TEST(IntegrityCheck, ParameterThatCannotBeRead)
{
    // The reader gives every parameter a blank; one set without any cannot be read.
    dtest::Document doc;
    doc.Parse(Data(kWheat + std::vector<std::string>{"@@EVENT", "\tcode\tev", "\t\tparam\t小麦\t70"}));
    Ceventstruct& event = *doc.eventdata.GetAt(0);
    event.params.Add()->Assign(Utf8ToCp932("小麦").c_str());
    event.params.Add()->Assign(Utf8ToCp932(" 小麦 5").c_str());  // a leading blank leaves the first word empty
    EXPECT_EQ(Findings(doc), "EVENT[0](ev)：@@EVENT要素\"param\"[1]の構文が認識できません。\n"
                             "EVENT[0](ev)：@@EVENT要素\"param\"[2]に無効なアイテム名が検出されました。\n|2");
}

TEST(IntegrityCheck, FindingsInOrderOfTheirKinds)
{
    const std::vector<std::string> lines =
        std::vector<std::string>{"@@FUNCITEM", "@@ITEMNO\"8\"", "@@EVENT", "\tcode\tev", "\tfunc\t@@ITEMNO\"7\"",
                                 "\t\tparam\t麦\t1", "@@EVENT", "\tcode\tev"} +
        Item("1", "a", "小麦", "") + Script("funct", {"@@ITEMNO\"6\""}) +
        std::vector<std::string>{"\t@@USE", "\t\tname\tu", "\t\tfuncb\t@@ITEMNO\"5\"", "\t\t\tget\t1\t麦"} +
        Item("1", "a", "小麦");
    EXPECT_EQ(Check(lines), "ITEM[0]：小麦\nITEM[1]：小麦\nINFO[0]：上記2つのアイテムNoが重複しています\n"
                            "ITEM[0]：小麦\nITEM[1]：小麦\nINFO[0]：上記2つのアイテムコードが重複しています\n"
                            "ITEM[0]：小麦\nITEM[1]：小麦\nINFO[0]：上記2つのアイテム名が重複しています\n"
                            "ITEM[0](小麦)：指定されている分類が無効です\n"
                            "EVENT[0]：ev\nEVENT[1]：ev\nINFO[0]：上記2つのイベントコードが重複しています\n"
                            "ITEM[0](小麦)：@@ITEM要素\"funct\"に無効な@@ITEMNO\"6\"が検出されました。\n"
                            "ITEM[0](小麦)：@@USE[0]の要素\"funcb\"に無効な@@ITEMNO\"5\"が検出されました。\n"
                            "ITEM[0](小麦)：@@USE[0]の要素\"use/need/get\"に無効なアイテム名が検出されました。\n"
                            "EVENT[0](ev)：@@EVENT要素\"func\"に無効な@@ITEMNO\"7\"が検出されました。\n"
                            "EVENT[0](ev)：@@EVENT要素\"param\"[0]に無効なアイテム名が検出されました。\n"
                            "FUNC[0]：\"@@FUNCITEM\"に無効な@@ITEMNO\"8\"が検出されました。\n|11");
}

TEST(IntegrityCheck, BetaScriptKeysOnlyUnderABetaRule)
{
    const std::vector<std::string> lines =
        kWheat + Script("funct", {"@@ITEMNO\"2\""}) + Script("funcs", {"@@ITEMNO\"3\""}) +
        Script("funcb", {"@@ITEMNO\"4\""}) +
        std::vector<std::string>{"\t@@USE", "\t\tname\tu", "\t\tfuncb\t@@ITEMNO\"6\"", "\t\tfunci\t@@ITEMNO\"7\"",
                                 "\t\tfunc\t@@ITEMNO\"5\""};
    const std::string item = "ITEM[0](小麦)：@@ITEM要素\"";
    const std::string use = "ITEM[0](小麦)：@@USE[0]の要素\"";
    const std::string found = "\"が検出されました。\n";
    EXPECT_EQ(Check(lines), item + "funct\"に無効な@@ITEMNO\"2" + found + item + "funcs\"に無効な@@ITEMNO\"3" + found +
                                item + "funcb\"に無効な@@ITEMNO\"4" + found + use + "func\"に無効な@@ITEMNO\"5" + found +
                                use + "funcb\"に無効な@@ITEMNO\"6" + found + use + "funci\"に無効な@@ITEMNO\"7" + found +
                                "|6");
    // The same fields under a stable rule.
    dtest::Document doc({.beta = true});
    doc.Parse(Data(lines));
    doc.RebuildKeyLists(false, false);
    EXPECT_EQ(Findings(doc), item + "funct\"に無効な@@ITEMNO\"2" + found + use + "func\"に無効な@@ITEMNO\"5" + found +
                                 use + "funcb\"に無効な@@ITEMNO\"6" + found + "|3");
}
