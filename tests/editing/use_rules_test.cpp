// The use box's rules without a window: fields, job, argselect and
// use/need/get lines shown and read back, script texts and their
// references, and the list operations.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing_test_helpers.h"
#include "document/declared_subs.h"
#include "document/reopen_check.h"
#include "editing/use_argselect.h"
#include "editing/use_fields.h"
#include "editing/use_job.h"
#include "editing/use_list_edit.h"
#include "editing/use_scripts.h"
#include "editing/use_ung_line.h"
#include "foundation/cp932.h"

namespace {

std::string Field(const CMerxFieldElement& element, const char* key)
{
    const CMerxString* value = element.GetField(key);
    return value ? U(*value) : "<undefined>";
}

// One item with uses read from the text under the beta rule.
struct Item {
    dtest::Document doc{{.beta = true}};
    Citemstruct* item = nullptr;

    explicit Item(const std::string& utf8)
    {
        EXPECT_EQ(doc.Parse(S(utf8)), "");
        item = doc.itemdata.GetAt(0);
    }
    Cusestruct& Use(uint32_t i) { return *item->uses.GetAt(i); }
};

TEST(UseFields, ParamAndArgAreJoinedFromTheirControls)
{
    struct Case {
        std::vector<std::string> params;
        std::string joined;
    };
    for (const Case& c : {Case{{"a", "", "", ""}, "a"}, Case{{"", "b", "", ""}, ",b"},
                          Case{{"a", "", "", "d"}, "a,,,d"}, Case{{"a", "", "c", ""}, "a,,c"},
                          Case{{"", "", "", ""}, ""}}) {
        CStr_base<64> params[kUseParamCount];
        for (uint32_t i = 0; i < kUseParamCount; ++i)
            params[i].Assign(c.params[i].c_str());
        EXPECT_EQ(U(JoinUseParams(params)), c.joined);
    }

    struct Arg {
        std::function<void(CUseFieldControls&)> set;
        std::string joined;
    };
    const Arg args[] = {
        {[](CUseFieldControls& c) { c.target = c.message = c.select = true, c.messageNumber = "20", c.selectMode = kArgSelectList; },
         "target|message20|select|list"},
        {[](CUseFieldControls& c) { c.message = true, c.messageNumber = "0"; }, "message"},
        {[](CUseFieldControls& c) { c.message = true; }, "message"},
        {[](CUseFieldControls& c) { c.selectMode = kArgSelectList; }, ""},
        {[](CUseFieldControls& c) { c.nocount = c.select = true, c.selectMode = kArgSelectRadio; }, "nocount|select|radio"},
    };
    for (const Arg& arg : args) {
        CUseFieldControls controls;
        arg.set(controls);
        EXPECT_EQ(U(JoinUseArg(controls)), arg.joined);
    }
}

TEST(UseFields, ShownFieldsComeBackAsStoredUnlessEdited)
{
    Item item("@@ITEM\n\tno\t1\n\tname\t剣\n\t@@USE\n\t\tname\t振る\n\t\tparam\ta,b,c,d,e\n\t\targ\tmessage5|radio|foo\n"
              "\t\targselect\t選べ;a;一;b;二\n");
    Cusestruct& use = item.Use(0);
    CUseFieldControls shown;
    ShowUseFields(use, shown);
    EXPECT_EQ(U(shown.fields[0]), "振る");
    EXPECT_EQ(U(shown.params[3]), "d");
    EXPECT_TRUE(shown.message);
    EXPECT_EQ(U(shown.messageNumber), "5");
    EXPECT_FALSE(shown.select);
    EXPECT_EQ(shown.selectMode, kArgSelectRadio);

    // Nothing edited: "e" and "foo", which the controls cannot show, stay.
    CStr_base<1024> errors;
    EXPECT_TRUE(ReadBackUseFields(shown, shown, use, errors));
    EXPECT_EQ(Field(use, "param"), "a,b,c,d,e");
    EXPECT_EQ(Field(use, "arg"), "message5|radio|foo");

    CUseFieldControls edited = shown;
    edited.params[1].Release();
    edited.select = true;
    edited.fields[0] = S("突く").c_str();
    EXPECT_TRUE(ReadBackUseFields(shown, edited, use, errors));
    EXPECT_EQ(Field(use, "param"), "a,,c,d");
    EXPECT_EQ(Field(use, "arg"), "message5|select|radio");
    EXPECT_EQ(Field(use, "name"), "突く");

    // The argselect heading must not break its line.
    for (const char* heading : {"a;b", "a#b"}) {
        CUseFieldControls bad = edited;
        bad.fields[9] = heading;
        CStr_base<1024> refused;
        EXPECT_FALSE(ReadBackUseFields(edited, bad, use, refused)) << heading;
        EXPECT_EQ(U(refused), "[@@USE::argselect::見出し]\t項目に利用できない文字が混じっています\n");
        EXPECT_EQ(Field(use, "argselect"), "選べ");
    }
    EXPECT_EQ(errors.GetLength(), 0u);

    // Every flag the controls can hold is shown, so an edit of another
    // control writes the file's flags back.
    for (const char* arg : {"target|nocount|select|list", "message20|select|radio"}) {
        Item flags("@@ITEM\n\tno\t1\n\tname\t剣\n\t@@USE\n\t\tname\t振る\n\t\targ\t" + std::string(arg) + "\n");
        CUseFieldControls flagsShown;
        ShowUseFields(flags.Use(0), flagsShown);
        EXPECT_EQ(U(JoinUseArg(flagsShown)), arg);
    }
}

TEST(UseJob, LabelsSplitsAndChecks)
{
    struct Label {
        std::string entry, label, name, param;
    };
    for (const Label& l : {Label{"smith\t5", "smith 5", "smith", "5"}, Label{"smith 5 6", "smith 5 6", "smith", "5 6"},
                           Label{"smith", "smith", "smith", ""}, Label{"a", "(空データ)", "a", ""},
                           Label{"", "(空データ)", "", ""}, Label{"\t", "(空データ)", "", ""}}) {
        EXPECT_EQ(U(JobLabel(S(l.entry).c_str())), l.label) << l.entry;
        CJobControls controls;
        ShowJobEntry(S(l.entry).c_str(), controls);
        EXPECT_EQ(U(controls.name), l.name);
        EXPECT_EQ(U(controls.param), l.param);
    }

    struct ReadBack {
        std::string entry, name, param, stored, errors;
    };
    const ReadBack cases[] = {
        {"smith", "smith", "", "smith", ""},             // untouched: not a lone tab
        {"smith 5 6", "smith", "5 6", "smith 5 6", ""},  // untouched keeps its blank
        {"smith", "smith", "7", "smith\t7", ""},
        {"smith 5 6", "cook", "5 6", "cook\t5 6", ""},   // only what was edited is checked
        {"smith\t5", "black smith", "5", "smith\t5", "[@@USE::job::職業名]\t区切り文字が含まれています\n"},
        {"smith\t5", "smith", "5 6", "smith\t5", "[@@USE::job::パラメータ]\t区切り文字が含まれています\n"},
        {"smith\t5", "smith", "5#6", "smith\t5", "[@@USE::job]\t\"#\"は使用できません\n"},
    };
    for (const ReadBack& c : cases) {
        CJobControls shown, now;
        ShowJobEntry(S(c.entry).c_str(), shown);
        now.name = S(c.name).c_str();
        now.param = S(c.param).c_str();
        CStr_base<64> entry(S(c.entry).c_str());
        CStr_base<1024> errors;
        EXPECT_EQ(ReadBackJobEntry(shown, now, entry, errors), c.errors.empty()) << c.entry;
        EXPECT_EQ(U(entry), c.stored);
        EXPECT_EQ(U(errors), c.errors);
    }

    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S("@@DEFINE\n\tjob\tsmith\t鍛冶屋\n\tjob\tcook\t料理人\n\tset\tjob_cook_time_rate\n")), "");
    EXPECT_EQ(U(HalvedTimeParam(doc, S("料理人").c_str())), "times/job_cook_time_rate");
    EXPECT_EQ(U(HalvedTimeParam(doc, S("鍛冶屋").c_str())), "times/2");
    EXPECT_EQ(U(HalvedTimeParam(doc, "")), "times/2");
}

