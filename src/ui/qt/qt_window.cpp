#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "ui/dialog_base.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_font.h"
#include "ui/qt/qt_frame.h"
#include "ui/qt/qt_icon.h"
#include "ui/qt/qt_item_model.h"
#include "ui/qt/qt_menu.h"
#include "ui/qt/qt_plain_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/frame_place.h"
#include "ui/screen_place.h"
#include "ui/ui_entry.h"

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::min(std::max(value, low), high); }

CUiRect ToRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

CQtWindow::CQtWindow(CQtBackend& backend, CDialogBase& dialog, CQtWindow* owner, bool child)
    : m_pBackend(&backend),
      m_dialog(dialog),
      m_pOwner(owner),
      m_bChild(child && owner),
      m_nSerial(backend.Register(this)),
      m_pReceiver(std::make_unique<QObject>()),
      m_strCaption(dialog.Template().caption)
{
    const CUiDialogTemplate& t = dialog.Template();
    m_unit = QtTemplateUnit(QtDialogFont());
    const QRect client = QtPixels({0, 0, t.client.w, t.client.h}, m_unit);
    if (m_bChild) {
        m_pClient = new QWidget(owner->Client());
        m_pClient->hide();
        m_pClient->setGeometry(client);
        m_pOuter = m_pClient;
    } else {
        m_pFrame = new CQtFrame(this, owner ? owner->TopLevel()->Outer() : nullptr);
        m_pClient = m_pFrame->Client();
        m_pOuter = m_pFrame;
        m_pFrame->setWindowTitle(QtFromCp932(m_strCaption));
        m_pFrame->SetMenuBar(QtBuildMenuBar(dialog.Menu(), [this](int32_t id) { ChooseMenu(id); }, m_pReceiver.get()));
        m_pFrame->resize(client.width(), client.height() + m_pFrame->MenuHeight());
        m_pFrame->Layout();
        // The platform window exists from now on, so its frame is known
        // before it first shows where the platform can tell.
        m_pFrame->winId();
        ApplyFrameRules();
    }
    m_pClient->setFont(QtDialogFont());
    BuildControls();
    m_normal = GetRect();
    m_reported = GetClientSize();
}

CQtWindow::~CQtWindow()
{
    m_pReceiver.reset();  // no signal reaches this window any more
    if (m_pFrame && m_pOuter)
        m_pFrame->Detach();
    if (m_pBackend)
        m_pBackend->Unregister(this);
    if (m_pLoop)
        m_pLoop->quit();
    if (m_pOuter) {
        if (m_pFrame)
            m_pFrame->Dismiss();
        else
            m_pOuter->hide();
        m_pOuter->deleteLater();
    }
}

void CQtWindow::BuildControls()
{
    const CUiDialogTemplate& t = m_dialog.Template();
    m_controls.reserve(t.controls.size());
    for (const CUiControlTemplate& control : t.controls)
        m_controls.emplace_back(control, m_pClient, m_unit);
    // The first control of the template lies on top, as in a dialog of
    // Windows; a tab control or group box listed last lies under the rest.
    for (CQtControl& control : m_controls)
        control.widget->lower();
    QWidget* previous = nullptr;
    for (CQtControl& control : m_controls) {
        Wire(control);
        if (previous)
            QWidget::setTabOrder(previous, control.widget);
        previous = control.widget;
    }
}

void CQtWindow::Wire(CQtControl& control)
{
    QObject* context = m_pReceiver.get();
    const int32_t id = control.id;
    if (control.button) {
        QObject::connect(control.button, &QAbstractButton::clicked, context, [this, id] {
            if (!m_nQuiet)
                Notify(id, UiEvent::kClicked);
        });
    }
    if (control.plain) {
        // One notification for each change of the text itself: Qt reports
        // a new line in two steps, and the text an input method composes
        // as a change of layout.
        QObject::connect(control.plain->document(), &QTextDocument::contentsChange, context,
                         [this, id](int, int removed, int added) {
                             CQtControl& c = Control(id);
                             if (m_nQuiet || (!removed && !added))
                                 return;
                             QString now = c.plain->toPlainText();
                             if (now == c.seen)
                                 return;
                             c.seen = std::move(now);
                             Notify(id, UiEvent::kChanged);
                         });
    }
    if (QLineEdit* line = control.LineEdit()) {
        QObject::connect(line, &QLineEdit::textEdited, context, [this, id] {
            if (!m_nQuiet)
                Notify(id, UiEvent::kChanged);
        });
    }
    if (control.combo) {
        QObject::connect(control.combo, &QComboBox::activated, context, [this, id](int index) {
            if (m_nQuiet)
                return;
            CQtControl& c = Control(id);
            c.curSel = index;
            c.given = *c.items->Bytes(index);
            c.shown = c.LineEdit() ? c.LineEdit()->text() : c.items->Shown(index);
            Notify(id, UiEvent::kSelChanged);
        });
    }
    if (control.list) {
        QObject::connect(control.list->selectionModel(), &QItemSelectionModel::selectionChanged, context, [this, id] {
            if (!m_nQuiet)
                Notify(id, UiEvent::kSelChanged);
        });
        QObject::connect(control.list, &QAbstractItemView::doubleClicked, context, [this, id] {
            if (!m_nQuiet)
                Notify(id, UiEvent::kDoubleClicked);
        });
    }
    if (control.tabs) {
        QObject::connect(control.tabs, &QTabBar::currentChanged, context, [this, id](int index) {
            if (m_nQuiet)
                return;
            Control(id).curSel = index;
            Notify(id, UiEvent::kSelChanged);
        });
    }
}

