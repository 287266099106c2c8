// The tool results window: modeless and resizable, owned by the main dialog
// for the whole run, shown on demand. The tools put their findings into it
// as lines; a line that begins with an element's kind and index
// ("ITEM[3]：…", "EVENT[0]", "FUNC[2]", "DEFINE[0]", "OTHER[7]") jumps to
// that element when double-clicked, wherever it stands now: the line keeps
// naming the element it named when the lines were set, through elements
// added, removed and moved elsewhere; an element that went is told of.
// "INFO" lines name no element. The window keeps its
// rectangle and its "固定" box in the section "JumpInfoDialog" of the
// settings store, stored when its window goes.
#pragma once

#include <cstdint>
#include <vector>

#include "app/page_context.h"
#include "foundation/str_array.h"
#include "ui/dialog_base.h"

class CProjectJumpInfoDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 144,
        IDC_LIST = 1001,
        IDC_LOCK = 1018,  // "固定": stay open after a jump
    };

    explicit CProjectJumpInfoDlg(CPageContext& context);
    ~CProjectJumpInfoDlg() override { DestroyWindow(); }

    // Replaces the lines by `text` cut at line feeds (a final line feed gives
    // no empty last line) and remembers the element each names; the list
    // shows them when the window exists.
    void SetLines(const char* text);
    const CStrArray_base<64>& Lines() const { return m_lines; }

    // Shows the window the first time and marks it shown; later it gets
    // the focus.
    void Show();
    // Set by Show, cleared when the window hides.
    bool m_bShown = false;

    // For the find window: whether it is shown, its selected line, and the
    // identity of the element that line named when it was set (0 for none;
    // result_line.h).
    bool IsShown() const { return m_bShown && HasWindow(); }
    bool SelectedLine(CStr_base<64>& line) const;
    uint32_t SelectedIdentity() const;

protected:
    bool OnInitDialog() override;
    // Enter, Escape and the close box hide the window.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }
    void OnSize(int32_t cx, int32_t cy) override;
    void OnDestroy() override;

private:
    void Hide();
    void FillList();
    // Double-click on a line: shows the element it names on its page.
    void OnDblclkList1();
    // The access message for a line whose element is gone or moved.
    void RefuseStale();

    CPageContext& m_context;
    CStrArray_base<64> m_lines;
    std::vector<uint32_t> m_ids; // for each line, the identity of its element when it was set
};
