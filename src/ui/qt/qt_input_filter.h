// What the Qt backend sees of the person's input before any widget does.
//
// Keys: Tab (Shift+Tab, Ctrl+Tab), Enter and Escape pressed in a window of
// the backend reach the key filters (PreTranslateMessage) of the dialog
// whose control has the focus and of the dialogs it is a page of. What no
// filter takes does what a dialog of Windows does: Tab moves the focus
// among the tab stops of that dialog, Enter inserts a line break into a
// multi-line edit that wants it, clicks the focused push button, or else
// clicks the default button (or OK) of the top-level dialog, and Escape
// clicks Cancel of the top-level dialog. Other keys and input-method
// events pass untouched.
//
// Blocking: while a window is blocked by a modal window or question it
// owns, mouse, wheel and key input aimed at it is swallowed (its owned
// modeless windows stay usable).
#pragma once

#include <QObject>

class CQtBackend;
class CQtWindow;
struct CQtControl;
class QKeyEvent;
class QWidget;

class CQtInputFilter final : public QObject {
public:
    explicit CQtInputFilter(CQtBackend& backend) : m_backend(backend) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Key(QWidget* target, QKeyEvent* event);
    // What the dialog does with a key no filter took; false leaves it to
    // the widget.
    bool DefaultKey(CQtWindow& window, CQtControl* control, int key, bool shift);

    CQtBackend& m_backend;
};
