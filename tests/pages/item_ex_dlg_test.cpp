// The extension-field dialog driven by a person, on the sample projects
// under the sample rules and on a rule of edge cases.
#include "pages/item_ex_dlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "document/merx_reader.h"
#include "document/project_info.h"
#include "foundation/cp932.h"
#include "pattern/editor_matchers.h"
#include "page_fixture.h"

namespace {

using D = CItemExDlg;

// Item fields: three EDIT slots; a user list; flags with an EDIT slot that
// does not count; an EDIT field the test marks "Array". Use field: lines of
// an EDIT and a LIST_ITEMNO slot.
const char* const kEdgeRule =
    "RuleName=edge\n[ItemRules]\n"
    "[0]\nName=three\nType1=EDIT\nType2=EDIT\nType3=EDIT\nSeparator=,\n[EndSection]\n"
    "[1]\nName=user\nType1=LIST_USER\n[UserList1]\nb=2\na=1\n[EndSection]\n[EndSection]\n"
    "[2]\nName=flags\nType1=CHECK\nType2=EDIT\nSeparator=|\nCheckInfo0=A\nCheckKey0=a\nCheckInfo1=B\nCheckKey1=b\n"
    "[EndSection]\n[3]\nName=bad\nType1=EDIT\n[EndSection]\n[EndSection]\n"
    "[UseRules]\n[0]\nName=rows\nArray=true\nType1=EDIT\nType2=LIST_ITEMNO\nSeparator=/\n[EndSection]\n[EndSection]\n";

// A page context around a sample project opened under a rule of the
// examples or the edge rule; messages are recorded.
struct SampleContext final : CPageContext {
    void Open(const char* file, const char* ruleKey)
    {
        static const bool registered = (RegisterEditorMatchers(), true);
        (void)registered;
        LoadRuleTable(rules, TAVARO_SOURCE_DIR "/examples/makeitem_rules");
        if (!rules.Lookup("edge.sir"))
            rules.InsertNew("edge.sir")->LoadText(kEdgeRule);
        std::ifstream in(std::string(TAVARO_SOURCE_DIR "/examples/") + file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::erase(text, '\r');
        CStr_base<16384> data(text.c_str());
        CStr_base<1024> block;
        CStr_base<64> message;
        ASSERT_TRUE(CutProjectInfoBlock(data, block));
        ASSERT_TRUE(ApplyRule(rules, ruleKey, false, applied, doc, message));
        ASSERT_TRUE(CMerxReader(doc).Parse(data));
    }

    CMerxDocument& Document() override { return doc; }
    CProjectInfo& ProjectInfo() override { return info; }
    const CAppliedRule& AppliedRule() const override { return applied; }
    const CStr_base<64>& FilePath() const override { return none; }
    CSettingsStore& Settings() override { return settings; }
    CModalWait& ModalWait() override { return wait; }
    bool RefuseWhileWaiting() override { return false; }
    CNotifyReady& NotifyReady() override { return ready; }
    CApplyResult ApplyCurrentPage() override { return {}; }
    void ShowMessage(const char* text) override { messages.push_back(Cp932ToUtf8(text)); }
    UiAnswer Ask(const char*, UiButtons, UiAnswer) override { return UiAnswer::kCancel; }
    const CStr_base<64>& ProgramFolder() const override { return none; }
    const CUiFont& EditFont() const override { return font; }
    const CUiFont& FunctionFont() const override { return font; }
    bool RunDirectInput(CStr_base<16384>&, CDirectInputCheck) override { return false; }
    bool ShowElement(int32_t, int32_t) override { return false; }
    CPageElement CurrentElement() override { return {}; }
    void ReloadCurrentPage() override {}
    void Record(CEditCommandPtr, const char*) override {}
    void MarkModified() override {}

    CRuleTable rules;
    CAppliedRule applied;
    CMerxDocument doc;
    Lines messages;
    CProjectInfo info;
    CSettingsStore settings;
    CModalWait wait;
    CNotifyReady ready;
    CStr_base<64> none;
    CUiFont font;
};

// Every field, comment, list and list comment of an element, in map order.
std::string Snapshot(const CMERX_base& element)
{
    std::string out;
    const auto& fields = static_cast<const CMerxFieldElement&>(element);
    for (const CMerxFieldMap* map : {&fields.fields, &fields.comments})
        for (auto [key, value] : *map)
            out += std::string(key) + "=" + value.GetBuffer() + "\n";
    if (element.GetKind() == CMERX_TYPE_USE)
        for (const CMerxListMap* map : {&static_cast<const Cusestruct&>(element).lists,
                                        &static_cast<const Cusestruct&>(element).listcomments})
            for (auto [key, list] : *map)
                for (const CMerxString& line : list)
                    out += std::string(key) + "[]=" + line.GetBuffer() + "\n";
    return out;
}

std::string Utf8(const CMerxString* text) { return text ? Cp932ToUtf8(text->GetBuffer()) : "<none>"; }

class ItemExDlgTest : public PageTest {
protected:
    // Runs the dialog on `element` while `drive` acts in it; Cancel closes
    // what `drive` leaves open.
    int32_t Run(CMERX_base& element, int32_t first, const std::function<void(D&)>& drive)
    {
        D dialog(element, context, first);
        user.OnModal(
            [&](CDialogBase&) {
                drive(dialog);
                if (!user.LookAt(dialog).IsEnded())
                    user.Click(dialog, kIdCancel);
            },
            D::IDD);
        const int32_t result = dialog.DoModal();
        lastIndex = dialog.LastIndex();
        return result;
    }
    // The ids of the shown controls among the field controls.
    std::vector<int32_t> ShownControls(const D& d)
    {
        std::vector<int32_t> shown;
        for (const CUiControlTemplate& control : d.Template().controls)
            if (control.id > D::IDC_FIELDS && user.Look(d, control.id).visible)
                shown.push_back(control.id);
        return shown;
    }
    // Selects every field and every line of it, then OK.
    void Browse(D& d)
    {
        for (int32_t field = 0; field < static_cast<int32_t>(user.Look(d, D::IDC_FIELDS).items.size()); ++field) {
            user.Select(d, D::IDC_FIELDS, field);
            const CHeadlessControl& lines = user.Look(d, D::IDC_LINES);
            for (int32_t line = 1; lines.visible && line < static_cast<int32_t>(lines.items.size()); ++line)
                user.Select(d, D::IDC_LINES, line);
        }
        user.Click(d, kIdOk);
    }
    Citemstruct& Item(uint32_t i) { return context.doc.itemdata[i]; }

