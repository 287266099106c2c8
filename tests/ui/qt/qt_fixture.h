// What the Qt backend tests share: one backend (and QApplication) for the
// whole test program, and ways to act as a person and to answer questions
// from inside the loops the program runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "../../cp932_text.h"
#include "foundation/cp932.h"
#include "probe_dialog.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_control.h"
#include "ui/qt/qt_window.h"

class CDialogBase;
class QAction;
class QMenuBar;

// The backend of the test program, made on first use; it goes when the
// tests end. Without a display the offscreen platform is taken.
CQtBackend& TestBackend();

class QtTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static CQtWindow& WindowOf(const CDialogBase& dialog);
    static CQtControl& ControlOf(const CDialogBase& dialog, int32_t id) { return WindowOf(dialog).Control(id); }
public:
    // The outermost widget of control `id`.
    static QWidget* ControlOfDialog(const CDialogBase& dialog, int32_t id) { return ControlOf(dialog, id).widget; }
    // The menu bar of the dialog's window, or null.
    static QMenuBar* MenuBarOf(const CDialogBase& dialog);
    // The actions of that menu bar, depth first.
    static std::vector<QAction*> MenuActions(const CDialogBase& dialog);
protected:
    // Runs the events that are due.
    static void Settle();
    // Shows the dialog's window and waits until it is the active one.
    static void ShowActive(CDialogBase& dialog);
    // Runs `action` once the loop runs (inside the next modal loop).
    static void Soon(std::function<void()> action);
    // Waits (running the loop) until `done` holds; false if it never does.
    static bool WaitFor(const std::function<bool()>& done);
    // Types `text` into `widget` key by key, as a keyboard with every
    // character on it would (QTest knows only ASCII keys).
    static void Type(QWidget* widget, const QString& text);
    // Runs `act` on the next top-level widget of type T (a message box, a
    // file dialog) once it shows.
    template <class T>
    static void OnShown(std::function<void(T&)> act)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* shown = qobject_cast<T*>(widget);
                if (shown && shown->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    act(*shown);
                    return;
                }
            }
        });
        timer->start(10);
    }
    // Answers the next message box with the button whose text is `button`
    // (UTF-8) once it shows; its text goes to `seen`.
    static void AnswerMessageBox(const std::string& button, std::string* seen = nullptr);
    // Presses `key` in the widget that has the focus (or the active window).
    static void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
};

// A probe dialog made before each test and destroyed after it.
class QtProbeTest : public QtTest {
protected:
    void SetUp() override
    {
        QtTest::SetUp();
        ASSERT_TRUE(probe.Create());
    }
    void TearDown() override
    {
        probe.DestroyWindow();
        QtTest::TearDown();
    }
    // The text of the probe's control `id`.
    std::string Text(int32_t id)
    {
        CStr_base<1024> text;
        probe.Control(id).GetText(text);
        return std::string(text.GetBuffer());
    }

    CProbeDlg probe;
};
