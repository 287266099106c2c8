#include "tools/find_dlg.h"

#include "foundation/sjis_literal.h"

namespace {

const CUiDialogTemplate& FindTemplate()
{
    static const CUiDialogTemplate t{
        FindDlg::IDD,
        SJ("検索/置換"),
        {360, 240},
        0,
        {},
        {},
    };
    return t;
}

}  // namespace

FindDlg::FindDlg(CPageContext& context) : CDialogBase(FindTemplate()), m_context(context) {}

void FindDlg::Hide()
{
    m_bShown = false;
    ShowWindow(UiShow::kHide);
}
