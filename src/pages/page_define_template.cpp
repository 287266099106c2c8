#include "pages/page_define_template.h"

#include "foundation/sjis_literal.h"
#include "pages/page_layout.h"

namespace define_page {

namespace {

CUiDialogTemplate Build()
{
    CUiDialogTemplate t;
    t.resource = IDD;
    t.caption = SJ("定義");
    t.client = kPageClient;
    CPageLayout l(t);
    l.Add(IDC_DEFINE_EDIT, UiControlKind::kEdit, "", {0, 0, 620, kPageBoxHeight},
          kUiTabStop | kUiMultiLine | kUiWantReturn);
    const int32_t buttonsTop = kPageBoxHeight + 7;
    l.Add(IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {435, buttonsTop, 90, 24});
    l.Add(kIdOk, UiControlKind::kButton, SJ("適用"), {530, buttonsTop, 90, 24}, kUiTabStop | kUiDefaultButton);
    return t;
}

} // namespace

const CUiDialogTemplate& DefinePageTemplate()
{
    static const CUiDialogTemplate t = Build();
    return t;
}

} // namespace define_page