TEST(UseArgselect, EditedParametersAndHeadingsAreChecked)
{
    struct Case {
        std::string entry, param, heading, stored, errors;
    };
    const std::string badParam = "[@@USE::argselect::パラメータ]\t項目に利用できない文字が混じっています\n";
    const std::string badHeading = "[@@USE::argselect::見出し]\t項目に利用できない文字が混じっています\n";
    const Case cases[] = {
        {"a;一", "a", "一", "a;一", ""},
        {"a_b;一", "a_b", "二", "a_b;二", ""}, // the unedited parameter is not checked
        {";", "b2", "二", "b2;二", ""},
        {"a;一", "a_b", "一", "a;一", badParam},
        {"a;一", "あ", "一", "a;一", badParam},
        {"a;一", "a", "x;y", "a;一", badHeading},
        {"a;一", "a", "x y", "a;一", badHeading},
        {"a;一", "a", "x#y", "a;一", badHeading},
    };
    for (const Case& c : cases) {
        CArgselectControls shown, now;
        ShowArgselectEntry(S(c.entry).c_str(), shown);
        now.param = S(c.param).c_str();
        now.heading = S(c.heading).c_str();
        CStr_base<64> entry(S(c.entry).c_str());
        CStr_base<1024> errors;
        EXPECT_EQ(ReadBackArgselectEntry(shown, now, entry, errors), c.errors.empty()) << c.param << c.heading;
        EXPECT_EQ(U(entry), c.stored);
        EXPECT_EQ(U(errors), c.errors);
    }
}

