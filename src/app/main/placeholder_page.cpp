#include "app/main/placeholder_page.h"

#include "foundation/sjis_literal.h"

namespace {

CUiDialogTemplate MakeTemplate(int32_t resource, const char* caption)
{
    return {resource,
            caption,
            {620, 560},
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

// The stored position of the elements of `tab`; null for the definition,
// which has one element only.
int32_t CProjectInfo::*PositionOf(int32_t tab)
{
    switch (tab) {
    case 0:
        return &CProjectInfo::itemId;
    case 1:
        return &CProjectInfo::eventId;
    case 2:
        return &CProjectInfo::funcId;
    case 4:
        return &CProjectInfo::setId;
    default:
        return nullptr;
    }
}

}  // namespace

CPlaceholderPage::CPlaceholderPage(int32_t tab, CPageContext& context)
    : CMainPage(PlaceholderTemplate(tab), context), m_nTab(tab)
{
}

void CPlaceholderPage::StoreSelection(CProjectInfo& info) const
{
    if (const auto position = PositionOf(m_nTab))
        info.*position = m_selection.*position;
    if (m_nTab == 0) {
        info.itemExId = m_selection.itemExId;
        info.useExId = m_selection.useExId;
    }
}

void CPlaceholderPage::SelectElement(int32_t index)
{
    if (const auto position = PositionOf(m_nTab))
        m_selection.*position = index;
}
