// The guard of page applies and direct edits without a window: what would
// not come back from the file is refused, indentation that every script
// line shares is taken as the file gives it back, and a direct edit's
// lines are numbered as typed; required fields of a whole element's text.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing/event_fields.h"
#include "editing/item_fields.h"
#include "editing/reopen_guard.h"
#include "foundation/cp932.h"

namespace {


const char* kData = "@@ITEM\n\tno\t1\n\tcode\tsword\n\tname\tsword\n\tfunct\t_local_\n\t\ta();\n\t_local_\n"
                    "\t@@USE\n\t\tname\tswing\n"
                    "@@EVENT\n\tcode\train\n\tstartfunc\t_local_\n\t\tgo();\n\t_local_\n"
                    "@@END\n";

struct ItemCase {
    const char* what;
    std::function<void(Citemstruct&)> edit;
    CReopenGuard expected;
    std::string field;    // after the guard
    std::string value;    // (UTF-8)
    std::string reasons;  // the start of the refusal (UTF-8)
};

// Which texts would not come back from the file is tested with the
// document's reopen check; here the refusals reach the page's element.
TEST(ReopenGuard, WhatWouldNotComeBackIsRefusedAndSharedIndentationTakenAsTheFileGivesIt)
{
    const ItemCase cases[] = {
        {"nothing changed", [](Citemstruct&) {}, CReopenGuard::kStored, "funct", "a();", ""},
        {"a script line", [](Citemstruct& i) { i.SetField("funct", "a();\r\nb();"); }, CReopenGuard::kStored, "funct",
         "a();\r\nb();", ""},
        {"an item line in a use script",
         [](Citemstruct& i) { i.uses[0].SetField("func", "_local_\r\n  @@item"); }, CReopenGuard::kRefused, "name",
         "sword", "[11]：\"@@item\""},
        {"a condition line in a script", [](Citemstruct& i) { i.SetField("funct", "@@IF\tx"); },
         CReopenGuard::kRefused, "funct", "@@IF\tx", "[6]："},
        {"a comment mark in a name", [](Citemstruct& i) { i.SetField("name", "a#b"); }, CReopenGuard::kRefused, "name",
         "a#b", "[4]：保存して開き直すと\"\tname\ta#b\"の行が変わります。\n"},
        {"a blank behind a name", [](Citemstruct& i) { i.SetField("name", "sword "); }, CReopenGuard::kRefused,
         "name", "sword ", "[4]："},
        {"indentation every line shares", [](Citemstruct& i) { i.SetField("funct", "\ta();\r\n\t\tb();"); },
         CReopenGuard::kNormalised, "funct", "a();\r\n\tb();", ""},
        {"a use script indented throughout",
         [](Citemstruct& i) { i.uses[0].SetField("func", "_local_\r\n  x();\r\n  y();"); }, CReopenGuard::kNormalised,
         "name", "sword", ""},
    };
    for (const ItemCase& c : cases) {
        dtest::Document doc({.beta = true});
        doc.Parse(kData);
        const Citemstruct& stored = *doc.itemdata.GetAt(0);
        Citemstruct edited = stored;
        c.edit(edited);
        CStr_base<1024> reasons;
        EXPECT_EQ(GuardReopen(doc, stored, edited, reasons), c.expected) << c.what;
        EXPECT_EQ(Cp932ToUtf8(edited.FieldText(c.field.c_str())), c.value) << c.what;
        EXPECT_EQ(U(reasons).substr(0, c.reasons.size()), c.reasons) << c.what << "\n" << U(reasons);
        EXPECT_EQ(reasons.IsEmpty(), c.reasons.empty()) << c.what;
        if (c.expected == CReopenGuard::kNormalised) {
            EXPECT_EQ(GuardReopen(doc, stored, edited, reasons), CReopenGuard::kStored) << c.what;
        }
    }
}

TEST(ReopenGuard, EventsAreGuardedAndNormalisedAlike)
{
    dtest::Document doc;
    doc.Parse(kData);
    const Ceventstruct& stored = *doc.eventdata.GetAt(0);
    Ceventstruct edited = stored;
    CStr_base<1024> reasons;
    edited.SetField("startfunc", "_local_\r\n  @@EVENT\r\n  x();");
    EXPECT_EQ(GuardReopen(doc, stored, edited, reasons), CReopenGuard::kRefused);
    EXPECT_EQ(U(reasons).substr(0, std::string("[4]：").size()), "[4]：");
    edited.SetField("startfunc", "_local_\r\n\tgo();\r\n\tstop();");
    EXPECT_EQ(GuardReopen(doc, stored, edited, reasons), CReopenGuard::kNormalised);
    EXPECT_EQ(edited.FieldText("startfunc"), std::string("_local_\r\ngo();\r\nstop();"));
}

TEST(ReopenGuard, ADirectEditsLinesAreNumberedAsTyped)
{
    struct Case {
        const char* errors;
        const char* written;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        // The writer's line 3 is the person's line 5 (blank lines, other
        // indentation).
        {"[3]：\"\t\t@@END\"\n", "@@ITEM\r\n\tfunct\t_local_\r\n\t\t@@END\r\n", "@@ITEM\n\n\n  funct _local_\n@@END\n",
         "[5]：\"\t\t@@END\"\n"},
        // Found nowhere: the number stays; several lines each.
        {"[2]：a\n[1]：b\n", "x\ny\n", "z\nx\n", "[2]：a\n[2]：b\n"},
        // A text on several lines: the second in the written text is the
        // second in the typed one.
        {"[3]：\"@@ITEM\"\n", "@@ITEM\r\n\ta\r\n\t\t@@ITEM\r\n", "@@ITEM\n\n\ta\n@@ITEM\n", "[4]：\"@@ITEM\"\n"},
        // A number beyond the written text, a line without a number.
        {"[9]：c\nfree\n", "x\n", "x\n", "[9]：c\nfree\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(NumberedAsTyped(CStr_base<1024>(S(c.errors).c_str()), c.written, c.typed)), c.expected) << c.errors;
}

TEST(RequiredFields, AWholeTextMayNotEmptyWhatWasFilled)
{
    dtest::Document doc;
    doc.Parse("@@ITEM\n\tno\t1\n\tcode\tsword\n\tname\tsword\n@@ITEM\n\tno\t2\n\tname\tbow\n"
              "@@EVENT\n\tcode\train\n@@EVENT\n\tstart\t1\n");
    struct Case {
        uint32_t item;
        std::vector<const char*> emptied;
        std::string errors;
    };
    const Case cases[] = {
        {0, {}, ""},
        {0, {"name"}, "[1]：@@ITEM：アイテム名を入力してください。\n"},
        {0, {"no", "code", "name"},
         "[1]：@@ITEM：アイテムIDを入力してください。\n[1]：@@ITEM：アイテムコードを入力してください。\n"
         "[1]：@@ITEM：アイテム名を入力してください。\n"},
        // Read without a code: the text may stay so.
        {1, {"code"}, ""},
    };
    for (const Case& c : cases) {
        const Citemstruct& before = *doc.itemdata.GetAt(c.item);
        Citemstruct after = before;
        for (const char* key : c.emptied)
            after.SetField(key, "");
        CStr_base<1024> errors;
        EXPECT_EQ(CheckRequiredItemFields(before, after, errors), c.errors.empty());
        EXPECT_EQ(U(errors), c.errors);
    }
    for (uint32_t event : {0u, 1u}) {
        const Ceventstruct& before = *doc.eventdata.GetAt(event);
        Ceventstruct after = before;
        after.SetField("code", "");
        CStr_base<1024> errors;
        EXPECT_EQ(CheckRequiredEventFields(before, after, errors), event == 1);
        EXPECT_EQ(U(errors), event == 0 ? "[1]：@@EVENT：イベントコードを入力してください。\n" : "");
    }
}

} // namespace