TEST(UseUngLine, ShownAndReadBack)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S("@@ITEM\n\tno\t1\n\tname\t剣\n@@ITEM\n\tno\t12\n\tname\t盾\n"
                          "@@ITEM\n\tno\t13\n\tname\t青い 盾\n@@ITEM\n\tno\t14\n")),
              "");
    const std::string sword = S("剣");

    CUngControls shown;
    ShowUngLine(S("use\t\tこのアイテム\t\t").c_str(), sword.c_str(), shown);
    EXPECT_EQ(shown.kind, 0);
    EXPECT_EQ(U(shown.item), "このアイテム");

    struct Case {
        std::string entry;
        std::function<void(CUngControls&)> edit;
        std::string stored, errors;
    };
    const Case cases[] = {
        {"use\t\t剣\t\t", [](CUngControls& c) { c.rate = "50"; }, "use\t1\t剣\t50%\t", ""},
        {"use\t2\t剣\t50\t", [](CUngControls&) {}, "use\t2\t剣\t50\t", ""},       // no "%" added unasked
        {"USE\t2\t剣\t\t", [](CUngControls& c) { c.count = "3"; }, "USE\t3\t剣\t\t", ""},
        {"foo\t2\t弓\t\t", [](CUngControls& c) { c.count = "3"; }, "foo\t3\t弓\t\t", ""},
        {"use\t2\t剣", [](CUngControls& c) { c.kind = 2; }, "get\t2\t剣\t\t", ""},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item = "12"; }, "use\t2\t盾\t\t", ""},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item = "99"; }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::アイテム名]\t入力されたIDのアイテムが見つかりません。\n"},
        // Names that would not fit into the column.
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item = "13"; }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::アイテム名]\t項目に利用できない文字が含まれています。\n"},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item = "14"; }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::アイテム名]\t入力されたIDのアイテムが見つかりません。\n"},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item.Release(); }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::アイテム名]\tこの項目は必須入力です。\n"},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.item = "a b"; }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::アイテム名]\t項目に利用できない文字が含まれています。\n"},
        {"use\t2\t弓\t5%\t", [](CUngControls& c) { c.message = "a#b"; }, "use\t2\t弓\t5%\t",
         "[@@USE::use/need/get::メッセージ]\t項目に利用できない文字が含まれています。\n"},
        // Columns are separated by blanks in the file: none may stay empty
        // before a filled one.
        {"use\t\t弓", [](CUngControls& c) { c.rate = "5"; }, "use\t1\t弓\t5%\t", ""},
        {"use\t2", [](CUngControls& c) { c.rate = "5"; }, "use\t2",
         "[@@USE::use/need/get::アイテム名]\tこの項目は必須入力です。\n"},
        {"use\t2\t弓", [](CUngControls& c) { c.message = "hi"; }, "use\t2\t弓",
         "[@@USE::use/need/get::確率]\tメッセージを指定するときは確率も入力してください。\n"},
        {"use\t2\t弓\t\t", [](CUngControls& c) { c.count = "1.5", c.rate = "50%", c.message = "a b"; }, "use\t2\t弓\t\t",
         "[@@USE::use/need/get::数]\t半角数字以外が含まれています。\n"
         "[@@USE::use/need/get::確率]\t半角数字以外が含まれています。\n"
         "[@@USE::use/need/get::メッセージ]\t項目に利用できない文字が含まれています。\n"},
    };
    for (const Case& c : cases) {
        CUngControls before, now;
        ShowUngLine(S(c.entry).c_str(), sword.c_str(), before);
        now = before;
        c.edit(now); // ASCII texts only
        CStr_base<64> entry(S(c.entry).c_str());
        CStr_base<1024> errors;
        EXPECT_EQ(ReadBackUngLine(&before, now, doc, sword.c_str(), entry, errors), c.errors.empty()) << c.entry;
        EXPECT_EQ(U(entry), c.stored) << c.entry;
        EXPECT_EQ(U(errors), c.errors);
    }

    // Shown again: the item's own name and the number without "%".
    CUngControls again;
    ShowUngLine(S("use\t1\t剣\t50%\t").c_str(), sword.c_str(), again);
    EXPECT_EQ(U(again.item), "このアイテム");
    EXPECT_EQ(U(again.rate), "50");
    EXPECT_EQ(U(again.count), "1");
    ShowUngLine("Get\t1\tx\t50\t", sword.c_str(), again);
    EXPECT_EQ(again.kind, 2);
    EXPECT_EQ(U(again.rate), "50");
    ShowUngLine("take\t1", sword.c_str(), again);
    EXPECT_EQ(again.kind, -1);

    // A line just added is read as a whole: it takes a count and the name
    // the name edit holds now.
    CStr_base<64> added(S("use\t\tこのアイテム\t\t").c_str());
    CStr_base<1024> errors;
    const std::string renamed = S("名剣");
    EXPECT_TRUE(ReadBackUngLine(nullptr, shown, doc, renamed.c_str(), added, errors));
    EXPECT_EQ(U(added), "use\t1\t名剣\t\t");
    EXPECT_EQ(U(UngLabel(added.GetBuffer())), "use 1 名剣  ");
}

