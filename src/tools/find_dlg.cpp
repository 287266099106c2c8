#include "tools/find_dlg.h"

#include <algorithm>
#include <vector>

#include "editing/find_methods.h"
#include "editing/find_replace.h"
#include "editing/find_targets.h"
#include "editing/step_names.h"
#include "foundation/sjis_literal.h"
#include "ui/ui_progress.h"
#include "ui/ui_services.h"

using namespace find_dlg;

namespace {

void Fill(CUiControl list, const char* const* items, int32_t selected)
{
    for (const char* const* item = items; *item; ++item)
        list.AddString(SjisLiteralBytes(*item).c_str());
    list.SetCurSel(selected);
}

}  // namespace

FindDlg::FindDlg(CPageContext& context, CProjectJumpInfoDlg& results)
    : CDialogBase(find_dlg::Template()), m_context(context), m_results(results)
{
    Bind(IDC_FIND, UiEvent::kClicked, &FindDlg::OnFind);
    Bind(IDC_SHOW_RESULTS, UiEvent::kClicked, &FindDlg::OnShowResults);
    Bind(IDC_REPLACE_ALL, UiEvent::kClicked, &FindDlg::OnReplaceAll);
}

void FindDlg::FindAgain()
{
    CStr_base<1024> text;
    if (HasWindow())
        Control(find_dlg::IDC_SEARCH).GetText(text);
    if (text.IsEmpty()) {
        m_bShown = true;
        ShowWindow(UiShow::kShow);
        return;
    }
    Find_Replace(false);
}

bool FindDlg::PreTranslateMessage(const CUiMessage& message)
{
    if (message.kind != UiMessageKind::kKey || message.key != UiKey::kF3)
        return false;
    FindAgain();
    return true;
}

bool FindDlg::OnInitDialog()
{
    Fill(Control(IDC_TARGET), kTargetItems, kFindCurrentPage);
    Fill(Control(IDC_FIELD), kFieldItems, kFindFullText);
    Fill(Control(IDC_METHOD), kMethodItems, kFindContains);
    return true;
}

void FindDlg::Hide()
{
    m_bShown = false;
    ShowWindow(UiShow::kHide);
}

uint32_t FindDlg::Mode() const
{
    uint32_t mode = static_cast<uint32_t>(std::max(0, Control(IDC_METHOD).GetCurSel())) & kFindMethodMask;
    if (Control(IDC_SERIAL).GetCheck())
        mode |= kFindOptionSerial;
    if (Control(IDC_IGNORE_CASE).GetCheck())
        mode |= kFindOptionIgnoreCase;
    if (Control(IDC_REPEAT).GetCheck())
        mode |= kFindOptionRepeat;
    return mode;
}

void FindDlg::OnReplaceAll()
{
    if (m_context.RefuseWhileWaiting())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (m_context.ApplyCurrentPage().IsRefused())
        return;
    Find_Replace(true);
}

void FindDlg::Find_Replace(bool replace)
{
    if (!AcceptTypedText())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    CMerxDocument& doc = m_context.Document();

    CFindRequest request;
    request.field = std::max(0, Control(IDC_FIELD).GetCurSel());
    request.mode = Mode();
    Control(IDC_SEARCH).GetText(request.search);
    Control(IDC_REPLACEMENT).GetText(request.replacement);
    request.replace = replace;

    std::vector<CFindElement> targets;
    const int32_t target = Control(IDC_TARGET).GetCurSel();
    if (target == kFindResultLine) {
        if (!m_results.IsShown()) {
            m_context.ShowMessage(SJ("結果ウィンドウが表示されていません"));
            return;
        }
        CStr_base<64> line;
        if (!m_results.SelectedLine(line)) {
            m_context.ShowMessage(SJ("選択されたオブジェクトがありません"));
            return;
        }
        CFindElement found;
        const char* message = "";
        if (!FindTargetOfResultLine(doc, line.GetBuffer(), m_results.SelectedIdentity(), found, message)) {
            m_context.ShowMessage(message);
            return;
        }
        targets.push_back(found);
    } else {
        targets = CollectFindTargets(doc, target, m_context.CurrentElement());
    }

    // Nothing else runs while the worker reads the document; it changes
    // nothing of it (the commit below does, on this thread).
    CFindOutcome outcome;
    const CMerxDocument& reading = doc;
    UiRunWithProgress(
        SJ("検索/置換"), replace ? SJ("置換しています...") : SJ("検索しています..."),
        [&](const std::atomic<bool>& cancel, const CUiProgressReport& report) {
            outcome = RunFindReplace(reading, targets, request, &cancel, report);
        },
        this);
    if (outcome.stop != StrRegexStop::kNone) {
        m_context.ShowMessage(FindStoppedMessage(replace, outcome.stop).GetBuffer());
        return;
    }

    if (replace)
        m_context.Record(CommitFindReplace(m_context.Document(), outcome),
                         ReplaceStepName(outcome.elements).GetBuffer());
    m_results.SetLines(outcome.lines.GetBuffer());
    if (m_results.HasWindow())
        m_results.SetWindowText(FindResultTitle(replace, outcome.elements).GetBuffer());
    // The page shows the replaced document before anything can ask it to
    // apply what it showed before.
    if (replace && outcome.replacements > 0)
        m_context.ReloadCurrentPage();
    CStr_base<64> message = FindResultMessage(replace, outcome);
    if (replace && outcome.refused > 0)
        message.Append(SJ("\n詳しくは結果ウィンドウを確認してください。"));
    if (!message.IsEmpty())
        m_context.ShowMessage(message.GetBuffer());
    if (!outcome.lines.IsEmpty())
        m_results.Show();
}
