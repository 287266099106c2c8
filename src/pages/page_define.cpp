#include "pages/page_define.h"

#include "editing/define_text.h"
#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"
#include "pages/page_define_template.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

using namespace define_page;

Cpage_define::Cpage_define(CPageContext& context) : CMainPage(DefinePageTemplate(), context)
{
    Bind(IDC_REVERT, UiEvent::kClicked, &Cpage_define::ShowDefinition);
}

void Cpage_define::Reload()
{
    if (HasWindow())
        ShowDefinition();
}

bool Cpage_define::OnInitDialog()
{
    CUiControl edit = Control(IDC_DEFINE_EDIT);
    edit.SetFont(m_context.FunctionFont());
    edit.SetTabStops(12);
    ShowDefinition();
    return true;
}

void Cpage_define::ShowDefinition()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    CStr_base<16384> text(m_context.Document().definedata.text.GetBuffer());
    LfToCrLf(text);
    CUiControl edit = Control(IDC_DEFINE_EDIT);
    edit.SetText(text.GetBuffer());
    edit.GetText(m_shown);
}

CApplyResult Cpage_define::Apply()
{
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    CStr_base<16384> now;
    Control(IDC_DEFINE_EDIT).GetText(now);
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    CMerxDocument& doc = m_context.Document();
    auto before = std::make_unique<CElementSnapshot>(doc.definedata);
    CStr_base<1024> errors;
    if (!ApplyDefineText(doc, m_shown, now, errors))
        return Refuse(errors);
    m_context.Record(ContentChanged(doc, doc.definedata, std::move(before)), SJ("定義の適用"));
    m_shown = now;
    return {};
}

bool Cpage_define::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && id == IDC_DEFINE_EDIT && event == UiEvent::kChanged)
        m_context.MarkModified();
    return CMainPage::OnCommand(id, event);
}

bool Cpage_define::PreTranslateMessage(const CUiMessage& message)
{
    if (InsertTabForKey(*this, message, IDC_DEFINE_EDIT)) {
        m_context.MarkModified();
        return true;
    }
    return CMainPage::PreTranslateMessage(message);
}
