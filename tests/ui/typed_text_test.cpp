// Text a person typed that the file cannot hold: the dialog base finds it
// in the fields and names each field and its characters. (That the
// controls keep what was typed is tested on Qt.)
#include <gtest/gtest.h>

#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"
#include "probe_dialog.h"

namespace {

enum : int32_t {
    kName = 2,       // after its label
    kValue = 7,      // in two group boxes, after a label and a hidden one
    kInOuter = 8,    // in the outer group box, after another field
    kLoose = 9,      // nothing names it but the window
    kNumber = 11,    // after a check box
    kDisabled = 12,
};

const CUiDialogTemplate& FieldsTemplate()
{
    static const CUiDialogTemplate t{
        901,
        SJ("入力"),
        {400, 400},
        0,
        {
            {1, UiControlKind::kStatic, SJ("名前"), {10, 10, 100, 16}, 0},
            {kName, UiControlKind::kEdit, "", {10, 30, 200, 20}, kUiTabStop},
            {3, UiControlKind::kGroup, SJ("外枠"), {0, 60, 400, 200}, 0},
            {4, UiControlKind::kGroup, SJ("内枠"), {10, 80, 300, 100}, 0},
            {5, UiControlKind::kStatic, SJ("値"), {20, 100, 50, 16}, 0},
            {6, UiControlKind::kStatic, SJ("隠れた説明"), {20, 120, 50, 16}, kUiHidden},
            {kValue, UiControlKind::kComboEdit, "", {80, 100, 100, 20}, kUiTabStop},
            {kInOuter, UiControlKind::kEdit, "", {20, 200, 100, 20}, kUiTabStop},
            {kLoose, UiControlKind::kEdit, "", {10, 300, 100, 60}, kUiTabStop | kUiMultiLine | kUiWantReturn},
            {10, UiControlKind::kCheck, SJ("番号"), {200, 300, 60, 16}, kUiTabStop},
            {kNumber, UiControlKind::kEdit, "", {260, 300, 40, 20}, kUiTabStop},
            {kDisabled, UiControlKind::kEdit, "", {300, 330, 40, 20}, kUiTabStop | kUiDisabled},
            {kIdOk, UiControlKind::kButton, "OK", {210, 370, 80, 24}, kUiTabStop | kUiDefaultButton},
        },
        {},
    };
    return t;
}

std::string Refusal(const std::string& name, const std::string& chars)
{
    return Utf8ToCp932("[" + name + "]\tShift-JISで保存できない文字が含まれています：" + chars + "\n");
}

TEST(TypedText, EachFieldIsNamedWithTheCharactersItHolds)
{
    const struct {
        int32_t id;
        const char* name;
    } fields[] = {
        {kName, "名前"}, {kValue, "外枠::内枠::値"}, {kInOuter, "外枠"}, {kLoose, "入力"}, {kNumber, "番号"},
    };
    ShownProbe s(FieldsTemplate());
    // A disabled control is no field the user can mend. (Bytes the program
    // set and variants of JIS text are accepted as the file holds them:
    // tested on Qt.)
    s.dialog.Control(kDisabled).Enable(true);
    ASSERT_TRUE(s.user.TypeUnicode(s.dialog, kDisabled, U"\uD55C"));
    s.dialog.Control(kDisabled).Enable(false);
    std::string all;
    for (const auto& field : fields) {
        ASSERT_TRUE(s.user.TypeUnicode(s.dialog, field.id, U"a\uD55C\u00E9\uD55C"));  // a한é한
        CStr_base<1024> errors;
        EXPECT_FALSE(s.dialog.CheckTypedText(errors, field.id));
        const std::string expected = Refusal(field.name, "U+D55C U+00E9");
        EXPECT_EQ(std::string(errors), expected) << field.name;
        all += expected;
    }
    CStr_base<1024> errors("before\n");
    EXPECT_FALSE(s.dialog.CheckTypedText(errors));
    EXPECT_EQ(std::string(errors), "before\n" + all);

    // Telling the user: one message with every line.
    EXPECT_FALSE(s.dialog.AcceptTypedText());
    EXPECT_EQ(s.user.TakeMessages(), std::vector<std::string>{Cp932ToUtf8(all)});
}

TEST(TypedText, ALongListOfCharactersIsCut)
{
    ShownProbe s(FieldsTemplate());
    ASSERT_TRUE(s.user.TypeUnicode(s.dialog, kName, U"\u00A5\u203E\uD55C\uAE00\u00E9\u00E8\u00EA\u00EB\u00EF\u00F6"));
    CStr_base<1024> errors;
    EXPECT_FALSE(s.dialog.CheckTypedText(errors));
    EXPECT_EQ(std::string(errors),
              Refusal("名前", "U+00A5 U+203E U+D55C U+AE00 U+00E9 U+00E8 U+00EA U+00EB ほか2文字"));
}

}  // namespace
