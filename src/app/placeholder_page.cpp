#include "app/placeholder_page.h"

#include "foundation/sjis_literal.h"

namespace {

CUiDialogTemplate MakeTemplate(int32_t resource, const char* caption)
{
    return {resource,
            caption,
            {620, 490},
            0,
            {
                {1000, UiControlKind::kStatic, SJ("このページは準備中です。"), {20, 20, 400, 20}, 0},
                {kIdOk, UiControlKind::kButton, SJ("適用"), {520, 455, 90, 24}, kUiTabStop | kUiDefaultButton},
            },
            {}};
}

// Templates of the item, event, function, definition and arrangement pages.
const CUiDialogTemplate& PlaceholderTemplate(int32_t tab)
{
    static const CUiDialogTemplate templates[5] = {
        MakeTemplate(129, SJ("アイテム")), MakeTemplate(130, SJ("イベント")), MakeTemplate(131, SJ("関数")),
        MakeTemplate(133, SJ("定義")),     MakeTemplate(132, SJ("配置")),
    };
    return templates[tab >= 0 && tab < 5 ? tab : 0];
}

}  // namespace

CPlaceholderPage::CPlaceholderPage(int32_t tab, CMainDlg& main) : CMainPage(PlaceholderTemplate(tab), main), m_nTab(tab)
{
}

void CPlaceholderPage::StoreSelection(CProjectInfo& info) const
{
    switch (m_nTab) {
    case 0:
        info.itemId = m_selection.itemId;
        info.itemExId = m_selection.itemExId;
        info.useExId = m_selection.useExId;
        break;
    case 1:
        info.eventId = m_selection.eventId;
        break;
    case 2:
        info.funcId = m_selection.funcId;
        break;
    case 4:
        info.setId = m_selection.setId;
        break;
    default:
        break;
    }
}