TEST(UseScripts, ReferencesBlocksAndChoices)
{
    // Indexes outside the reference combo name no key.
    EXPECT_EQ(UseScriptKey(2, false), nullptr);
    EXPECT_EQ(UseScriptKey(-1, true), nullptr);
    Item item("@@ITEM\n\tno\t1\n\tname\tx\n\t@@USE\n\t\tname\ta\n\t\tfunc\t_local_\n\t\t\tline1\n\t\t\tline2\n\t\t_local_\n"
              "\t@@USE\n\t\tname\tb\n\t\tfunc\t_local_1\n\t@@USE\n\t\tname\tc\n\t\tfunc\t_local_\n\t\t\tz\n\t\t_local_\n");
    CUseScriptControls block, reference;
    ShowScriptValue(item.Use(0).GetField("func")->GetBuffer(), block);
    EXPECT_EQ(U(block.reference), "_local_");
    EXPECT_EQ(U(block.body), "line1\r\nline2");
    ShowScriptValue(item.Use(1).GetField("func")->GetBuffer(), reference);
    EXPECT_EQ(U(reference.reference), "_local_1");
    EXPECT_EQ(U(reference.body), "");

    CStrArray_base<64> declared, choices;
    FindDeclaredSubs("sub first {\n}\n  sub\tsecond\nx sub no\nsubway\n", declared);
    UseScriptChoices(*item.item, "func", declared, choices);
    std::vector<std::string> listed;
    for (const CStr_base<64>& choice : choices)
        listed.push_back(U(choice));
    EXPECT_EQ(listed, (std::vector<std::string>{"", "_local_", "_local_1", "_local_3", "first", "second"}));

    struct Case {
        std::string reference, body, stored, errors;
    };
    const Case cases[] = {
        {"_local_1", "", "_local_1", ""},
        {" _local_2 ", "ignored", "_local_2", ""},
        {"_local_ ", "a\r\nb", "_local_\r\na\r\nb", ""},
        {"_local_", "a\r\nend_local_\r\nb", "_local_\r\nline1\r\nline2",
         "[@@USE::func]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"},
        {"_local_", "ソ", "_local_\r\nソ\\", ""},
        {"", "typed", "_local_\r\ntyped", ""}, // lines typed under an empty reference
        {"", "line1\r\nline2", "", ""},        // the reference cleared: the lines go
    };
    for (const Case& c : cases) {
        Cusestruct& use = item.Use(0);
        CUseScriptControls now;
        now.reference = S(c.reference).c_str();
        now.body = S(c.body).c_str();
        CStr_base<64>& value = *use.fields.Lookup("func");
        const CStr_base<64> before = value;
        CStr_base<1024> errors;
        etest::CAnswer yes;
        EXPECT_EQ(ReadBackUseScript(block, now, "func", 2, yes, value, errors), c.errors.empty()) << c.reference;
        EXPECT_EQ(U(value), c.stored);
        EXPECT_EQ(U(errors), c.errors);
        value = before;
    }
    // Unchanged controls keep the value, whatever it holds.
    CStr_base<64> value("_local_\r\nx_local_");
    CStr_base<1024> errors;
    etest::CAnswer yes;
    EXPECT_TRUE(ReadBackUseScript(block, block, "func", 0, yes, value, errors));
    EXPECT_EQ(U(value), "_local_\r\nx_local_");
}

