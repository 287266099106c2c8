// The find/replace window: modeless, owned by the main dialog for the whole
// run, shown on demand; closing it hides it and its controls keep their
// values. It searches the elements of a target set, or replaces in them,
// and lists what it found in the tool results window.
//
// A run goes through the progress service (ui/ui_progress.h): a search
// that takes longer than a moment shows a progress window whose cancel
// stops it; a stopped replace changes nothing. The main dialog's wait
// counter stays raised for the whole run, messages included, so that a
// double-click in the results window cannot switch pages meanwhile.
#pragma once

#include <cstdint>

#include "app/page_context.h"
#include "tools/find_dlg_template.h"
#include "tools/project_jump_info_dlg.h"
#include "ui/dialog_base.h"

class FindDlg : public CDialogBase {
public:
    enum : int32_t { IDD = find_dlg::IDD };

    // `results` is the tool results window the lines go to.
    FindDlg(CPageContext& context, CProjectJumpInfoDlg& results);
    ~FindDlg() override { DestroyWindow(); }

    // Set by the main dialog's show command, cleared when the window hides.
    bool m_bShown = false;

    // The worker: reads the controls, searches (or replaces in) the target
    // set, and hands the result lines to the results window.
    void Find_Replace(bool replace);
    // The method and the pattern options as the mode word of find_methods.h.
    uint32_t Mode() const;
    // F3: searches again with what the window holds; with nothing to
    // search for, shows the window instead.
    void FindAgain();

protected:
    bool OnInitDialog() override;
    // Enter presses "検索"; Escape and the close box hide the window.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }
    bool PreTranslateMessage(const CUiMessage& message) override;

private:
    void Hide();
    void OnFind() { Find_Replace(false); }
    void OnShowResults() { m_results.Show(); }
    // "全て置換(&R)": refused while the main window waits; the current page
    // applies its edits first and a refusal cancels the replace.
    void OnReplaceAll();

    CPageContext& m_context;
    CProjectJumpInfoDlg& m_results;
};
