#include "ui/headless/headless_window.h"

#include <algorithm>

#include "foundation/cp932.h"
#include "ui/dialog_base.h"
#include "ui/headless/headless_backend.h"
#include "ui/ui_entry.h"

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::min(std::max(value, low), high); }

}  // namespace

CHeadlessWindow::CHeadlessWindow(CHeadlessBackend& backend, CDialogBase& dialog, CHeadlessWindow* owner, bool child)
    : m_pBackend(&backend),
      m_dialog(dialog),
      m_pOwner(owner),
      m_bChild(child && owner),
      m_nSerial(backend.Register(this)),
      m_strCaption(dialog.Template().caption)
{
    const CUiDialogTemplate& t = dialog.Template();
    m_controls.reserve(t.controls.size());
    for (const CUiControlTemplate& control : t.controls)
        m_controls.emplace_back(control);
    m_rect = m_bChild ? CUiRect{0, 0, t.client.w, t.client.h}
                      : CUiRect{0, 0, t.client.w + kHeadlessFrame.w, t.client.h + kHeadlessFrame.h};
    m_normal = m_rect;
}

CHeadlessWindow::~CHeadlessWindow()
{
    if (m_pBackend)
        m_pBackend->Unregister(this);
}

void CHeadlessWindow::SetCaption(const char* text) { m_strCaption.Assign(text); }

void CHeadlessWindow::Show(UiShow show)
{
    const bool wasVisible = m_bVisible;
    const CUiSize before = GetClientSize();
    switch (show) {
    case UiShow::kHide:
        m_bVisible = false;
        if (m_pBackend)
            m_pBackend->FocusLeaves(this);
        break;
    case UiShow::kShow:
        m_bVisible = true;
        break;
    case UiShow::kMaximize:
        m_bVisible = true;
        if (!m_bMaximized) {
            m_normal = m_rect;
            m_rect = kHeadlessScreen;
            m_bMaximized = true;
        }
        break;
    case UiShow::kRestore:
        m_bVisible = true;
        if (m_bMaximized) {
            m_rect = m_normal;
            m_bMaximized = false;
        }
        break;
    }
    if (m_bVisible)
        Activate();
    const CUiSize after = GetClientSize();
    CHeadlessBackend* backend = m_pBackend;
    CDialogBase& dialog = m_dialog;
    const uint64_t serial = m_nSerial;
    if (m_bVisible != wasVisible) {
        CUiEntry::Shown(dialog, !wasVisible);
        if (!backend || !backend->Find(serial))
            return;
    }
    if (!(after == before))
        CUiEntry::Size(dialog, after.w, after.h);
}

void CHeadlessWindow::Activate()
{
    for (CHeadlessWindow* w = this; w; w = w->m_bChild ? w->m_pOwner : nullptr) {
        if (!w->m_bVisible)
            return;
    }
    if (m_pBackend)
        m_pBackend->SetFocusWindow(this);
}

bool CHeadlessWindow::IsActive() const
{
    CHeadlessWindow* focus = m_pBackend ? m_pBackend->FocusWindow() : nullptr;
    return focus && focus->TopLevel() == const_cast<CHeadlessWindow*>(this)->TopLevel();
}

CHeadlessWindow* CHeadlessWindow::TopLevel()
{
    CHeadlessWindow* w = this;
    while (w->m_bChild && w->m_pOwner)
        w = w->m_pOwner;
    return w;
}

void CHeadlessWindow::SetRect(const CUiRect& rect)
{
    CUiRect r = rect;
    const CUiSize smallest = m_bChild ? CUiSize{0, 0}
                                      : CUiSize{std::max(m_minTrack.w, kHeadlessFrame.w),
                                                std::max(m_minTrack.h, kHeadlessFrame.h)};
    r.x = Clamp(r.x, -32768, 32767);
    r.y = Clamp(r.y, -32768, 32767);
    r.w = Clamp(r.w, smallest.w, 32767);
    r.h = Clamp(r.h, smallest.h, 32767);
    const CUiSize before = GetClientSize();
    m_bMaximized = false;
    m_rect = r;
    m_normal = r;
    const CUiSize after = GetClientSize();
    if (!(after == before))
        CUiEntry::Size(m_dialog, after.w, after.h);
}

