#include "ui/qt/qt_backend.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QTranslator>
#include <algorithm>

#include "ui/dialog_base.h"
#include "ui/qt/qt_frame.h"
#include "ui/qt/qt_input_filter.h"
#include "ui/qt/qt_progress.h"
#include "ui/qt/qt_questions.h"
#include "ui/qt/qt_shell.h"
#include "ui/qt/qt_translation.h"
#include "ui/qt/qt_window.h"
#include "ui/ui_entry.h"
#include "ui/ui_progress.h"

namespace {

int g_argc = 1;
char g_program[] = "TavaroItemEditor";
char* g_argv[] = {g_program, nullptr};

QEvent::Type PostedType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// A private message on its way to a window's key filter.
class CQtPostedEvent final : public QEvent {
public:
    CQtPostedEvent(uint64_t serial, uint32_t code) : QEvent(PostedType()), serial(serial), code(code) {}
    uint64_t serial;
    uint32_t code;
};

class CQtPostBox final : public QObject {
public:
    explicit CQtPostBox(CQtBackend& backend) : m_backend(backend) {}

    bool event(QEvent* event) override
    {
        if (event->type() != PostedType())
            return QObject::event(event);
        const auto* posted = static_cast<CQtPostedEvent*>(event);
        if (m_backend.HoldPosted(posted->serial, posted->code))
            return true;
        if (CQtWindow* window = m_backend.Find(posted->serial)) {
            CUiMessage message;
            message.kind = UiMessageKind::kPosted;
            message.code = posted->code;
            message.dialog = &window->Dialog();
            CUiEntry::Filter(window->Dialog(), message);
        }
        return true;
    }

private:
    CQtBackend& m_backend;
};

}  // namespace

CQtBackend::CQtBackend()
{
    if (!QApplication::instance()) {
        m_pApp = std::make_unique<QApplication>(g_argc, g_argv);
        QApplication::setApplicationDisplayName(QStringLiteral("Tavaro Item Editor"));
    }
    m_pTranslator = QtInstallJapaneseTranslation();
    m_pKeyFilter = std::make_unique<CQtInputFilter>(*this);
    qApp->installEventFilter(m_pKeyFilter.get());
    m_pPostBox = std::make_unique<CQtPostBox>(*this);
    m_bActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, m_pPostBox.get(),
                     [this](Qt::ApplicationState state) { ApplicationActive(state == Qt::ApplicationActive); });
}

CQtBackend::~CQtBackend()
{
    if (m_bWaitCursor)
        QApplication::restoreOverrideCursor();
    m_timers.clear();
    for (CQtWindow* window : m_windows)
        window->Orphan();
    qApp->removeEventFilter(m_pKeyFilter.get());
    m_pPostBox.reset();
    m_pKeyFilter.reset();
    Flush();
    m_pTranslator.reset();
    m_pApp.reset();
}

std::unique_ptr<CUiWindow> CQtBackend::CreateWindow(CDialogBase& dialog, CUiWindow* owner, bool child)
{
    return std::make_unique<CQtWindow>(*this, dialog, dynamic_cast<CQtWindow*>(owner), child);
}

void CQtBackend::RunModal(CUiWindow& window)
{
    CQtWindow& modal = static_cast<CQtWindow&>(window);
    const uint64_t serial = modal.Serial();
    CQtWindow* blocked = modal.Owner() ? modal.Owner()->TopLevel() : nullptr;
    const uint64_t blockedSerial = blocked ? blocked->Serial() : 0;
    if (blocked)
        blocked->Block(+1);

    QEventLoop loop;
    modal.SetModalLoop(&loop);
    if (modal.IsVisible())
        modal.Activate();
    else
        modal.Show(UiShow::kShow);
    if (CQtWindow* w = Find(serial); w && !w->IsEnded())
        loop.exec();
    if (CQtWindow* w = Find(serial))
        w->SetModalLoop(nullptr);

    if (CQtWindow* w = Find(blockedSerial)) {
        w->Block(-1);
        w->Activate();  // the owner takes the focus back, as on Windows
    }
}

void CQtBackend::EndModal(CUiWindow& window)
{
    CQtWindow& modal = static_cast<CQtWindow&>(window);
    const uint64_t serial = modal.Serial();
    QEventLoop* loop = modal.ModalLoop();
    modal.SetEnded();
    modal.Show(UiShow::kHide);
    if (loop && Find(serial))
        loop->quit();
}

namespace {

// The top-level window a question blocks: the owner's, or when no owner is
// given the active one of the backend (as the owner Windows would take).
CQtWindow* QuestionOwner(CQtBackend& backend, CUiWindow* owner)
{
    if (auto* window = dynamic_cast<CQtWindow*>(owner))
        return window->TopLevel();
    return backend.WindowHolding(QApplication::activeWindow());
}

// Runs `ask` over the question's owner, which is blocked meanwhile and
// takes the focus back afterwards.
template <class Ask>
auto AskOver(CQtBackend& backend, CUiWindow* owner, Ask ask)
{
    CQtWindow* blocked = QuestionOwner(backend, owner);
    const uint64_t serial = blocked ? blocked->Serial() : 0;
    if (blocked)
        blocked->Block(+1);
    const auto answer = ask(blocked ? blocked->Outer() : nullptr);
    if (CQtWindow* w = backend.Find(serial)) {
        w->Block(-1);
        w->Activate();
    }
    return answer;
}

}  // namespace

