#include "ui/qt/qt_input_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/dialog_base.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_window.h"
#include "ui/ui_entry.h"

namespace {

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

bool IsTabStop(const CQtControl& control)
{
    return (control.style & kUiTabStop) && !control.widget->isHidden() &&
           control.widget->isEnabledTo(control.widget->parentWidget());
}

}  // namespace

bool CQtInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsInput(event->type()) || !watched->isWidgetType())
        return false;
    QWidget* target = static_cast<QWidget*>(watched);
    CQtWindow* window = m_backend.WindowHolding(target);
    if (!window)
        return false;
    if (window->TopLevel()->IsBlocked()) {
        if (event->type() == QEvent::MouseButtonPress)
            QApplication::beep();
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return Key(target, static_cast<QKeyEvent*>(event));
    return false;
}

bool CQtInputFilter::Key(QWidget* target, QKeyEvent* event)
{
    // Only the first delivery: a key a widget leaves goes on to its
    // parents, and must not be handled twice.
    QWidget* focus = QApplication::focusWidget();
    if ((focus ? target != focus : !target->isWindow()) || QApplication::activePopupWidget())
        return false;
    CUiMessage message;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        message.key = UiKey::kTab;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        message.key = UiKey::kEnter;
        break;
    case Qt::Key_Escape:
        message.key = UiKey::kEscape;
        break;
    case Qt::Key_PageUp:
        message.key = UiKey::kPageUp;
        break;
    case Qt::Key_PageDown:
        message.key = UiKey::kPageDown;
        break;
    case Qt::Key_Up:
        message.key = UiKey::kUp;
        break;
    case Qt::Key_Down:
        message.key = UiKey::kDown;
        break;
    case Qt::Key_Delete:
        message.key = UiKey::kDelete;
        break;
    case Qt::Key_F3:
        message.key = UiKey::kF3;
        break;
    default:
        return false;
    }
    CQtWindow* window = m_backend.WindowHolding(target);
    CQtControl* control = window->ControlOf(target);
    message.kind = UiMessageKind::kKey;
    message.ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    message.shift = (event->modifiers() & Qt::ShiftModifier) != 0 || event->key() == Qt::Key_Backtab;
    message.alt = (event->modifiers() & Qt::AltModifier) != 0;
    message.dialog = &window->Dialog();
    message.control = control ? control->id : 0;
    const uint64_t serial = window->Serial();
    if (CUiEntry::Filter(window->Dialog(), message) || !m_backend.Find(serial))
        return true;
    if (message.key != UiKey::kTab && message.key != UiKey::kEnter && message.key != UiKey::kEscape)
        return false;
    return DefaultKey(*window, control, event->key(), message.shift);
}

bool CQtInputFilter::DefaultKey(CQtWindow& window, CQtControl* control, int key, bool shift)
{
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        std::vector<CQtControl*> stops;
        for (CQtControl& c : window.Controls()) {
            if (IsTabStop(c))
                stops.push_back(&c);
        }
        if (stops.empty())
            return true;
        size_t at = stops.size() - 1;
        for (size_t i = 0; i < stops.size(); ++i) {
            if (stops[i] == control)
                at = i;
        }
        const size_t next = shift ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
        stops[next]->widget->setFocus(shift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    }
    if (key == Qt::Key_Escape) {
        CUiEntry::Command(window.TopLevel()->Dialog(), kIdCancel, UiEvent::kClicked);
        return true;
    }
    // Enter.
    if (control && control->plain && (control->style & kUiWantReturn))
        return false;
    if (control && control->kind == UiControlKind::kButton) {
        CUiEntry::Command(window.Dialog(), control->id, UiEvent::kClicked);
        return true;
    }
    CQtWindow& top = *window.TopLevel();
    int32_t target = kIdOk;
    for (CQtControl& c : top.Controls()) {
        if (c.kind == UiControlKind::kButton && (c.style & kUiDefaultButton))
            target = c.id;
    }
    const CQtControl* button = top.FindControl(target);
    if (!button || (button->widget->isEnabled() && !button->widget->isHidden()))
        CUiEntry::Command(top.Dialog(), target, UiEvent::kClicked);
    return true;
}
