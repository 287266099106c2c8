#include "app/project_info_dlg.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"

namespace {

const CUiDialogTemplate& ProjectInfoTemplate()
{
    static const CUiDialogTemplate t{
        CProjectInfoDlg::IDD,
        SJ("プロジェクト情報の設定"),
        {360, 150},
        0,
        {
            {2001, UiControlKind::kStatic, SJ("プロジェクトの名称(MERXのみで使用されます)"), {10, 10, 340, 16}, 0},
            {CProjectInfoDlg::IDC_NAME, UiControlKind::kEdit, "", {10, 30, 340, 20}, kUiTabStop},
            {2002, UiControlKind::kStatic, SJ("使用するmakeitemのルール"), {10, 60, 340, 16}, 0},
            {CProjectInfoDlg::IDC_RULE, UiControlKind::kDropList, "", {10, 80, 340, 160}, kUiTabStop},
            {kIdOk, UiControlKind::kButton, "OK", {160, 116, 90, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, SJ("ｷｬﾝｾﾙ"), {260, 116, 90, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

}  // namespace

CStr_base<64> RuleDisplayName(CRuleTable& rules, const char* key)
{
    CSettingsStore* tree = rules.Lookup(key);
    const CStr_base<64>* name = tree ? tree->GetValue(kRuleNameKey) : nullptr;
    return name ? CStr_base<64>(*name) : CStr_base<64>();
}

CProjectInfoDlg::CProjectInfoDlg(CRuleTable& rules) : CDialogBase(ProjectInfoTemplate()), m_rules(rules) {}

bool CProjectInfoDlg::OnInitDialog()
{
    // The two built-in rules first, then the rule files by key in byte order.
    std::vector<const char*> others;
    auto cursor = m_rules.Iterate();
    const char* key;
    CSettingsStore* tree;
    while (cursor.Next(&key, &tree)) {
        if (std::strcmp(key, StableRuleKey()) != 0 && std::strcmp(key, BetaRuleKey()) != 0)
            others.push_back(key);
    }
    std::sort(others.begin(), others.end(), [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
    m_keys.RemoveAll();
    m_names.RemoveAll();
    m_keys.Add()->Assign(StableRuleKey());
    m_keys.Add()->Assign(BetaRuleKey());
    for (const char* other : others)
        m_keys.Add()->Assign(other);

    CUiControl combo = Control(IDC_RULE);
    combo.ResetContent();
    for (const CStr_base<64>& ruleKey : m_keys) {
        m_names.Add()->Assign(RuleDisplayName(m_rules, ruleKey));
        combo.AddString(m_names[m_names.GetCount() - 1]);
    }
    combo.SetCurSel(1);
    Control(IDC_NAME).SetText("");
    return true;
}

void CProjectInfoDlg::OnOK()
{
    if (!AcceptTypedText())
        return;
    Control(IDC_NAME).GetText(m_strProjectName);
    if (m_strProjectName.IsEmpty())
        m_strProjectName.Assign(SJ("無題"));
    const int32_t chosen = Control(IDC_RULE).GetCurSel();
    if (chosen < 0 || static_cast<uint32_t>(chosen) >= m_keys.GetCount())
        return;
    m_strRuleKey.Assign(m_keys[static_cast<uint32_t>(chosen)]);
    m_strRuleName.Assign(m_names[static_cast<uint32_t>(chosen)]);
    EndDialog(kIdOk);
}
