#include "pages/page_func_template.h"

#include "foundation/sjis_literal.h"
#include "pages/page_layout.h"

namespace func_page {

namespace {

CUiDialogTemplate Build()
{
    CUiDialogTemplate t;
    t.resource = IDD;
    t.caption = SJ("関数");
    t.client = kPageClient;
    CPageLayout l(t);
    l.Row(IDC_FUNC_COMBO, UiControlKind::kDropList, SJ("関数ブロック"), 0, 0, 90, 200);
    l.Add(IDC_FUNC_EDIT, UiControlKind::kEdit, "", {0, 24, 620, kPageBoxHeight - 24},
          kUiTabStop | kUiMultiLine | kUiWantReturn);
    const int32_t buttonsTop = kPageBoxHeight + 7;
    l.Add(IDC_DIRECT_EDIT, UiControlKind::kButton, SJ("直接編集"), {0, buttonsTop, 90, 24});
    l.Add(IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {435, buttonsTop, 90, 24});
    l.Add(kIdOk, UiControlKind::kButton, SJ("適用"), {530, buttonsTop, 90, 24}, kUiTabStop | kUiDefaultButton);
    return t;
}

} // namespace

const CUiDialogTemplate& FuncPageTemplate()
{
    static const CUiDialogTemplate t = Build();
    return t;
}

} // namespace func_page
