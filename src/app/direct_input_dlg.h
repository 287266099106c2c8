// The direct-input window: edits the whole text of one element (or of the
// whole data file) in the data-file notation. "OK" hands the text to the
// caller's validation function; the window closes only when the text is
// accepted, and otherwise lists the refusal in its error-info window.
//
// One object serves every caller: each sets the text and the validation
// function, runs the window modally and, after OK, takes the text back.
#pragma once

#include <cstdint>
#include <functional>

#include "app/err_info_dlg.h"
#include "app/modified_marker.h"
#include "app/window_geometry.h"
#include "foundation/str_base.h"
#include "ui/dialog_base.h"

// The caller's validation of a direct input: receives the edited text ("\n"
// line ends, no leading white space), which it may change; returns true to
// accept it, or false with `errors` holding lines that each end in "\n".
using CDirectInputCheck = std::function<bool(CStr_base<16384>& text, CStr_base<1024>& errors)>;

class CDirectInputDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 137,
        IDC_TEXT = 1084,
        IDC_ERRINFO = 1026,  // "エラー情報": shows the error-info window
    };

    CDirectInputDlg(CSettingsStore& settings, CModifiedMarker& marker);
    ~CDirectInputDlg() override;

    // The face and size of the edit's font (the main dialog's 12-point font).
    void SetFont(const CUiFont& font) { m_font = font; }
    // The text to edit; after OK, the accepted text with "\n" line ends.
    void SetText(const char* text) { m_strText = text; }
    const CStr_base<16384>& GetText() const { return m_strText; }
    // The validation; none accepts every text.
    void SetCheck(CDirectInputCheck check) { m_check = std::move(check); }
    // Error lines shown as soon as the window next opens (the reader's lines
    // about a whole data file); they are used once.
    void SetOpeningErrors(const char* errors) { m_strOpeningErrors = errors; }
    CErrInfoDlg& ErrInfo() { return m_errInfo; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnSize(int32_t cx, int32_t cy) override;
    void OnDestroy() override;

private:
    void OnErrInfoButton() { ShowErrInfo(); }
    // For the error-info window: puts the caret at the start of line `line`
    // (from 1; past the last line, the last line), scrolls it into view and
    // gives the edit the focus.
    void GoToLine(uint32_t line);
    // Shows the error-info window if it was not shown since it was last
    // hidden; otherwise gives it the focus.
    void ShowErrInfo();

    CSettingsStore& m_settings;
    CModifiedMarker& m_marker;
    CUiFont m_font;
    CStr_base<16384> m_strText;
    CDirectInputCheck m_check;
    CStr_base<1024> m_strOpeningErrors;
    CErrInfoDlg m_errInfo;
    bool m_bErrInfoShown = false;  // shown since it was last hidden
};
