#include "tools/item_sort_dlg.h"

#include "editing/internal_error.h"
#include "foundation/sjis_literal.h"

namespace {

const CUiDialogTemplate& ItemSortTemplate()
{
    static const CUiDialogTemplate t{
        CItemSortDlg::IDD,
        SJ("アイテムの整列"),
        {260, 110},
        kUiResizable,
        {
            {3000, UiControlKind::kStatic, SJ("整列するキー"), {10, 12, 80, 16}, 0},
            {CItemSortDlg::IDC_KEY, UiControlKind::kDropList, "", {90, 10, 160, 19}, kUiTabStop},
            {CItemSortDlg::IDC_DESCENDING, UiControlKind::kCheck, SJ("降順ソートする"), {90, 38, 160, 18}, kUiTabStop},
            {kIdOk, UiControlKind::kButton, "OK", {70, 74, 85, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, SJ("ｷｬﾝｾﾙ"), {165, 74, 85, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

} // namespace

CItemSortDlg::CItemSortDlg(CPageContext& context, CItemPreviousOrder& previous, std::function<bool()> prepare)
    : CDialogBase(ItemSortTemplate()), m_context(context), m_previous(previous), m_prepare(std::move(prepare))
{
}

bool CItemSortDlg::OnInitDialog()
{
    CUiControl keys = Control(IDC_KEY);
    for (const char* key : {SJ("No(no)"), SJ("コード(code)"), SJ("アイテム名(name)"), SJ("標準価格(price)"),
                            SJ("維持費(cost)"), SJ("分類(type)")})
        keys.AddString(key);
    if (m_previous.IsValid(m_context.Document()))
        keys.AddString(SJ("前回のソート前の配列"));
    keys.SetCurSel(0);
    return true;
}

void CItemSortDlg::OnOK()
{
    const int32_t selected = Control(IDC_KEY).GetCurSel();
    if (selected < 0)
        return;
    if (m_prepare && !m_prepare())
        return;
    const auto key = static_cast<CItemSortKey>(selected);
    CMerxDocument& doc = m_context.Document();
    if (key == CItemSortKey::kRestore && !m_previous.IsValid(doc)) {
        m_context.ShowMessage(InternalErrorPositionNote("CItemSortDlg::OnOK()").GetBuffer());
        return;
    }
    const CModalWaitScope wait(m_context.ModalWait());
    m_step = SortItems(doc, key, Control(IDC_DESCENDING).GetCheck(), m_previous);
    EndDialog(kIdOk);
}