TEST(ScriptLines, ALineEndingInLocalClosesTheBlock)
{
    struct Case {
        std::string text;
        uint32_t line;
    };
    for (const Case& c : {Case{"", 0}, Case{"a\nb", 0}, Case{"_local_", 1}, Case{"a\r\n  _local_  # x\r\nb", 2},
                          Case{"a\nfoo_local_", 2}, Case{"_local_(x)", 0}, Case{"a_local_b\n", 0}}) {
        EXPECT_EQ(FindLocalClosingLine(c.text.c_str(), static_cast<uint32_t>(c.text.size())), c.line) << c.text;
    }
}

TEST(UseListEdit, NewEntriesReferencesAndSubLists)
{
    Item item("@@ITEM\n\tno\t1\n\tname\tx\n\t@@USE\n\t\tname\ta\n\t\tfunc\t_local_\n\t\t\tone\n\t\t_local_\n"
              "\t@@USE\n\t\tname\tb\n\t\tfunc\t_local_3\n\t\tfuncb\t_local_1\n"
              "\t@@USE\n\t\tname\tc\n\t\tfunc\t_local_\n\t\t\tthree\n\t\t_local_\n"
              "\t\tjob\tsmith\t5\t# first\n\t\tjob\tcook\t2\n");
    Citemstruct& x = *item.item;

    Cusestruct fresh;
    InitNewUseEntry(item.doc, fresh, 0);
    EXPECT_EQ(Field(fresh, "name"), "新しい項目_0");
    EXPECT_EQ(Field(fresh, "funci"), "");
    ASSERT_NE(fresh.GetList("argselect"), nullptr);
    EXPECT_EQ(fresh.GetList("ung")->GetCount(), 0u);

    // The entries borrowed from cannot go; the others renumber references.
    EXPECT_TRUE(IsUseScriptBorrowed(x, 0));
    EXPECT_FALSE(IsUseScriptBorrowed(x, 1));
    EXPECT_FALSE(RemoveUseEntry(x, 2));
    EXPECT_EQ(x.uses.GetCount(), 3u);
    ExchangeUseEntries(x, 0, 1);
    EXPECT_EQ(Field(item.Use(0), "func"), "_local_3");
    EXPECT_EQ(Field(item.Use(0), "funcb"), "_local_2");
    ExchangeUseEntries(x, 1, 2);
    EXPECT_EQ(Field(item.Use(0), "func"), "_local_2");
    EXPECT_EQ(Field(item.Use(0), "funcb"), "_local_3");
    EXPECT_EQ(Field(item.Use(1), "name"), "c");

    // Sub-entries and their comments stay side by side.
    Cusestruct& c = item.Use(1);
    EXPECT_EQ(AddSubEntry(c, "job", "new"), 2);
    ExchangeSubEntries(c, "job", 0, 2);
    std::vector<std::string> entries, comments;
    for (uint32_t i = 0; i < 3; ++i) {
        entries.push_back(U((*c.GetList("job"))[i]));
        comments.push_back(U((*c.GetListComments("job"))[i]));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"new", "cook\t2", "smith\t5"}));
    EXPECT_EQ(comments, (std::vector<std::string>{"", "", "\t# first"}));
    RemoveSubEntry(c, "job", 1);
    EXPECT_EQ(U((*c.GetListComments("job"))[1]), "\t# first");
    EXPECT_EQ(AddSubEntry(c, "nolist", "x"), -1);
}

} // namespace