void CQtWindow::ChooseMenu(int32_t id)
{
    if (!m_nQuiet && m_dialog.Menu().IsChoosable(id))
        Notify(id, UiEvent::kClicked);
}

void CQtWindow::Notify(int32_t id, UiEvent event) { CUiEntry::Command(m_dialog, id, event); }

QWidget* CQtWindow::Outer() const { return m_pOuter; }

CQtWindow* CQtWindow::TopLevel()
{
    CQtWindow* w = this;
    while (w->m_bChild && w->m_pOwner)
        w = w->m_pOwner;
    return w;
}

void CQtWindow::Forget(const CQtWindow* window)
{
    if (m_pOwner != window)
        return;
    m_pOwner = nullptr;
    // The owner's widgets go: this window's widgets must not go with them.
    if (m_pOuter) {
        const Qt::WindowFlags flags = m_pOuter->windowFlags();
        m_pOuter->hide();
        m_pOuter->setParent(nullptr, m_pFrame ? flags : Qt::Window);
    }
}

void CQtWindow::SetCaption(const char* text)
{
    m_strCaption = text ? text : "";
    if (m_pFrame)
        m_pFrame->setWindowTitle(QtFromCp932(m_strCaption));
}

void CQtWindow::SetModifiedMark(bool modified)
{
    if (m_pFrame)
        m_pFrame->setWindowModified(modified);
}

bool CQtWindow::HasModifiedMark() const { return m_pFrame && m_pFrame->isWindowModified(); }

void CQtWindow::Show(UiShow show)
{
    const bool wasVisible = IsVisible();
    switch (show) {
    case UiShow::kHide:
        m_pOuter->hide();
        break;
    case UiShow::kShow:
        if (m_pFrame && !m_pOwner && !m_bPlaced && !m_bShownOnce)
            CentreOnScreen();
        m_pOuter->show();
        if (m_pFrame && m_bPlaced && !wasVisible) {
            // The frame may become known without an event: look again.
            for (int delay : {50, 200, 600, 1500})
                QTimer::singleShot(delay, m_pReceiver.get(), [this] {
                    if (m_bPlaced)
                        FrameChanged();
                });
        }
        break;
    case UiShow::kMaximize:
        if (m_pFrame) {
            if (!IsMaximized())
                m_normal = GetRect();
            m_pFrame->showMaximized();
        } else {
            m_pOuter->show();
        }
        break;
    case UiShow::kRestore:
        if (m_pFrame)
            m_pFrame->showNormal();
        else
            m_pOuter->show();
        break;
    }
    m_bShownOnce = m_bShownOnce || IsVisible();
    CQtBackend* backend = m_pBackend;
    const uint64_t serial = m_nSerial;
    if (!backend || !backend->Find(serial))
        return;
    if (IsVisible())
        Activate();
    if (IsVisible() != wasVisible) {
        CUiEntry::Shown(m_dialog, !wasVisible);
        if (!backend->Find(serial))
            return;
    }
    ReportSize();
}

// A window of its own that the program did not place opens where its
// place is known before it shows: the window system may place it later
// than the program asks where it is, and a dialog centred over it at
// start-up would open over where it was not.
void CQtWindow::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const CUiRect area = ToRect(screen->availableGeometry());
    const CUiRect r = GetRect();
    SetRect({area.x + (area.w - r.w) / 2, area.y + (area.h - r.h) / 2, r.w, r.h});
}

bool CQtWindow::IsVisible() const { return m_pOuter && !m_pOuter->isHidden(); }

bool CQtWindow::IsMaximized() const { return m_pFrame && m_pFrame->isMaximized(); }

