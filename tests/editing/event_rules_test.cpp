// The event page's rules without a window: fields and labels, param lines,
// script texts, group codes and the codes of new and copied events.
#include <gtest/gtest.h>

#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing_test_helpers.h"
#include "editing/event_fields.h"
#include "editing/event_groups.h"
#include "editing/event_list_edit.h"
#include "editing/event_params.h"
#include "editing/event_scripts.h"
#include "foundation/cp932.h"

namespace {

TEST(EventFields, UneditedFieldsKeepTheirTextAndAnEditedCodeMustNotBeEmpty)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S("@@EVENT\n\tcode\train\n\tstart\t05\n\tgroup\tweather\n")), "");
    Ceventstruct& event = doc.eventdata[0];
    EXPECT_EQ(U(EventLabel(event)), "rain");
    CEventFieldControls shown;
    ShowEventFields(event, shown);
    CStr_base<1024> errors;
    EXPECT_TRUE(ReadBackEventFields(shown, shown, event, errors));
    EXPECT_EQ(U(*event.GetField("start")), "05");

    CEventFieldControls now = shown;
    now.fields[5] = S("雨が降り出した").c_str(); // startmsg
    EXPECT_TRUE(ReadBackEventFields(shown, now, event, errors));
    EXPECT_EQ(U(EventLabel(event)), "雨が降り出した");
    now.fields[3].Release();
    EXPECT_FALSE(ReadBackEventFields(shown, now, event, errors));
    EXPECT_EQ(U(errors), "[code]：イベントコードを入力してください。\n");
}

TEST(EventParams, LinesAreSplitForShowingAndKeptUnlessEdited)
{
    struct Case {
        std::string line;
        bool shown;
        std::string item, value;
    };
    for (const Case& c : {Case{"木材\t5", true, "木材", "5"}, Case{"木材 5 10", true, "木材", "5"},
                          Case{"  木材\t\t5", true, "", "木材"}, Case{"木材\t", true, "木材", ""},
                          Case{"木材", false, "", ""}}) {
        CParamControls controls;
        EXPECT_EQ(ShowParamLine(S(c.line).c_str(), controls), c.shown) << c.line;
        EXPECT_EQ(U(controls.item), c.item);
        EXPECT_EQ(U(controls.value), c.value);
    }
    CParamControls shown;
    ASSERT_TRUE(ShowParamLine(S("木材 5 10").c_str(), shown));
    CStr_base<64> line(S("木材 5 10").c_str());
    ReadBackParamLine(shown, shown, line);
    EXPECT_EQ(U(line), "木材 5 10");
    CParamControls now = shown;
    now.value = "7";
    ReadBackParamLine(shown, now, line);
    EXPECT_EQ(U(line), "木材\t7");
}

TEST(EventScripts, BlocksReferencesAndTheirReadBack)
{
    struct Block {
        std::string reference;
        bool block;
    };
    for (const Block& b : {Block{"_local_", true}, Block{"_local_(a, b)", true}, Block{"_local_ (a) ", true},
                           Block{"_local_(a) x", false}, Block{"foo_local_", false},
                           Block{"stock_le _local_(a)", false}, Block{"stock_ge", false}, Block{"", false}})
        EXPECT_EQ(IsEventBlockReference(b.reference.c_str()), b.block) << b.reference;

    CEventScriptControls shown;
    ShowEventScript("_local_(a)\r\nx();\r\ny();", shown);
    EXPECT_EQ(U(shown.reference), "_local_(a)");
    EXPECT_EQ(U(shown.body), "x();\r\ny();");

    struct Case {
        std::string reference, body, stored, errors;
    };
    const Case cases[] = {
        {"_local_(a, b)", "go();", "_local_(a, b)\r\ngo();", ""},
        {" _local_ ", "go();", "_local_\r\ngo();", ""},
        {"stock_ge", "dropped();", "stock_ge", ""},
        {"foo_local_", "dropped();", "foo_local_", ""},
        {"_local_", "a();\r\nb _local_", "_local_(a)\r\nx();\r\ny();",
         "[func]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"},
    };
    for (const Case& c : cases) {
        CEventScriptControls now;
        now.reference = c.reference.c_str();
        now.body = c.body.c_str();
        CStr_base<64> value("_local_(a)\r\nx();\r\ny();");
        CStr_base<1024> errors;
        etest::CAnswer yes;
        EXPECT_EQ(ReadBackEventScript(shown, now, "func", 2, yes, value, errors), c.errors.empty()) << c.reference;
        EXPECT_EQ(U(value), c.stored);
        EXPECT_EQ(U(errors), c.errors);
    }

    CStrArray_base<64> declared, choices;
    declared.Add()->Assign("rainy");
    EventScriptChoices(declared, choices);
    ASSERT_GT(choices.GetCount(), 1u);
    EXPECT_EQ(U(*choices.GetLast()), "rainy");  // after the built-in references
}

TEST(EventListEdit, GroupsAndCodesOfNewAndCopiedEvents)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S("@@EVENT\n\tcode\ta\n\tgroup\tAB\n@@EVENT\n\tcode\tb\n\tgroup\tB\n@@EVENT\n\tcode\tc\n"
                          "\tgroup\tAB\n@@EVENT\n\tcode\tev\n\tparam\t木材\t5\t# wood\n@@END\n")),
              "");
    CStrArray_base<64> groups;
    CollectEventGroups(doc, groups);
    ASSERT_EQ(groups.GetCount(), 2u);
    EXPECT_EQ(U(groups[0]), "AB");
    EXPECT_EQ(U(groups[1]), "B");

    const Ceventstruct* added = static_cast<Ceventstruct*>(doc.FindByIdentity(InsertNewEvent(doc, FindInsertPlace(doc, doc.eventdata, false, -1))->ElementId()));
    EXPECT_EQ(U(*added->GetField("code")), "event_5");
    EXPECT_EQ(doc.setdata[doc.FindEndPosition() - 1], added); // before "@@END"
    const Ceventstruct source = doc.eventdata[3];
    const Ceventstruct* copy = static_cast<Ceventstruct*>(doc.FindByIdentity(InsertEventCopy(doc, FindInsertPlace(doc, doc.eventdata, true, 3), source)->ElementId()));
    EXPECT_EQ(U(*copy->GetField("code")), "ev_copy_ID_6");
    EXPECT_EQ(&doc.eventdata[3], copy);
    EXPECT_EQ(U(copy->paramcomments[0]), "\t# wood");

    dtest::Document empty;
    EXPECT_EQ(U(*static_cast<Ceventstruct*>(empty.FindByIdentity(InsertNewEvent(empty, FindInsertPlace(empty, empty.eventdata, false, -1))->ElementId()))->GetField("code")),
              "event_1");
}

} // namespace