    SampleContext context;
    int32_t lastIndex = -2;
};

// Splitting and joining do not give every text back: what the user only
// looked at stays as it was.
TEST_F(ItemExDlgTest, BrowsingEveryFieldAndOkGivesTheElementBackByteForByte)
{
    struct Case {
        const char* file;
        const char* rule;
    };
    for (const Case& c : {Case{"inc-item-data.cgi", "harbor-stable.sir"}, Case{"inc-item-data-ext.cgi", "harbor-beta.sir"},
                          Case{"inc-item-data.cgi", "edge.sir"}}) {
        SCOPED_TRACE(c.rule);
        context.Open(c.file, c.rule);
        if (std::string(c.rule) == "edge.sir") {
            Item(0).SetField("three", "a,,b,c");  // a piece without a slot
            Item(0).SetField("user", "zz");       // no choice stores it
            Item(0).SetField("flags", "b|zz|a");  // an unknown token, out of flag order
            Cusestruct& use = Item(0).uses[0];  // the first item has a use entry
            for (const char* line : {"x/999/tail", "y/1/z"})  // no such item, a piece without a slot
                use.GetList("rows")->Add()->Assign(line);
            use.GetListComments("rows")->Add()->Assign("\t# kept");
        }
        for (Citemstruct& item : context.doc.itemdata) {
            std::vector<CMERX_base*> elements{&item};
            for (Cusestruct& use : item.uses)
                elements.push_back(&use);
            for (CMERX_base* element : elements) {
                const std::string before = Snapshot(*element);
                EXPECT_EQ(Run(*element, 0, [&](D& d) { Browse(d); }), kIdOk);
                EXPECT_EQ(Snapshot(*element), before);
            }
        }
        EXPECT_EQ(context.messages, Lines{});
    }
}

TEST_F(ItemExDlgTest, ChangedControlsAreJoinedAsTheRuleSays)
{
    struct Case {
        const char* name;
        const char* rule;
        uint32_t item;
        int32_t field;
        const char* text;  // the field's text before, UTF-8; null: as the sample has it
        std::function<void(CScriptedUser&, D&)> act;
        std::string stored;
    };
    const Case cases[] = {
        {"empty boxes give the empty text", "edge.sir", 0, 0, "a,,b",
         [](CScriptedUser& u, D& d) {
             EXPECT_EQ(u.Look(d, 1094).text, "");
             u.TypeText(d, 1091, "");
             u.TypeText(d, 1097, "");
         },
         ""},
        {"one box typed", "edge.sir", 0, 0, "a,,b", [](CScriptedUser& u, D& d) { u.TypeText(d, 1094, "c"); }, "a,c,b"},
        {"a user list in key order stores the value", "edge.sir", 0, 1, "2",
         [this](CScriptedUser& u, D& d) {
             EXPECT_EQ(Items(d, 1090), (Lines{"", "a", "b"}));
             EXPECT_EQ(u.Look(d, 1090).curSel, 2);
             u.Select(d, 1090, 1);
         },
         "1"},
        {"flags only, in flag order, unknown tokens dropped", "edge.sir", 0, 2, "zz|b",
         [this](CScriptedUser& u, D& d) {
             EXPECT_EQ(ShownControls(d), (std::vector<int32_t>{1018, 1019}));
             EXPECT_EQ(Text(d, 1019), "B");
             EXPECT_TRUE(u.Look(d, 1019).checked);
             u.SetCheck(d, 1018, true);
         },
         "a|b"},
        {"a pattern splits, the separator joins", "harbor-beta.sir", 2, 2, nullptr,
         [this](CScriptedUser& u, D& d) {
             EXPECT_EQ(Text(d, 1090), "料理人");
             EXPECT_EQ(Text(d, 1092), "食料品");
             u.TypeText(d, 1097, Utf8ToCp932("秘密").c_str());
         },
         "cook,食料品,秘密"},
        {"an item name and a number", "harbor-stable.sir", 0, 1, nullptr,
         [](CScriptedUser& u, D& d) {
             u.Select(d, 1090, 2);  // the second item
             u.TypeText(d, 1094, "3");
         },
         "小麦粉:3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        context.Open(std::string(c.rule) == "harbor-beta.sir" ? "inc-item-data-ext.cgi" : "inc-item-data.cgi", c.rule);
        const char* key = context.applied.itemRules[static_cast<uint32_t>(c.field)].name;
        if (c.text)
            Item(c.item).SetField(key, Utf8ToCp932(c.text).c_str());
        EXPECT_EQ(Run(Item(c.item), c.field, [&](D& d) {
                      c.act(user, d);
                      user.Click(d, kIdOk);
                  }),
                  kIdOk);
        EXPECT_EQ(Utf8(Item(c.item).GetField(key)), c.stored);
    }
}

// The sample's first use entry has two "reward" lines, the second with a
// comment.
TEST_F(ItemExDlgTest, ArrayLinesAreAddedCopiedAndDeletedWithTheirComments)
{
    context.Open("inc-item-data-ext.cgi", "harbor-beta.sir");
    Cusestruct& use = Item(0).uses[0];
    const std::string comment = Utf8(&(*use.GetListComments("reward"))[1]);
    EXPECT_EQ(Run(use, 1,
                  [&](D& d) {
                      EXPECT_EQ(Items(d, D::IDC_LINES), (Lines{"りんご,2,often", "小麦粉,1,rare"}));
                      EXPECT_EQ(Text(d, 1090) + "|" + Text(d, 1094) + "|" + Text(d, 1095), "りんご|2|時々");
                      user.Select(d, D::IDC_LINES, 1);
                      user.Click(d, D::IDC_LINE_COPY);
                      user.Click(d, D::IDC_LINE_ADD);
                      EXPECT_EQ(Items(d, D::IDC_LINES).back(), "(空データ)");
                      EXPECT_EQ(user.Look(d, D::IDC_LINES).curSel, 3);
                      user.TypeText(d, 1094, "5");
                      user.Select(d, D::IDC_LINES, 0);  // stores the new line
                      EXPECT_EQ(Items(d, D::IDC_LINES).back(), ",5,");
                      // The deleted line's edit goes nowhere.
                      user.TypeText(d, 1094, "9");
                      user.Click(d, D::IDC_LINE_DELETE);
                      EXPECT_EQ(Text(d, 1094), "1");
                      user.Click(d, kIdOk);
                  }),
              kIdOk);
    EXPECT_EQ(Utf8Lines(*use.GetList("reward")), (Lines{"小麦粉,1,rare", "小麦粉,1,rare", ",5,"}));
    EXPECT_EQ(Utf8Lines(*use.GetListComments("reward")), (Lines{comment, comment, ""}));

    // Deleting the last line leaves nothing to edit.
    Run(use, 1, [&](D& d) {
        for (int i = 0; i < 3; ++i)
            user.Click(d, D::IDC_LINE_DELETE);
        EXPECT_FALSE(user.Look(d, D::IDC_LINES).enabled);
        EXPECT_EQ(user.Look(d, D::IDC_LINES).curSel, -1);
        EXPECT_FALSE(user.Look(d, 1094).enabled);
        user.Click(d, kIdOk);
    });
    EXPECT_EQ(use.GetList("reward")->GetCount(), 0u);
    EXPECT_EQ(use.GetListComments("reward")->GetCount(), 0u);
}

// The first index is shown when the list has it; the last one selected is
// read back, also after Cancel, which drops every edit.
TEST_F(ItemExDlgTest, CancelDropsEveryEditAndTheLastIndexIsReadBack)
{
    context.Open("inc-item-data-ext.cgi", "harbor-beta.sir");
    for (int32_t first : {-1, 3}) {
        Run(Item(0), first, [&](D& d) { EXPECT_EQ(ShownControls(d), std::vector<int32_t>{}); });
        EXPECT_EQ(lastIndex, -1);
    }
    const std::string before = Snapshot(Item(0));
    EXPECT_EQ(Run(Item(0), 1,
                  [&](D& d) {
                      EXPECT_EQ(user.Look(d, D::IDC_FIELDS).curSel, 1);
                      user.Select(d, D::IDC_FIELDS, 0);
                      user.SetCheck(d, 1018, false);
                      user.Select(d, D::IDC_FIELDS, 2);  // stores grade into the dialog's copy
                      user.TypeText(d, 1097, "x");
                  }),
              kIdCancel);
    EXPECT_EQ(Snapshot(Item(0)), before);
    EXPECT_EQ(lastIndex, 2);
}

TEST_F(ItemExDlgTest, InconsistenciesAreReportedAndNothingIsStored)
{
    const std::string head = "MERX_ERROR\n内部エラーが発生しました。\n以下のメッセージを発生前の操作などと共に作者に報告してください。\n\n";
    context.Open("inc-item-data.cgi", "edge.sir");
    Ceventstruct& event = context.doc.eventdata[0];
    const std::string before = Snapshot(event);
    EXPECT_EQ(Run(event, 0, [&](D& d) {
                  EXPECT_TRUE(user.Look(d, D::IDC_FIELDS).items.empty());
                  user.Click(d, kIdOk);
              }),
              kIdOk);
    EXPECT_EQ(Snapshot(event), before);
    EXPECT_EQ(context.messages, Lines{head + "Message：無効な拡張項目データ\nPosition：CItemExDlg::OnInitDialog()"});

    // An "Array" field on an item shows nothing; the field shown before
    // keeps what was typed, and no index stays behind to store into.
    context.messages.clear();
    context.applied.itemRules[3].array = true;
    Item(0).SetField("bad", "kept");
    Run(Item(0), 0, [&](D& d) {
        user.TypeText(d, 1094, "x");
        user.Select(d, D::IDC_FIELDS, 3);
        EXPECT_EQ(ShownControls(d), std::vector<int32_t>{});
        user.Click(d, kIdOk);
    });
    EXPECT_EQ(context.messages, Lines{head + "Message：無効な配列フラグ\nPosition：CItemExDlg::OnSelchangeList1()"});
    EXPECT_EQ(Utf8(Item(0).GetField("three")), ",x,");
    EXPECT_EQ(Utf8(Item(0).GetField("bad")), "kept");
}

}  // namespace