void CQtWindow::Activate()
{
    for (CQtWindow* w = this; w; w = w->m_bChild ? w->m_pOwner : nullptr) {
        if (!w->IsVisible())
            return;
    }
    QWidget* top = TopLevel()->Outer();
    if (!top)
        return;
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        top->raise();  // the offscreen platform has no stacking
    top->activateWindow();
}

bool CQtWindow::IsActive() const
{
    QWidget* top = const_cast<CQtWindow*>(this)->TopLevel()->Outer();
    return top && top->isActiveWindow();
}

QMargins CQtWindow::FrameMargins() const
{
    const QWindow* handle = m_pFrame ? m_pFrame->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
}

CUiRect CQtWindow::GetRect() const
{
    if (!m_pFrame)
        return QtTemplateRect(m_pClient->geometry(), m_unit);
    return ToRect(m_pFrame->geometry().marginsAdded(FrameMargins()));
}

void CQtWindow::SetRect(const CUiRect& rect)
{
    CUiRect r = rect;
    const QMargins margins = FrameMargins();
    const CUiSize frame{margins.left() + margins.right(), margins.top() + margins.bottom()};
    const CUiSize smallest = m_pFrame ? CUiSize{std::max(m_minTrack.w, frame.w), std::max(m_minTrack.h, frame.h)}
                                      : CUiSize{0, 0};
    r.x = Clamp(r.x, -32768, 32767);
    r.y = Clamp(r.y, -32768, 32767);
    r.w = Clamp(r.w, smallest.w, 32767);
    r.h = Clamp(r.h, smallest.h, 32767);
    if (!m_pFrame) {
        m_pClient->setGeometry(QtPixels(r, m_unit));
        ReportSize();
        return;
    }
    const CUiRect current = GetRect();
    const bool onlyMoved = r.w == current.w && r.h == current.h;
    const QRect wanted(r.x, r.y, r.w, r.h);
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen && QGuiApplication::platformName() != QLatin1String("offscreen"))
        r = KeepOnScreen(r, ToRect(screen->availableGeometry()));
    if (IsMaximized())
        m_pFrame->setWindowState(m_pFrame->windowState() & ~Qt::WindowMaximized);
    m_pFrame->setMinimumSize(0, 0);
    m_pFrame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_pFrame->setGeometry(QRect(r.x, r.y, r.w, r.h).marginsRemoved(margins));
    m_normal = r;
    m_placedMargins = margins;
    m_bPlaced = true;
    m_bOnlyMoved = onlyMoved;
    ApplyFrameRules();
    ReportSize();
}

CUiRect CQtWindow::GetNormalRect() const { return IsMaximized() ? m_normal : GetRect(); }

CUiSize CQtWindow::GetClientSize() const
{
    const CUiRect r = QtTemplateRect(QRect(0, 0, m_pClient->width(), m_pClient->height()), m_unit);
    return {r.w, r.h};
}

void CQtWindow::SetMinTrackSize(const CUiSize& size)
{
    m_minTrack = size;
    ApplyFrameRules();
}

void CQtWindow::ApplyFrameRules()
{
    if (!m_pFrame)
        return;
    const bool owned = m_pFrame->parentWidget() != nullptr;
    const CQtFrameRules rules = QtFrameRules(m_dialog.Template().style, m_dialog.SystemMenu(), owned);
    if (rules.flags != m_pFrame->windowFlags()) {
        const bool visible = m_pFrame->isVisible();
        m_pFrame->setWindowFlags(rules.flags);
        if (visible)
            m_pFrame->show();
    }
    m_pFrame->SetCloseBoxDisabled(!rules.closable);
    if (rules.resizable) {
        // The window may become as small as the screen; below its least
        // size the client area scrolls.
        const QMargins margins = FrameMargins();
        QSize least(std::max(0, m_minTrack.w - margins.left() - margins.right()),
                    std::max(0, m_minTrack.h - margins.top() - margins.bottom()));
        m_pFrame->SetClientMinimum({least.width(), std::max(0, least.height() - m_pFrame->MenuHeight())});
        if (const QScreen* screen = m_pFrame->screen()) {
            const QRect area = screen->availableGeometry().marginsRemoved(margins);
            least = least.boundedTo(area.size().expandedTo({0, 0}));
        }
        m_pFrame->setMinimumSize(least);
        m_pFrame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        m_pFrame->SetClientMinimum({0, 0});
        m_pFrame->setFixedSize(m_pFrame->size());
    }
}

void CQtWindow::SetIcon(int32_t resource)
{
    const QIcon icon = QtIcon(resource);
    if (!icon.isNull() && m_pFrame)
        m_pFrame->setWindowIcon(icon);
}

