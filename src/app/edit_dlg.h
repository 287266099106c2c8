// The separate-window edit: a plain large editor for one multi-line field
// of a page, without validation, captioned by its caller.
#pragma once

#include <cstdint>

#include "app/modified_marker.h"
#include "app/window_geometry.h"
#include "foundation/str_base.h"
#include "ui/dialog_base.h"

class CEditDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 146,
        IDC_TEXT = 1084,
    };

    // `font` is the main dialog's 12-point font.
    CEditDlg(CSettingsStore& settings, CModifiedMarker& marker, const CUiFont& font);
    ~CEditDlg() override;

    void SetTitle(const char* title) { m_strTitle = title; }
    // The text to edit ("\r\n" line ends); after OK, the edited text.
    void SetText(const char* text) { m_strText = text; }
    const CStr_base<16384>& GetText() const { return m_strText; }

protected:
    bool OnInitDialog() override;
    // Marks the project modified, even when the text is unchanged.
    void OnOK() override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnSize(int32_t cx, int32_t cy) override;
    void OnDestroy() override;

private:
    CSettingsStore& m_settings;
    CModifiedMarker& m_marker;
    CUiFont m_font;
    CStr_base<64> m_strTitle;
    CStr_base<16384> m_strText;
    bool m_bInitialised = false;  // from the end of OnInitDialog until the window goes
};