UiAnswer CQtBackend::MessageBox(CUiWindow* owner, const char* text, UiButtons buttons, UiAnswer defaultButton)
{
    return AskOver(*this, owner,
                   [&](QWidget* parent) { return QtAskMessageBox(parent, text, buttons, defaultButton); });
}

bool CQtBackend::AskFileName(CUiWindow* owner, const CUiFileRequest& request, std::string& native)
{
    return AskOver(*this, owner, [&](QWidget* parent) { return QtAskFileName(parent, request, native); });
}

void CQtBackend::ShowWaitCursor(bool on)
{
    if (on == m_bWaitCursor)
        return;
    m_bWaitCursor = on;
    if (on)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

int32_t CQtBackend::ShellOpen(CUiWindow*, const char* verb, const char* file, const CStrArray_base<64>& arguments,
                              const char* folder)
{
    return QtShellOpen(verb, file, arguments, folder);
}

void CQtBackend::Post(CUiWindow& window, uint32_t code)
{
    QCoreApplication::postEvent(m_pPostBox.get(), new CQtPostedEvent(static_cast<CQtWindow&>(window).Serial(), code));
}

void CQtBackend::StartTimer(CUiWindow& window, uint32_t code, uint32_t milliseconds)
{
    StopTimer(window, code);
    const uint64_t serial = static_cast<CQtWindow&>(window).Serial();
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, m_pPostBox.get(), [this, serial, code] {
        QCoreApplication::postEvent(m_pPostBox.get(), new CQtPostedEvent(serial, code));
    });
    timer->start(static_cast<int>(std::min<uint32_t>(milliseconds, INT32_MAX)));
    m_timers.push_back({serial, code, std::move(timer)});
}

void CQtBackend::StopTimer(CUiWindow& window, uint32_t code)
{
    const uint64_t serial = static_cast<CQtWindow&>(window).Serial();
    std::erase_if(m_timers, [&](const Timer& timer) { return timer.serial == serial && timer.code == code; });
}

void CQtBackend::ApplicationActive(bool active)
{
    if (active == m_bActive)
        return;
    m_bActive = active;
    std::vector<uint64_t> serials;
    for (CQtWindow* window : m_windows) {
        if (window->TopLevel() == window)
            serials.push_back(window->Serial());
    }
    // A window may go while another hears it.
    for (uint64_t serial : serials) {
        if (CQtWindow* window = Find(serial))
            CUiEntry::ActivateApp(window->Dialog(), active);
    }
}

void CQtBackend::RunProgress(CUiWindow* owner, CUiProgressJob& job)
{
    ++m_nJobs;
    job.Start();
    if (!job.WaitFor(kUiProgressDelay)) {
        // Every window waits for the job; input aimed at one is swallowed.
        std::vector<uint64_t> blocked;
        for (CQtWindow* window : m_windows) {
            if (window->TopLevel() == window) {
                window->Block(+1);
                blocked.push_back(window->Serial());
            }
        }
        CQtWindow* over = QuestionOwner(*this, owner);
        const uint64_t overSerial = over ? over->Serial() : 0;
        QtRunProgressWindow(over ? over->Outer() : nullptr, job);
        for (uint64_t serial : blocked) {
            if (CQtWindow* window = Find(serial))
                window->Block(-1);
        }
        if (CQtWindow* window = Find(overSerial))
            window->Activate();
    }
    job.Wait();
    if (--m_nJobs > 0)
        return;
    std::deque<std::pair<uint64_t, uint32_t>> held;
    held.swap(m_held);
    for (const auto& [serial, code] : held)
        QCoreApplication::postEvent(m_pPostBox.get(), new CQtPostedEvent(serial, code));
}

bool CQtBackend::HoldPosted(uint64_t serial, uint32_t code)
{
    if (m_nJobs == 0)
        return false;
    m_held.emplace_back(serial, code);
    return true;
}

void CQtBackend::Flush()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CQtWindow* CQtBackend::Find(uint64_t serial) const
{
    for (CQtWindow* window : m_windows) {
        if (window->Serial() == serial)
            return window;
    }
    return nullptr;
}

CQtWindow* CQtBackend::WindowOf(const CDialogBase& dialog)
{
    return dynamic_cast<CQtWindow*>(CUiEntry::Window(dialog));
}

CQtWindow* CQtBackend::WindowHolding(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        for (CQtWindow* window : m_windows) {
            if (window->Client() == w || static_cast<const QWidget*>(window->Frame()) == w)
                return window;
        }
        if (w->isWindow())
            return nullptr;
    }
    return nullptr;
}

uint64_t CQtBackend::Register(CQtWindow* window)
{
    m_windows.push_back(window);
    return m_nNextSerial++;
}

void CQtBackend::Unregister(CQtWindow* window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    const uint64_t serial = window->Serial();
    std::erase_if(m_timers, [serial](const Timer& timer) { return timer.serial == serial; });
    for (CQtWindow* other : m_windows)
        other->Forget(window);
}
