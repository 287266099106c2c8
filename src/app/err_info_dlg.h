// The error-info window: the modeless companion of the direct-input window
// that lists the lines of the last refusal. Double-clicking a line that
// carries a bracketed line number sends the caret to that line of the
// direct-input text.
#pragma once

#include <cstdint>
#include <functional>

#include "app/window_geometry.h"
#include "foundation/str_array.h"
#include "ui/dialog_base.h"

class CErrInfoDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 142,
        IDC_LIST = 1001,
        IDC_LOCK = 1018,  // "固定": stay open after a jump
    };

    // `goToLine` takes the caret of the direct-input text to a line (from
    // 1); `hidden` hears that the window hid itself.
    CErrInfoDlg(CSettingsStore& settings, std::function<void(uint32_t line)> goToLine, std::function<void()> hidden);
    ~CErrInfoDlg() override;

    // Replaces the lines with `text` cut at line feeds (an empty piece after
    // the last line feed is no line) and refills the list when the window
    // exists; null only refills the list.
    void SetLines(const char* text);
    const CStrArray_base<64>& GetLines() const { return m_lines; }

protected:
    bool OnInitDialog() override;
    // Enter, Escape and the close box hide the window.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }
    void OnSize(int32_t cx, int32_t cy) override;
    void OnDestroy() override;

private:
    void OnDblclkList1();
    // Hides the window; the next refusal shows it again.
    void Hide();

    CSettingsStore& m_settings;
    std::function<void(uint32_t line)> m_goToLine;
    std::function<void()> m_hidden;
    CStrArray_base<64> m_lines;
};
