#include "pages/page_func.h"

#include "document/data_writer.h"
#include "document/function_keywords.h"
#include "editing/function_blocks.h"
#include "editing/function_text.h"
#include "editing/internal_error.h"
#include "editing/line_ends.h"
#include "editing/step_names.h"
#include "foundation/sjis_literal.h"
#include "pages/page_func_template.h"
#include "settings/setting_keys.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

using namespace func_page;

Cpage_func::Cpage_func(CPageContext& context) : CMainPage(FuncPageTemplate(), context)
{
    Bind(IDC_FUNC_COMBO, UiEvent::kSelChanged, &Cpage_func::OnSelChangeCombo1);
    Bind(IDC_REVERT, UiEvent::kClicked, &Cpage_func::OnRevert);
    Bind(IDC_DIRECT_EDIT, UiEvent::kClicked, &Cpage_func::OnDirectEdit);
}

void Cpage_func::SelectElement(int32_t index)
{
    if (!HasWindow()) {
        nowfuncID = index;
        return;
    }
    Control(IDC_FUNC_COMBO).SetCurSel(index);
    OnSelChangeCombo1();
}

void Cpage_func::Reload()
{
    if (!HasWindow())
        return;
    nowfuncID = -1;
    OnSelChangeCombo1();
}

int32_t Cpage_func::EscapeMode(const char* key) const { return ReadSettingNumber(m_context.Settings(), key, 0); }

bool Cpage_func::OnInitDialog()
{
    CUiControl combo = Control(IDC_FUNC_COMBO);
    for (const char* keyword : g_aszMerxFunctionKeywords)
        combo.AddString(keyword);
    CUiControl edit = Control(IDC_FUNC_EDIT);
    edit.SetFont(m_context.FunctionFont());
    edit.SetTabStops(12);
    const bool valid = nowfuncID >= 0 && static_cast<uint32_t>(nowfuncID) < MERX_FUNCTION_COUNT;
    combo.SetCurSel(valid ? nowfuncID : 0);
    // Entering the page shows the block; nothing is stored.
    nowfuncID = -1;
    OnSelChangeCombo1();
    return true;
}

void Cpage_func::ShowBlock(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Csinglestruct* block = m_context.Document().FindFunction(g_aszMerxFunctionKeywords[index]);
    CStr_base<16384> text;
    ShowFunctionText(block ? block->text.GetBuffer() : "", text);
    CUiControl edit = Control(IDC_FUNC_EDIT);
    edit.SetText(text.GetBuffer());
    edit.GetText(m_shown);
    nowfuncID = index;
}

CApplyResult Cpage_func::SaveShownBlock()
{
    Csinglestruct* block = m_context.Document().FindFunction(g_aszMerxFunctionKeywords[nowfuncID]);
    if (!block)
        return {};
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    CStr_base<16384> now;
    Control(IDC_FUNC_EDIT).GetText(now);
    CStr_base<1024> errors;
    auto before = std::make_unique<CElementSnapshot>(*block);
    if (!ReadBackFunctionText(m_context.Document(), block->keyword.GetBuffer(), m_shown, now,
                              EscapeMode(kPageEscapeModeKey), m_context.Question(), block->text, errors))
        return Refuse(errors);
    m_context.Record(ContentChanged(m_context.Document(), *block, std::move(before)),
                     ElementStepName(*block, SJ("適用")).GetBuffer());
    return {};
}

CApplyResult Cpage_func::SelectBlock()
{
    const CModalWaitScope wait(m_context.ModalWait());
    CUiControl combo = Control(IDC_FUNC_COMBO);
    if (nowfuncID != -1) {
        if (nowfuncID < 0 || static_cast<uint32_t>(nowfuncID) >= MERX_FUNCTION_COUNT) {
            CStr_base<64> info;
            info.Format(SJ("nowfuncID：%d\n"), nowfuncID);
            m_context.ShowMessage(
                InternalErrorReport("singledata_outlength", "Cpage_func::OnSelChangeCombo1()", info.GetBuffer())
                    .GetBuffer());
            return {};
        }
        CApplyResult saved = SaveShownBlock();
        if (saved.IsRefused()) {
            const CNotifyQuietScope quiet(m_context.NotifyReady());
            combo.SetCurSel(nowfuncID);
            return saved;
        }
    }
    const int32_t selected = combo.GetCurSel();
    if (selected >= 0)
        ShowBlock(selected);
    return {};
}

void Cpage_func::OnRevert()
{
    nowfuncID = -1;
    OnSelChangeCombo1();
}

void Cpage_func::OnDirectEdit()
{
    if (m_context.RefuseWhileWaiting() || nowfuncID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    // The shown block is stored first; its refusal stops here.
    if (SelectBlock().IsRefused())
        return;

    // A refused reading is shown in the direct-input window only: it is no
    // failed apply, and it would stop the next direct edit.
    CMerxDocument& doc = m_context.Document();
    CStr_base<16384> text = CMerxWriter(doc).WriteFunctionBlocks();
    CEditCommandPtr step;
    const bool accepted = m_context.RunDirectInput(text, [&](CStr_base<16384>& candidate, CStr_base<1024>& errors) {
        CFunctionTexts texts;
        if (!ReadFunctionBlocks(candidate.GetBuffer(), doc.IsIncludeAsElement(), texts, errors))
            return false;
        step = StoreFunctionBlocks(doc, texts, EscapeMode(kEditEscapeModeKey), m_context.Question());
        return true;
    });
    if (!accepted)
        return;
    m_context.Record(std::move(step), SJ("関数の直接編集"));
    nowfuncID = -1;
    OnSelChangeCombo1();
}

bool Cpage_func::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && id == IDC_FUNC_EDIT && event == UiEvent::kChanged)
        m_context.MarkModified();
    return CMainPage::OnCommand(id, event);
}

bool Cpage_func::PreTranslateMessage(const CUiMessage& message)
{
    if (InsertTabForKey(*this, message, IDC_FUNC_EDIT)) {
        m_context.MarkModified();
        return true;
    }
    return CMainPage::PreTranslateMessage(message);
}

CStr_base<64> Cpage_func::TypedFieldName(int32_t id) const
{
    if (id == IDC_FUNC_EDIT && nowfuncID >= 0 && static_cast<uint32_t>(nowfuncID) < MERX_FUNCTION_COUNT)
        return CStr_base<64>(g_aszMerxFunctionKeywords[nowfuncID]);
    return CMainPage::TypedFieldName(id);
}
