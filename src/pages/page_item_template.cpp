#include "pages/page_item_template.h"

#include "editing/use_fields.h"
#include "foundation/sjis_literal.h"
#include "pages/page_layout.h"

namespace item_page {

namespace {

// The "@@ITEM" and "@@USE" boxes; the page buttons stand below them.
constexpr int32_t kBoxHeight = kPageBoxHeight;

using CLayout = CPageLayout;

void AddItemSide(CLayout& l)
{
    l.FilterBox(IDC_FILTER, 0, 0, 130);
    l.Add(IDC_ITEM_LIST, UiControlKind::kList, "", {0, 22, 130, 448});
    l.Add(IDC_ADD, UiControlKind::kButton, SJ("追加"), {0, 475, 42, 20});
    l.Add(IDC_COPY, UiControlKind::kButton, SJ("複製"), {44, 475, 42, 20});
    l.Add(IDC_DELETE, UiControlKind::kButton, SJ("削除"), {88, 475, 42, 20});
    l.Add(IDC_UP, UiControlKind::kButton, SJ("↑"), {0, 498, 30, 20});
    l.Add(IDC_DOWN, UiControlKind::kButton, SJ("↓"), {32, 498, 30, 20});
    l.Add(IDC_SORT, UiControlKind::kButton, SJ("整列"), {64, 498, 66, 20});
    l.Add(IDC_INSERT, UiControlKind::kCheck, SJ("挿入"), {0, 522, 66, 18});

    l.Add(2001, UiControlKind::kGroup, "@@ITEM", {135, 0, 210, kBoxHeight}, 0);
    struct Row {
        int32_t id;
        UiControlKind kind;
        const char* caption;
    };
    const Row rows[] = {
        {IDC_NO, UiControlKind::kEdit, SJ("no(アイテムID)")},
        {IDC_TYPE, UiControlKind::kComboEdit, SJ("type(分類)")},
        {IDC_CODE, UiControlKind::kEdit, SJ("code(固有コード)")},
        {IDC_NAME, UiControlKind::kEdit, SJ("name(アイテム名)")},
        {IDC_INFO, UiControlKind::kEdit, SJ("info(説明文)")},
        {IDC_PRICE, UiControlKind::kEdit, SJ("price(標準価格)")},
        {IDC_LIMIT_STOCK, UiControlKind::kEdit, SJ("limit(倉庫最大数)")},
        {IDC_LIMIT_MARKET, UiControlKind::kEdit, SJ("limit(市場最大数)")},
        {IDC_POP, UiControlKind::kEdit, SJ("pop(売れ行き)")},
        {IDC_SCALE, UiControlKind::kEdit, SJ("scale(数え単位)")},
        {IDC_PLUS, UiControlKind::kEdit, SJ("plus(入荷時間)")},
        {IDC_BASE_COUNT, UiControlKind::kEdit, SJ("base(基準数)")},
        {IDC_BASE_HALF, UiControlKind::kEdit, SJ("base(半額数)")},
        {IDC_COST, UiControlKind::kEdit, SJ("cost(維持費)")},
        {IDC_POINT, UiControlKind::kEdit, SJ("point(人気補正)")},
    };
    int32_t y = 16;
    for (const Row& row : rows) {
        l.Row(row.id, row.kind, row.caption, 140, y, 97, 103);
        y += 21;
    }
    l.Label(SJ("flag(フラグ)"), {140, y + 2, 200, 16});
    const char* flags[] = {SJ("陳列禁止"), SJ("送付禁止"), SJ("破棄禁止"), SJ("輸入禁止"), SJ("輸出禁止"), SJ("購入禁止")};
    for (int32_t i = 0; i < 6; ++i)
        l.Add(IDC_FLAG_FIRST + i, UiControlKind::kCheck, flags[i], {140 + (i % 3) * 68, y + 20 + (i / 3) * 19, 68, 18});
    y += 60;
    l.Add(IDC_FUNC_COMBO, UiControlKind::kDropList, "", {140, y, 62, 19});
    l.Add(IDC_FUNC_WINDOW, UiControlKind::kButton, SJ("別ウィンドウ"), {205, y, 81, 19});
    l.Add(IDC_ITEM_EX, UiControlKind::kButton, SJ("拡張項目"), {288, y, 52, 19});
    l.Add(IDC_FUNC_EDIT, UiControlKind::kEdit, "", {140, y + 22, 200, kBoxHeight - 5 - y - 22},
          kUiTabStop | kUiMultiLine | kUiWantReturn);

    const int32_t buttons = kBoxHeight + 7;
    l.Add(IDC_ICON_EDIT, UiControlKind::kButton, SJ("アイコン編集"), {135, buttons, 90, 24});
    l.Add(IDC_DIRECT_EDIT, UiControlKind::kButton, SJ("直接編集"), {230, buttons, 90, 24});
    l.Add(IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {630, buttons, 90, 24});
    l.Add(kIdOk, UiControlKind::kButton, SJ("適用"), {725, buttons, 90, 24}, kUiTabStop | kUiDefaultButton);
}

void AddUseSide(CLayout& l)
{
    l.Add(2002, UiControlKind::kGroup, "@@USE", {350, 0, 270, kBoxHeight}, 0);
    l.Add(IDC_USE_LIST, UiControlKind::kDropList, "", {355, 16, 260, 19});
    const char* buttons[] = {SJ("追加"), SJ("複製"), SJ("削除"), SJ("↑"), SJ("↓")};
    for (int32_t i = 0; i < 5; ++i)
        l.Add(IDC_USE_ADD + i, UiControlKind::kButton, buttons[i], {355 + i * 52, 38, 50, 19});

    const char* fields[kUseFieldCount] = {
        SJ("name(使用名)"),        SJ("price(実行費用)"),     SJ("time(0%の時間)"),   SJ("exptime(100%の時間)"),
        SJ("exp(熟練度上昇量)"),   SJ("scale(数え単位)"),     SJ("info(説明文)"),     SJ("action(ボタン名)"),
        SJ("argmessage(説明文)"), SJ("argselect(説明文)"), SJ("okmsg(成功時表示)"), SJ("ngmsg(失敗時表示)"),
        SJ("needexp(必要熟練度)"),
    };
    for (int32_t i = 0; i < static_cast<int32_t>(kUseFieldCount); ++i)
        l.Row(IDC_USE_FIELD_FIRST + i, UiControlKind::kEdit, fields[i], 355 + (i / 7) * 132, 60 + (i % 7) * 20, 62,
              66);
    const char* params[] = {SJ("param1(パラメータ1)"), SJ("param2(パラメータ2)"), SJ("param3(パラメータ3)"),
                            SJ("param4(パラメータ4)")};
    for (int32_t i = 0; i < static_cast<int32_t>(kUseParamCount); ++i)
        l.Row(IDC_USE_PARAM_FIRST + i, UiControlKind::kEdit, params[i], 355 + (i % 2) * 132, 202 + (i / 2) * 20, 62,
              66);

    l.Label(SJ("arg(表示オプション)"), {355, 244, 90, 16});
    l.Add(IDC_ARG_TARGET, UiControlKind::kCheck, SJ("店舗選択"), {447, 242, 80, 18});
    l.Add(IDC_ARG_NOCOUNT, UiControlKind::kCheck, SJ("回数選択無効"), {529, 242, 88, 18});
    l.Add(IDC_ARG_MESSAGE, UiControlKind::kCheck, SJ("文字入力可"), {355, 262, 78, 18});
    l.Add(IDC_ARG_MESSAGE_NUMBER, UiControlKind::kEdit, "", {435, 262, 40, 19});
    l.Add(IDC_ARG_SELECT, UiControlKind::kCheck, SJ("選択肢"), {480, 262, 60, 18});
    l.Add(IDC_ARG_SELECT_MODE, UiControlKind::kDropList, "", {542, 262, 73, 19});

    l.Add(IDC_USE_FUNC_COMBO, UiControlKind::kDropList, "", {355, 284, 60, 19});
    l.Add(IDC_USE_FUNC_REF, UiControlKind::kComboEdit, "", {417, 284, 86, 19});
    l.Add(IDC_USE_FUNC_WINDOW, UiControlKind::kButton, SJ("別ウィンドウ"), {505, 284, 55, 19});
    l.Add(IDC_USE_EX, UiControlKind::kButton, SJ("拡張項目"), {562, 284, 53, 19});
    l.Add(IDC_USE_FUNC_EDIT, UiControlKind::kEdit, "", {355, 305, 260, 44}, kUiTabStop | kUiMultiLine | kUiWantReturn);

    // Three groups of two rows: the entries and their buttons, then the
    // controls of the shown entry.
    l.Add(2003, UiControlKind::kGroup, SJ("job(職業補正)"), {352, 351, 266, 56}, 0);
    l.Add(IDC_JOB_LIST, UiControlKind::kDropList, "", {355, 365, 110, 19});
    l.Add(IDC_JOB_ADD, UiControlKind::kButton, SJ("追加"), {467, 365, 36, 19});
    l.Add(IDC_JOB_DELETE, UiControlKind::kButton, SJ("削除"), {505, 365, 36, 19});
    l.Add(IDC_JOB_HALVE, UiControlKind::kButton, SJ("時半減"), {543, 365, 72, 19});
    l.Add(IDC_JOB_NAME, UiControlKind::kComboEdit, "", {355, 386, 130, 19});
    l.Add(IDC_JOB_PARAM, UiControlKind::kEdit, "", {487, 386, 128, 19});

    l.Add(2004, UiControlKind::kGroup, SJ("argselect(選択肢)"), {352, 409, 266, 56}, 0);
    l.Add(IDC_ARGSEL_LIST, UiControlKind::kDropList, "", {355, 423, 110, 19});
    const char* argselButtons[] = {SJ("追加"), SJ("削除"), SJ("↑"), SJ("↓")};
    for (int32_t i = 0; i < 4; ++i)
        l.Add(IDC_ARGSEL_ADD + i, UiControlKind::kButton, argselButtons[i], {467 + i * 38, 423, 36, 19});
    l.Add(IDC_ARGSEL_PARAM, UiControlKind::kEdit, "", {355, 444, 100, 19});
    l.Add(IDC_ARGSEL_HEADING, UiControlKind::kEdit, "", {457, 444, 158, 19});

    l.Add(2005, UiControlKind::kGroup, SJ("use/need/get(条件と報酬)"), {352, 467, 266, 56}, 0);
    l.Add(IDC_UNG_LIST, UiControlKind::kDropList, "", {355, 481, 120, 19});
    l.Add(IDC_UNG_ADD, UiControlKind::kButton, SJ("追加"), {477, 481, 36, 19});
    l.Add(IDC_UNG_DELETE, UiControlKind::kButton, SJ("削除"), {515, 481, 36, 19});
    l.Add(IDC_UNG_KIND, UiControlKind::kDropList, "", {553, 481, 62, 19});
    l.Add(IDC_UNG_ITEM, UiControlKind::kComboEdit, "", {355, 502, 100, 19});
    l.Label(SJ("数"), {457, 504, 14, 16});
    l.Add(IDC_UNG_COUNT, UiControlKind::kEdit, "", {471, 502, 26, 19});
    l.Label(SJ("確率"), {499, 504, 26, 16});
    l.Add(IDC_UNG_RATE, UiControlKind::kEdit, "", {525, 502, 26, 19});
    l.Label("%", {552, 504, 10, 16});
    l.Add(IDC_UNG_MESSAGE, UiControlKind::kEdit, "", {563, 502, 52, 19});
}

// The use side is drawn 260 pixels wide from x = 355, and widened to the
// room of the page: its captions are long.
void WidenUseSide(CUiDialogTemplate& t, size_t first)
{
    constexpr int32_t kLeft = 355, kDrawn = 260, kWide = 460;
    for (size_t i = first; i < t.controls.size(); ++i) {
        CUiRect& r = t.controls[i].rect;
        const int32_t right = kLeft + (r.x + r.w - kLeft) * kWide / kDrawn;
        r.x = kLeft + (r.x - kLeft) * kWide / kDrawn;
        r.w = right - r.x;
    }
}

CUiDialogTemplate Build()
{
    CUiDialogTemplate t;
    t.resource = IDD;
    t.caption = SJ("アイテム");
    t.client = kItemPageClient;
    CLayout layout(t);
    AddItemSide(layout);
    const size_t useSide = t.controls.size();
    AddUseSide(layout);
    WidenUseSide(t, useSide);
    return t;
}

} // namespace

const CUiDialogTemplate& ItemPageTemplate()
{
    static const CUiDialogTemplate t = Build();
    return t;
}

} // namespace item_page
