// The preferences dialog: edits the keys of the section "Custom" of the
// settings store. The store is written to its file only when the program
// closes.
#pragma once

#include <cstdint>

#include "settings/settings_store.h"
#include "ui/dialog_base.h"

class CPreferencesDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 140,
        IDC_PAGE_ESCAPE = 1003,      // completion mode of the field pages
        IDC_EDIT_ESCAPE = 1024,      // completion mode of the direct-input windows
        IDC_INCLUDE_FACTOR = 1019,   // "@@INCLUDE" as an element
        IDC_AUTO_BACKUP = 1020,
        IDC_RESTORE_OPEN = 1021,
        IDC_ICON_APP_BROWSE = 1026,
        IDC_ICON_APP_PATH = 1084,
        IDC_ICON_APP_VALUE = 1004,
        IDC_EXT_CONTROL = 1098,
        IDC_EXT_GROUP = 1099,
    };

    // The store must have the section "Custom".
    explicit CPreferencesDlg(CSettingsStore& settings);
    ~CPreferencesDlg() override { DestroyWindow(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnExtControl();
    void OnBrowseIconApp();
    void EnableExtensions(bool enable);
    // Selects the mode stored under `key` in `combo`; a key that holds no
    // mode 0 to 2 is rewritten to "0".
    void ShowEscapeMode(int32_t combo, const char* key);

    CSettingsStore& m_settings;
};
