#include "ui/qt/qt_frame.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>

#include "ui/qt/qt_window.h"

CQtFrame::CQtFrame(CQtWindow* window, QWidget* owner)
    : QWidget(owner, owner ? Qt::Dialog : Qt::Window),
      m_pWindow(window),
      m_pScroll(new QScrollArea(this)),
      m_pClient(new QWidget)
{
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setWidget(m_pClient);
}

void CQtFrame::SetClientMinimum(const QSize& size)
{
    if (m_pClient->minimumSize() == size)
        return;
    m_pClient->setMinimumSize(size);
    Layout();
}

void CQtFrame::SetMenuBar(QMenuBar* menuBar)
{
    if (m_pMenuBar) {
        // The old bar may be the sender of the command that rebuilt it.
        m_pMenuBar->hide();
        m_pMenuBar->deleteLater();
    }
    m_pMenuBar = menuBar;
    if (m_pMenuBar) {
        m_pMenuBar->setParent(this);
        m_pMenuBar->setNativeMenuBar(false);
        m_pMenuBar->show();
    }
    Layout();
}

int CQtFrame::MenuHeight() const { return m_pMenuBar ? m_pMenuBar->sizeHint().height() : 0; }

void CQtFrame::Layout()
{
    const int top = MenuHeight();
    if (m_pMenuBar)
        m_pMenuBar->setGeometry(0, 0, width(), top);
    const QSize area(width(), std::max(0, height() - top));
    m_pScroll->setGeometry(0, top, area.width(), area.height());
    // At once, not when the scroll area next lays out: the window reads
    // its client size right after.
    m_pClient->resize(area.expandedTo(m_pClient->minimumSize()));
}

void CQtFrame::Dismiss()
{
    m_bDismissed = true;
    hide();
}

void CQtFrame::closeEvent(QCloseEvent* event)
{
    if (m_bDismissed) {
        event->accept();
        return;
    }
    // The close box is a command to the dialog, which decides.
    event->ignore();
    if (m_pWindow && !m_bCloseDisabled)
        m_pWindow->CloseBox();
}

void CQtFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
    if (m_pWindow)
        m_pWindow->FrameChanged();
}

void CQtFrame::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_pWindow)
        m_pWindow->FrameChanged();
}

void CQtFrame::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_pWindow)
        m_pWindow->FrameChanged();
}
