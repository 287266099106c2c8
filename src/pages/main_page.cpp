#include "pages/main_page.h"

CMainPage::CMainPage(const CUiDialogTemplate& dialogTemplate, CPageContext& context)
    : CDialogBase(dialogTemplate), m_context(context)
{
}

CMainPage::~CMainPage() { DestroyWindow(); }

int32_t CMainPage::CurrentElement() const { return -1; }

void CMainPage::SelectElement(int32_t) {}

void CMainPage::Reload() {}
