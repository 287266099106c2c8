// The project-information dialog: asks for a project name and a makeitem
// rule when a project is created or a file without project information is
// opened.
#pragma once

#include <cstdint>

#include "document/rule_table.h"
#include "foundation/str_array.h"
#include "ui/dialog_base.h"

class CProjectInfoDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 143,
        IDC_NAME = 1084,
        IDC_RULE = 1003,
    };

    explicit CProjectInfoDlg(CRuleTable& rules);
    ~CProjectInfoDlg() override { DestroyWindow(); }

    // After OK: the name ("無題" when none was typed), and the key and display
    // name of the chosen rule.
    const CStr_base<64>& ProjectName() const { return m_strProjectName; }
    const CStr_base<64>& RuleKey() const { return m_strRuleKey; }
    const CStr_base<64>& RuleName() const { return m_strRuleName; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CRuleTable& m_rules;
    CStrArray_base<64> m_keys;   // rule keys in the order of the combo
    CStrArray_base<64> m_names;  // their display names
    CStr_base<64> m_strProjectName;
    CStr_base<64> m_strRuleKey;
    CStr_base<64> m_strRuleName;
};

// The display name of the rule `key` ("/RuleName"; empty when it has none
// or the table has no such rule).
CStr_base<64> RuleDisplayName(CRuleTable& rules, const char* key);
