#include "pages/page_set_template.h"

#include "foundation/sjis_literal.h"
#include "pages/page_layout.h"

namespace set_page {

namespace {

CUiDialogTemplate Build()
{
    CUiDialogTemplate t;
    t.resource = IDD;
    t.caption = SJ("配置");
    t.client = kPageClient;
    CPageLayout l(t);
    l.FilterBox(IDC_FILTER, 0, 0, 250);
    l.Add(IDC_ELEMENT_LIST, UiControlKind::kList, "", {0, 22, 250, 474});
    const char* buttons[] = {SJ("挿入"), SJ("複製"), SJ("削除"), SJ("↑"), SJ("↓")};
    for (int32_t i = 0; i < 5; ++i)
        l.Add(IDC_INSERT + i, UiControlKind::kButton, buttons[i], {i * 50, 501, 48, 22});

    l.Add(2001, UiControlKind::kGroup, SJ("詳細情報"), {255, 0, 365, kPageBoxHeight}, 0);
    l.Add(IDC_DETAIL, UiControlKind::kEdit, "", {260, 16, 355, 474},
          kUiTabStop | kUiMultiLine | kUiWantReturn);
    l.Add(IDC_EDIT_PAGE, UiControlKind::kButton, SJ("編集ページに切替"), {260, 495, 140, 24});

    const int32_t buttonsTop = kPageBoxHeight + 7;
    l.Add(IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {430, buttonsTop, 90, 24});
    l.Add(kIdOk, UiControlKind::kButton, SJ("適用"), {525, buttonsTop, 90, 24}, kUiTabStop | kUiDefaultButton);
    return t;
}

} // namespace

const CUiDialogTemplate& SetPageTemplate()
{
    static const CUiDialogTemplate t = Build();
    return t;
}

} // namespace set_page
