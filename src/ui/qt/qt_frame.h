// The top-level widget of a Qt window: an optional menu bar over the
// client area. It tells its window what the window system did to it. The
// client area never becomes smaller than its least size: in a frame
// smaller than that (a screen smaller than the window was drawn for) it
// scrolls.
#pragma once

#include <QWidget>

class CQtWindow;
class QMenuBar;
class QScrollArea;

class CQtFrame final : public QWidget {
public:
    CQtFrame(CQtWindow* window, QWidget* owner);

    QWidget* Client() const { return m_pClient; }
    // The least size of the client area, in pixels.
    void SetClientMinimum(const QSize& size);
    // Puts `menuBar` (null for none) above the client area; the old one goes.
    void SetMenuBar(QMenuBar* menuBar);
    QMenuBar* MenuBar() const { return m_pMenuBar; }
    int MenuHeight() const;
    // Lays the menu bar and the client area out in the present size.
    void Layout();
    // The window is gone: events no longer reach it.
    void Detach() { m_pWindow = nullptr; }
    // The close box does nothing at all.
    void SetCloseBoxDisabled(bool disabled) { m_bCloseDisabled = disabled; }
    // Hides the widget for good: a close event from now on closes it.
    void Dismiss();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CQtWindow* m_pWindow;
    QScrollArea* m_pScroll;
    QWidget* m_pClient;
    QMenuBar* m_pMenuBar = nullptr;
    bool m_bCloseDisabled = false;
    bool m_bDismissed = false;
};