void CQtWindow::MenuChanged()
{
    if (!m_pFrame)
        return;
    // New texts and states leave the window's size as it is.
    if (QtUpdateMenuBar(m_pFrame->MenuBar(), m_dialog.Menu())) {
        ApplyFrameRules();
        return;
    }
    const QSize size = m_pFrame->size();
    m_pFrame->SetMenuBar(QtBuildMenuBar(m_dialog.Menu(), [this](int32_t id) { ChooseMenu(id); }, m_pReceiver.get()));
    m_pFrame->resize(size);
    ApplyFrameRules();
    ReportSize();
}

void CQtWindow::CloseBox()
{
    if (!TopLevel()->IsBlocked())
        Notify(kIdCancel, UiEvent::kClicked);
}

void CQtWindow::FrameChanged()
{
    if (m_pFrame && m_pFrame->isVisible() && !m_pFrame->isMaximized() && !m_pFrame->isMinimized()) {
        // Some window systems tell the frame's size only once the window
        // shows, and without moving it: a place the program gave is then
        // given again, and until the frame is known it stands (else a
        // stored place would creep by the frame at each run).
        const QMargins margins = FrameMargins();
        if (m_bPlaced && margins != m_placedMargins) {
            const auto size = [](const QMargins& m) { return CUiSize{m.left() + m.right(), m.top() + m.bottom()}; };
            SetRect(PlaceWithKnownFrame(m_normal, size(m_placedMargins), size(margins), m_bOnlyMoved));
            return;
        }
        const bool frameKnown = !margins.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen");
        if (m_bPlaced && !frameKnown) {
            ReportSize();
            return;
        }
        m_bPlaced = false;
        m_normal = GetRect();
    }
    ReportSize();
}

bool CQtWindow::ReportSize()
{
    const CUiSize size = GetClientSize();
    if (size == m_reported)
        return true;
    m_reported = size;
    CQtBackend* backend = m_pBackend;
    const uint64_t serial = m_nSerial;
    CUiEntry::Size(m_dialog, size.w, size.h);
    return backend && backend->Find(serial);
}

void CQtWindow::Enable(int32_t id, bool enable) { Control(id).widget->setEnabled(enable); }

bool CQtWindow::IsEnabled(int32_t id) const
{
    const QWidget* widget = Control(id).widget;
    return widget->isEnabledTo(widget->parentWidget());
}

void CQtWindow::ShowControl(int32_t id, bool show) { Control(id).widget->setVisible(show); }

bool CQtWindow::IsControlVisible(int32_t id) const { return !Control(id).widget->isHidden(); }

void CQtWindow::Focus(int32_t id)
{
    Control(id).widget->setFocus(Qt::OtherFocusReason);
    Activate();
}

int32_t CQtWindow::FocusedControl() const
{
    QWidget* top = const_cast<CQtWindow*>(this)->TopLevel()->Outer();
    if (!top)
        return 0;
    const CQtControl* control = const_cast<CQtWindow*>(this)->ControlOf(top->focusWidget());
    return control ? control->id : 0;
}

void CQtWindow::SetControlRect(int32_t id, const CUiRect& rect) { Control(id).Place(rect); }

void CQtWindow::SetFont(int32_t id, const CUiFont& font)
{
    CQtControl& control = Control(id);
    control.widget->setFont(QtFont(font, m_pClient->font()));
    if (control.plain)
        SetTabStops(id, control.tabStops);
}

void CQtWindow::SetCheck(int32_t id, bool checked)
{
    CQtControl& control = Control(id);
    if (control.button && control.button->isCheckable()) {
        ++m_nQuiet;
        control.button->setChecked(checked);
        --m_nQuiet;
    }
}

bool CQtWindow::GetCheck(int32_t id) const
{
    const CQtControl& control = Control(id);
    return control.button && control.button->isChecked();
}

CQtControl* CQtWindow::FindControl(int32_t id)
{
    for (CQtControl& control : m_controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

CQtControl& CQtWindow::Control(int32_t id)
{
    if (CQtControl* control = FindControl(id))
        return *control;
    throw static_cast<int32_t>(0);
}

const CQtControl& CQtWindow::Control(int32_t id) const { return const_cast<CQtWindow*>(this)->Control(id); }

CQtControl* CQtWindow::ControlOf(const QWidget* widget)
{
    while (widget && widget->parentWidget() != m_pClient)
        widget = widget->parentWidget();
    if (!widget)
        return nullptr;
    for (CQtControl& control : m_controls) {
        if (control.widget == widget)
            return &control;
    }
    return nullptr;
}
