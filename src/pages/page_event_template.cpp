#include "pages/page_event_template.h"

#include "editing/event_fields.h"
#include "foundation/sjis_literal.h"
#include "pages/page_layout.h"

namespace event_page {

namespace {

void AddList(CPageLayout& l)
{
    l.FilterBox(IDC_FILTER, 0, 0, 130);
    l.Add(IDC_EVENT_LIST, UiControlKind::kList, "", {0, 22, 130, 448});
    l.Add(IDC_ADD, UiControlKind::kButton, SJ("追加"), {0, 475, 42, 20});
    l.Add(IDC_COPY, UiControlKind::kButton, SJ("複製"), {44, 475, 42, 20});
    l.Add(IDC_DELETE, UiControlKind::kButton, SJ("削除"), {88, 475, 42, 20});
    l.Add(IDC_UP, UiControlKind::kButton, SJ("↑"), {0, 498, 42, 20});
    l.Add(IDC_DOWN, UiControlKind::kButton, SJ("↓"), {44, 498, 42, 20});
    l.Add(IDC_INSERT, UiControlKind::kCheck, SJ("挿入"), {0, 522, 66, 18});
}

void AddEventBox(CPageLayout& l)
{
    l.Add(2001, UiControlKind::kGroup, "@@EVENT", {135, 0, 485, kPageBoxHeight}, 0);
    const char* captions[kEventFieldCount] = {
        SJ("start(発動確率)"),       SJ("basetime(最低継続時間)"), SJ("plustime(乱数継続時間)"),
        SJ("code(イベントコード)"),  SJ("group(グループコード)"),  SJ("startmsg(開始メッセージ)"),
        SJ("endmsg(終了メッセージ)"), SJ("info(発動中メッセージ)"),
    };
    for (int32_t i = 0; i < static_cast<int32_t>(kEventFieldCount); ++i) {
        const int32_t id = IDC_FIELD_FIRST + i;
        l.Row(id, id == IDC_GROUP ? UiControlKind::kComboEdit : UiControlKind::kEdit, captions[i], 140, 16 + i * 21,
              150, 320);
    }

    l.Add(IDC_FUNC_COMBO, UiControlKind::kDropList, "", {140, 190, 100, 19});
    l.Add(IDC_FUNC_REF, UiControlKind::kComboEdit, "", {242, 190, 200, 19});
    l.Add(IDC_FUNC_EDIT, UiControlKind::kEdit, "", {140, 212, 470, 222}, kUiTabStop | kUiMultiLine | kUiWantReturn);

    l.Add(2002, UiControlKind::kGroup, SJ("param(発動中効果)"), {137, 440, 478, 80}, 0);
    l.Add(IDC_PARAM_LIST, UiControlKind::kDropList, "", {142, 456, 250, 19});
    const char* buttons[] = {SJ("追加"), SJ("複製"), SJ("削除")};
    for (int32_t i = 0; i < 3; ++i)
        l.Add(IDC_PARAM_ADD + i, UiControlKind::kButton, buttons[i], {396 + i * 54, 456, 50, 19});
    l.Label(SJ("アイテム"), {142, 482, 60, 16});
    l.Add(IDC_PARAM_ITEM, UiControlKind::kComboEdit, "", {202, 480, 190, 19});
    l.Label(SJ("値"), {398, 482, 24, 16});
    l.Add(IDC_PARAM_VALUE, UiControlKind::kEdit, "", {422, 480, 188, 19});

    const int32_t buttonsTop = kPageBoxHeight + 7;
    l.Add(IDC_DIRECT_EDIT, UiControlKind::kButton, SJ("直接編集"), {135, buttonsTop, 90, 24});
    l.Add(IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {430, buttonsTop, 90, 24});
    l.Add(kIdOk, UiControlKind::kButton, SJ("適用"), {525, buttonsTop, 90, 24}, kUiTabStop | kUiDefaultButton);
}

CUiDialogTemplate Build()
{
    CUiDialogTemplate t;
    t.resource = IDD;
    t.caption = SJ("イベント");
    t.client = kPageClient;
    CPageLayout layout(t);
    AddList(layout);
    AddEventBox(layout);
    return t;
}

} // namespace

const CUiDialogTemplate& EventPageTemplate()
{
    static const CUiDialogTemplate t = Build();
    return t;
}

} // namespace event_page
