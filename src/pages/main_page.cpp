#include "pages/main_page.h"

CMainPage::CMainPage(const CUiDialogTemplate& dialogTemplate, CPageContext& context)
    : CDialogBase(dialogTemplate), m_context(context)
{
}

CMainPage::~CMainPage() { DestroyWindow(); }

int32_t CMainPage::CurrentElement() const { return -1; }

void CMainPage::SelectElement(int32_t) {}

void CMainPage::Reload() {}

void CMainPage::OnTypedTextRefused(const CStr_base<1024>& errors) { m_context.ShowMessage(errors.GetBuffer()); }

CApplyResult CMainPage::AcceptTypedEdits(int32_t only)
{
    CStr_base<1024> errors;
    if (CheckTypedText(errors, only))
        return {};
    return Refuse(errors);
}

CApplyResult CMainPage::Refuse(const CStr_base<1024>& messages)
{
    m_context.ShowMessage(messages.GetBuffer());
    return CApplyResult::Refusal(messages);
}
