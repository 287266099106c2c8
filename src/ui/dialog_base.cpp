#include "ui/dialog_base.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/sjis_literal.h"
#include "ui/template_layout.h"
#include "ui/ui_backend.h"
#include "ui/ui_entry.h"
#include "ui/ui_services.h"

namespace {

bool Holds(const CUiRect& outer, const CUiRect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

}  // namespace

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
    if (!m_bChild) {
        const CUiRect rect = m_pWindow->GetRect();
        if (m_template.style & kUiResizable)
            m_pWindow->SetMinTrackSize({rect.w, rect.h});
        CDialogBase* over = m_pOwner;
        while (over && over->m_bChild)
            over = over->m_pOwner;
        if (over) {
            const CUiRect owner = over->GetWindowRect();
            m_pWindow->SetRect({owner.x + (owner.w - rect.w) / 2, owner.y + (owner.h - rect.h) / 2, rect.w, rect.h});
        }
    }
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
void CDialogBase::SetModifiedMark(bool modified) { Window().SetModifiedMark(modified); }
CUiRect CDialogBase::GetWindowRect() const { return Window().GetRect(); }
void CDialogBase::MoveWindow(const CUiRect& rect) { Window().SetRect(rect); }
CUiRect CDialogBase::GetNormalRect() const { return Window().GetNormalRect(); }
bool CDialogBase::IsZoomed() const { return Window().IsMaximized(); }
CUiSize CDialogBase::GetClientSize() const { return Window().GetClientSize(); }
void CDialogBase::SetMinTrackSize(int32_t w, int32_t h) { Window().SetMinTrackSize({w, h}); }
void CDialogBase::SetIcon(int32_t resource) { Window().SetIcon(resource); }
void CDialogBase::PostMessage(uint32_t code) { UiBackend().Post(Window(), code); }
void CDialogBase::SetTimer(uint32_t code, uint32_t milliseconds) { UiBackend().StartTimer(Window(), code, milliseconds); }
void CDialogBase::KillTimer(uint32_t code) { UiBackend().StopTimer(Window(), code); }
void CDialogBase::DrawMenuBar() { Window().MenuChanged(); }
CUiControl CDialogBase::Control(int32_t id) const { return CUiControl(Window(), id); }

bool CDialogBase::CheckTypedText(CStr_base<1024>& errors, int32_t only) const
{
    CUiWindow& window = Window();
    bool accepted = true;
    for (const CUiControlTemplate& control : m_template.controls) {
        if ((only != 0 && control.id != only) ||
            (control.kind != UiControlKind::kEdit && control.kind != UiControlKind::kComboEdit) ||
            (control.style & kUiSearchBox) || !window.IsEnabled(control.id) || !window.IsControlVisible(control.id))
            continue;
        const std::u32string refused = window.GetRefusedChars(control.id);
        if (refused.empty())
            continue;
        accepted = false;
        CStr_base<1024> line;
        line.Format(SJ("[%s]\tShift-JISで保存できない文字が含まれています：%s\n"), TypedFieldName(control.id).GetBuffer(),
                    UiRefusedCharsText(refused).GetBuffer());
        errors.Append(line);
    }
    return accepted;
}

bool CDialogBase::AcceptTypedText(int32_t only)
{
    CStr_base<1024> errors;
    if (CheckTypedText(errors, only))
        return true;
    OnTypedTextRefused(errors);
    return false;
}

CStr_base<64> CDialogBase::TypedFieldName(int32_t id) const
{
    const std::vector<CUiControlTemplate>& controls = m_template.controls;
    const auto self = std::find_if(controls.begin(), controls.end(),
                                   [id](const CUiControlTemplate& control) { return control.id == id; });
    if (self == controls.end())
        throw static_cast<int32_t>(0);
    std::vector<const CUiControlTemplate*> groups;
    for (const CUiControlTemplate& control : controls)
        if (control.kind == UiControlKind::kGroup && Holds(control.rect, self->rect))
            groups.push_back(&control);
    std::sort(groups.begin(), groups.end(), [](const CUiControlTemplate* a, const CUiControlTemplate* b) {
        return int64_t{a->rect.w} * a->rect.h > int64_t{b->rect.w} * b->rect.h;
    });
    CStr_base<64> name;
    auto add = [&name](const char* part) {
        if (!part || !*part)
            return;
        if (!name.IsEmpty())
            name.Append("::");
        name.Append(part);
    };
    for (const CUiControlTemplate* group : groups)
        add(Window().GetText(group->id));
    // The label right before it among the controls shown.
    auto before = self;
    while (before != controls.begin() && !Window().IsControlVisible((before - 1)->id))
        --before;
    if (before != controls.begin() &&
        ((before - 1)->kind == UiControlKind::kStatic || (before - 1)->kind == UiControlKind::kCheck))
        add(Window().GetText((before - 1)->id));
    if (name.IsEmpty())
        name.Assign(GetWindowText());
    return name;
}

void CDialogBase::OnTypedTextRefused(const CStr_base<1024>& errors) { UiMessageBox(errors, UiButtons::kOk, this); }

bool CDialogBase::OnCommand(int32_t, UiEvent) { return false; }
bool CDialogBase::PreTranslateMessage(const CUiMessage&) { return false; }
void CDialogBase::OnSize(int32_t cx, int32_t cy)
{
    if (!(m_template.style & kUiResizable) && !m_bChild)
        return;
    const std::vector<CUiRect> rects = FollowClientSize(m_template, {cx, cy});
    for (size_t i = 0; i < rects.size(); ++i)
        Window().SetControlRect(m_template.controls[i].id, rects[i]);
}
void CDialogBase::OnShowWindow(bool) {}