CUiSize CHeadlessWindow::GetClientSize() const
{
    if (m_bChild)
        return {m_rect.w, m_rect.h};
    return {std::max(0, m_rect.w - kHeadlessFrame.w), std::max(0, m_rect.h - kHeadlessFrame.h)};
}

void CHeadlessWindow::SetText(int32_t id, const char* text)
{
    CHeadlessControl& control = Control(id);
    control.Assign(text);
    if (control.kind == UiControlKind::kEdit)
        Notify(id, UiEvent::kChanged);
}

const char* CHeadlessWindow::GetText(int32_t id) const { return Control(id).text; }

std::u32string CHeadlessWindow::GetRefusedChars(int32_t id) const
{
    const CHeadlessControl& control = Control(id);
    return control.IsEdit() ? TypedToCp932(control.typed).refused : std::u32string();
}

void CHeadlessWindow::Focus(int32_t id)
{
    Control(id);
    m_nFocus = id;
    Activate();
}

void CHeadlessWindow::GetSel(int32_t id, uint32_t& start, uint32_t& end) const
{
    const CHeadlessControl& control = Control(id);
    start = control.selStart;
    end = control.selEnd;
}

void CHeadlessWindow::ReplaceSel(int32_t id, const char* text, bool undoable)
{
    Control(id).Replace(text, undoable, true);
    Notify(id, UiEvent::kChanged);
}

void CHeadlessWindow::SetMargins(int32_t id, int32_t left, int32_t right)
{
    CHeadlessControl& control = Control(id);
    control.marginLeft = left;
    control.marginRight = right;
}

void CHeadlessWindow::ScrollCaret(int32_t id)
{
    CHeadlessControl& control = Control(id);
    control.scrolledTo = control.selEnd;
}

void CHeadlessWindow::ResetItems(int32_t id)
{
    CHeadlessControl& control = Control(id);
    control.items.clear();
    control.SelectItem(-1);
}

int32_t CHeadlessWindow::InsertItem(int32_t id, int32_t index, const char* text)
{
    CHeadlessControl& control = Control(id);
    const int32_t count = static_cast<int32_t>(control.items.size());
    if (index < 0 || index > count)
        index = count;
    control.items.insert(control.items.begin() + index, CStr_base<64>(text));
    if (control.curSel >= index)
        ++control.curSel;
    return index;
}

bool CHeadlessWindow::DeleteItem(int32_t id, int32_t index)
{
    CHeadlessControl& control = Control(id);
    if (index < 0 || static_cast<uint32_t>(index) >= control.items.size())
        return false;
    control.items.erase(control.items.begin() + index);
    if (control.curSel == index)
        control.curSel = -1;
    else if (control.curSel > index)
        --control.curSel;
    return true;
}

const char* CHeadlessWindow::GetItemText(int32_t id, int32_t index) const
{
    const CHeadlessControl& control = Control(id);
    if (index < 0 || static_cast<uint32_t>(index) >= control.items.size())
        return nullptr;
    return control.items[index];
}

CHeadlessControl* CHeadlessWindow::FindControl(int32_t id)
{
    for (CHeadlessControl& control : m_controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

CHeadlessControl& CHeadlessWindow::Control(int32_t id)
{
    if (CHeadlessControl* control = FindControl(id))
        return *control;
    throw static_cast<int32_t>(0);
}

const CHeadlessControl& CHeadlessWindow::Control(int32_t id) const
{
    return const_cast<CHeadlessWindow*>(this)->Control(id);
}

bool CHeadlessWindow::IsUsable()
{
    for (CHeadlessWindow* w = this; w; w = w->m_bChild ? w->m_pOwner : nullptr) {
        if (!w->m_bVisible || w->m_bEnded)
            return false;
    }
    return TopLevel()->m_nBlocks == 0;
}

void CHeadlessWindow::Forget(const CHeadlessWindow* window)
{
    if (m_pOwner == window) {
        m_pOwner = nullptr;
        m_bChild = false;
    }
}

void CHeadlessWindow::Notify(int32_t id, UiEvent event) { CUiEntry::Command(m_dialog, id, event); }
