#include "shell/project_page.h"

#include "foundation/sjis_literal.h"

namespace {

const CUiDialogTemplate& ProjectPageTemplate()
{
    static const CUiDialogTemplate t{
        CProjectPage::IDD,
        SJ("プロジェクト"),
        {620, 560},
        0,
        {
            {2001, UiControlKind::kGroup, SJ("プロジェクト情報"), {10, 10, 600, 130}, 0},
            {2002, UiControlKind::kStatic,
             SJ("アイテム数：\nイベント数：\n全オブジェクト数：\n対応するmakeitemルール：\n編集中ファイル名："),
             {20, 30, 170, 100}, 0},
            {CProjectPage::IDC_SUMMARY, UiControlKind::kStatic, "", {190, 30, 410, 100}, 0},
            {2003, UiControlKind::kStatic, SJ("アイコンの格納フォルダパス"), {10, 155, 400, 16}, 0},
            {CProjectPage::IDC_ICON_FOLDER, UiControlKind::kEdit, "", {10, 175, 600, 20}, kUiTabStop},
            {CProjectPage::IDC_REVERT, UiControlKind::kButton, SJ("元に戻す"), {420, 525, 90, 24}, kUiTabStop},
            {kIdOk, UiControlKind::kButton, SJ("適用"), {520, 525, 90, 24}, kUiTabStop | kUiDefaultButton},
        },
        {},
    };
    return t;
}

// The icon folder of the project information as it was before an apply;
// undone and done again, it and the project's exchange what they hold.
class CIconFolderStep : public CEditCommand {
public:
    CIconFolderStep(CProjectInfo& info, const CStr_base<64>& before) : m_info(info), m_other(before) {}
    void Undo(CMerxDocument&) override { m_info.iconImagePath.Swap(m_other); }
    void Redo(CMerxDocument&) override { m_info.iconImagePath.Swap(m_other); }
    size_t Bytes() const override { return sizeof(*this) + m_other.GetLength(); }
    uint32_t ElementId() const override { return 0; }

private:
    CProjectInfo& m_info;
    CStr_base<64> m_other;
};

}  // namespace

CProjectPage::CProjectPage(CPageContext& context) : CMainPage(ProjectPageTemplate(), context)
{
    Bind(IDC_REVERT, UiEvent::kClicked, &CProjectPage::OnRevert);
    Bind(IDC_ICON_FOLDER, UiEvent::kChanged, &CProjectPage::OnChangeEdit);
}

bool CProjectPage::OnInitDialog()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    CStr_base<64> summary;
    summary.Format("%u\n%u\n%u\n%s\n%s", doc.itemdata.GetCount(), doc.eventdata.GetCount(), doc.setdata.GetCount(),
                   m_context.AppliedRule().ruleName.GetBuffer(), m_context.FilePath().GetBuffer());
    Control(IDC_SUMMARY).SetText(summary);
    Control(IDC_ICON_FOLDER).SetText(m_context.ProjectInfo().iconImagePath);
    return true;
}

CApplyResult CProjectPage::Apply()
{
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    CStr_base<64> now;
    Control(IDC_ICON_FOLDER).GetText(now);
    CProjectInfo& info = m_context.ProjectInfo();
    if (now == info.iconImagePath)
        return {};
    const CStr_base<64> before(info.iconImagePath);
    info.iconImagePath.Swap(now);
    m_context.Record(std::make_unique<CIconFolderStep>(info, before), SJ("アイコンの格納フォルダパスの適用"));
    return {};
}

void CProjectPage::Reload()
{
    if (HasWindow())
        OnInitDialog();
}

void CProjectPage::OnRevert()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    Control(IDC_ICON_FOLDER).SetText(m_context.ProjectInfo().iconImagePath);
}

void CProjectPage::OnChangeEdit()
{
    if (m_context.NotifyReady())
        m_context.MarkModified();
}
