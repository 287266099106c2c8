#include "qt_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "ui/dialog_base.h"
#include "ui/qt/qt_frame.h"
#include "ui/ui_backend.h"

namespace {

CQtBackend* g_pBackend = nullptr;

class QtEnvironment final : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete g_pBackend;
        g_pBackend = nullptr;
    }
};

const ::testing::Environment* const g_pEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

CQtBackend& TestBackend()
{
    if (!g_pBackend) {
        if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        g_pBackend = new CQtBackend;
    }
    return *g_pBackend;
}

void QtTest::SetUp() { UiSetBackend(&TestBackend()); }

void QtTest::TearDown()
{
    TestBackend().Flush();
    UiSetBackend(nullptr);
}

CQtWindow& QtTest::WindowOf(const CDialogBase& dialog)
{
    CQtWindow* window = CQtBackend::WindowOf(dialog);
    if (!window)
        throw static_cast<int32_t>(0);
    return *window;
}

QMenuBar* QtTest::MenuBarOf(const CDialogBase& dialog)
{
    CQtFrame* frame = WindowOf(dialog).Frame();
    return frame ? frame->MenuBar() : nullptr;
}

std::vector<QAction*> QtTest::MenuActions(const CDialogBase& dialog)
{
    std::vector<QAction*> found;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            found.push_back(action);
            if (action->menu())
                walk(action->menu()->actions());
        }
    };
    if (QMenuBar* bar = MenuBarOf(dialog))
        walk(bar->actions());
    return found;
}

void QtTest::Settle() { TestBackend().Flush(); }

void QtTest::ShowActive(CDialogBase& dialog)
{
    dialog.ShowWindow(UiShow::kShow);
    QWidget* top = WindowOf(dialog).TopLevel()->Outer();
    top->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(top));
    Settle();
}

void QtTest::Type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void QtTest::Soon(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

bool QtTest::WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 500 && !done(); ++i)
        QTest::qWait(10);
    return done();
}

void QtTest::AnswerMessageBox(const std::string& button, std::string* seen)
{
    OnShown<QMessageBox>([button, seen](QMessageBox& box) {
        if (seen)
            *seen = box.text().toStdString();
        for (QAbstractButton* b : box.buttons()) {
            if (b->text() == QString::fromStdString(button)) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button;
    });
}

void QtTest::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}
