#include "cli/cli_project_host.h"

#include "foundation/cp932.h"
#include "settings/setting_keys.h"

void CCliProjectHost::ShowMessage(const char* text)
{
    m_err << m_command << ": " << Cp932ToUtf8(text) << "\n";
}

bool CCliProjectHost::AskYesNo(const char* text)
{
    // The only yes/no question of opening and saving comes after a failed
    // backup.
    const bool yes = m_args.continueWithoutBackup;
    m_err << m_command << ": " << Cp932ToUtf8(text) << (yes ? " -> yes\n" : " -> no\n");
    return yes;
}

CProjectAnswer CCliProjectHost::AskYesNoCancel(const char* text)
{
    m_err << m_command << ": " << Cp932ToUtf8(text) << " -> cancel\n";
    return CProjectAnswer::kCancel;
}

bool CCliProjectHost::AskProjectInfo(const char*, CProjectInfo& info)
{
    info.projectName.Assign(m_args.name.c_str());
    info.ruleKey.Assign(m_args.rule.c_str());
    info.ruleName.Truncate(0);
    if (CSettingsStore* tree = m_rules.Lookup(m_args.rule.c_str()))
        if (const CStr_base<64>* name = tree->GetValue(kRuleNameKey))
            info.ruleName.Assign(*name);
    return true;
}

bool CCliProjectHost::ReviewReaderMessages(const char*, const char* messages, const CReaderRetry&)
{
    m_err << Cp932ToUtf8(messages);
    m_bReaderReported = true;
    return true;
}

bool CCliProjectHost::AskOverwriteChanged(const char* path, const char*)
{
    m_err << m_command << ": " << Cp932ToUtf8(path) << " not written: another program changed it after it was read\n";
    return false;
}
