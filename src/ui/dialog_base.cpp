#include "ui/dialog_base.h"

#include <algorithm>

#include "ui/ui_backend.h"
#include "ui/ui_entry.h"

CDialogBase::CDialogBase(const CUiDialogTemplate& dialogTemplate)
    : m_template(dialogTemplate), m_menu(dialogTemplate.menu), m_systemMenu(UiStandardSystemMenu())
{
}

CDialogBase::~CDialogBase()
{
    const std::vector<CDialogBase*> owned = m_owned;
    for (CDialogBase* dialog : owned)
        dialog->DestroyWindow();
    m_pWindow.reset();
    Detach();
}

int32_t CDialogBase::DoModal(CDialogBase* owner)
{
    if (!Build(owner, false))
        return kIdCancel;
    m_nResult = kIdCancel;
    m_bEnded = false;
    m_bModal = true;
    Initialise();
    if (m_pWindow && !m_bEnded)
        UiBackend().RunModal(*m_pWindow);
    m_bModal = false;
    DestroyWindow();
    return m_nResult;
}

bool CDialogBase::Create(CDialogBase* owner)
{
    if (!Build(owner, false))
        return false;
    Initialise();
    return true;
}

bool CDialogBase::CreateChild(CDialogBase& parent)
{
    if (!parent.HasWindow() || !Build(&parent, true))
        return false;
    Initialise();
    return true;
}

bool CDialogBase::Build(CDialogBase* owner, bool child)
{
    if (m_pWindow)
        return false;
    if (owner && !owner->HasWindow())
        owner = nullptr;
    m_menu = m_template.menu;
    m_systemMenu = UiStandardSystemMenu();
    m_pWindow = UiBackend().CreateWindow(*this, owner ? owner->m_pWindow.get() : nullptr, child);
    m_pOwner = owner;
    m_bChild = child;
    if (owner)
        owner->m_owned.push_back(this);
    return true;
}

void CDialogBase::Initialise()
{
    if (!OnInitDialog() || !m_pWindow)
        return;
    for (const CUiControlTemplate& control : m_template.controls) {
        if ((control.style & kUiTabStop) && m_pWindow->IsEnabled(control.id) &&
            m_pWindow->IsControlVisible(control.id)) {
            m_pWindow->Focus(control.id);
            return;
        }
    }
}

void CDialogBase::DestroyWindow()
{
    if (!m_pWindow || m_bDestroying)
        return;
    if (m_bModal) {
        EndDialog(kIdCancel);
        return;
    }
    m_bDestroying = true;
    std::vector<CDialogBase*> owned = m_owned;
    for (CDialogBase* dialog : owned) {
        if (!dialog->m_bChild)
            dialog->DestroyWindow();
    }
    OnDestroy();
    owned = m_owned;
    for (CDialogBase* dialog : owned)
        dialog->DestroyWindow();
    m_pWindow.reset();
    Detach();
    m_bDestroying = false;
}

void CDialogBase::Detach()
{
    if (m_pOwner) {
        std::vector<CDialogBase*>& list = m_pOwner->m_owned;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_pOwner = nullptr;
    m_bChild = false;
}

void CDialogBase::EndDialog(int32_t result)
{
    if (!m_pWindow)
        return;
    if (!m_bModal) {
        m_pWindow->Show(UiShow::kHide);
        return;
    }
    m_nResult = result;
    if (!m_bEnded) {
        m_bEnded = true;
        UiBackend().EndModal(*m_pWindow);
    }
}

CUiWindow& CDialogBase::Window() const
{
    if (!m_pWindow)
        throw static_cast<int32_t>(0);
    return *m_pWindow;
}

void CDialogBase::ShowWindow(UiShow show) { Window().Show(show); }
bool CDialogBase::IsWindowVisible() const { return Window().IsVisible(); }
void CDialogBase::SetFocus() { Window().Activate(); }
bool CDialogBase::IsActive() const { return Window().IsActive(); }
void CDialogBase::SetWindowText(const char* text) { Window().SetCaption(text); }
const char* CDialogBase::GetWindowText() const { return Window().GetCaption(); }
CUiRect CDialogBase::GetWindowRect() const { return Window().GetRect(); }
void CDialogBase::MoveWindow(const CUiRect& rect) { Window().SetRect(rect); }
CUiRect CDialogBase::GetNormalRect() const { return Window().GetNormalRect(); }
bool CDialogBase::IsZoomed() const { return Window().IsMaximized(); }
CUiSize CDialogBase::GetClientSize() const { return Window().GetClientSize(); }
void CDialogBase::SetMinTrackSize(int32_t w, int32_t h) { Window().SetMinTrackSize({w, h}); }
void CDialogBase::SetIcon(int32_t resource) { Window().SetIcon(resource); }
void CDialogBase::PostMessage(uint32_t code) { UiBackend().Post(Window(), code); }
void CDialogBase::DrawMenuBar() { Window().MenuChanged(); }
CUiControl CDialogBase::Control(int32_t id) const { return CUiControl(Window(), id); }

bool CDialogBase::OnCommand(int32_t, UiEvent) { return false; }
bool CDialogBase::PreTranslateMessage(const CUiMessage&) { return false; }
void CDialogBase::OnSize(int32_t, int32_t) {}
void CDialogBase::OnShowWindow(bool) {}
