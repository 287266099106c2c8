#include "editor/screenshot_tour.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <vector>

#include "editing/find_targets.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "pages/page_item_template.h"
#include "shell/main_dlg.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_window.h"
#include "ui/ui_entry.h"

namespace {

constexpr int kTickMs = 40;
constexpr int kGiveUpTicks = 60000 / kTickMs;  // a minute without getting on

const char* const kTabNames[CMainDlg::kPageCount] = {"item", "event", "function", "define", "arrangement", "project"};

// Walks the program through its windows, one step per timer tick. A step
// that opens a modal dialog returns only when that dialog ends, so the ticks
// that come meanwhile (inside the dialog's loop) take its picture and close
// it. Message boxes on the way are pictured and answered with their Escape
// button, which never saves anything.
class CTour {
public:
    CTour(CQtBackend& backend, CMainDlg& main, QString folder, std::ostream& out, std::ostream& err)
        : m_backend(backend), m_main(main), m_folder(std::move(folder)), m_out(out), m_err(err)
    {
        Plan();
    }

    // Takes the next step and asks for the tick after it. Every tick is a
    // timer of its own: Qt does not fire a timer again while its previous
    // timeout still runs, as it does when a step opens a modal dialog.
    void Tick();
    // Failures so far, and one more if the main window closed before the
    // last step.
    int Failures() const { return m_nFailures + (m_nNext < m_steps.size() ? 1 : 0); }

private:
    struct Step {
        std::function<void()> act;
        const char* modalName;  // the picture of the modal dialog the step opens, or null
    };
    void Plan();
    void Shoot(const CDialogBase& dialog, const QString& name);
    void Shoot(QWidget* widget, const QString& name);
    // The innermost window other than the main one whose modal loop runs.
    CQtWindow* ModalWindow() const;
    QMessageBox* ShownMessageBox() const;

    CQtBackend& m_backend;
    CMainDlg& m_main;
    QString m_folder;
    std::ostream& m_out;
    std::ostream& m_err;
    QObject m_ticks;  // the context of the pending tick; it goes with the tour
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    const char* m_pAwaited = nullptr;  // name for the modal dialog a step opened
    bool m_bInStep = false;
    bool m_bShooting = false;  // grabbing a picture may run the loop
    int m_nExtra = 0;
    int m_nFailures = 0;
    int m_nIdleTicks = 0;
};

void CTour::Plan()
{
    for (int32_t tab = 0; tab < CMainDlg::kPageCount; ++tab) {
        m_steps.push_back({[this, tab] {
                               m_main.Control(CMainDlg::IDC_TAB).SetCurSel(tab);
                               m_main.SwitchPage();
                               // The arrangement shows the details of its first element.
                               CMainPage& page = m_main.Page(tab);
                               if (tab == CMainDlg::kSetTab && page.CurrentElement() < 0)
                                   page.SelectElement(0);
                           },
                           nullptr});
        m_steps.push_back({[this, tab] {
                               Shoot(m_main, QStringLiteral("main-%1-%2").arg(tab).arg(QLatin1String(kTabNames[tab])));
                           },
                           nullptr});
    }
    const auto command = [this](int32_t id) {
        return [this, id] { CUiEntry::Command(m_main, id, UiEvent::kClicked); };
    };
    // The extension-field dialog of the shown item, when the project's rule
    // has extension fields for items.
    m_steps.push_back({[this] {
                           m_main.Control(CMainDlg::IDC_TAB).SetCurSel(CMainDlg::kItemTab);
                           m_main.SwitchPage();
                       },
                       nullptr});
    m_steps.push_back({[this] {
                           CMainPage& page = m_main.Page(CMainDlg::kItemTab);
                           if (m_main.AppliedRule().itemRules.GetCount() == 0 || page.CurrentElement() < 0) {
                               m_pAwaited = nullptr;
                               return;
                           }
                           CUiEntry::Command(page, item_page::IDC_ITEM_EX, UiEvent::kClicked);
                       },
                       "item-extension-fields"});
    // The item page with a use entry that has job corrections and
    // use/need/get lines, the first such entry of the project.
    m_steps.push_back({[this] {
                           CMainPage& page = m_main.Page(CMainDlg::kItemTab);
                           const CMerxArray<Citemstruct>& items = m_main.Document().itemdata;
                           for (uint32_t i = 0; i < items.GetCount(); ++i) {
                               for (uint32_t u = 0; u < items[i].uses.GetCount(); ++u) {
                                   const Cusestruct& use = items[i].uses[u];
                                   const CStrArray_base<64>* job = use.GetList("job");
                                   const CStrArray_base<64>* ung = use.GetList("ung");
                                   if (!job || !ung || job->GetCount() == 0 || ung->GetCount() == 0)
                                       continue;
                                   page.SelectElement(static_cast<int32_t>(i));
                                   page.Control(item_page::IDC_USE_LIST).SetCurSel(static_cast<int32_t>(u));
                                   CUiEntry::Command(page, item_page::IDC_USE_LIST, UiEvent::kSelChanged);
                                   return;
                               }
                           }
                       },
                       nullptr});
    m_steps.push_back({[this] { Shoot(m_main, QStringLiteral("item-use-entry")); }, nullptr});
    m_steps.push_back({[this] {
                           CUiEntry::Command(m_main.Page(CMainDlg::kItemTab), item_page::IDC_SORT, UiEvent::kClicked);
                       },
                       "item-sort"});
    m_steps.push_back({command(ID_PREFERENCES), "preferences"});
    m_steps.push_back({command(ID_FILE_NEW), "project-information"});
    m_steps.push_back({command(ID_ABOUT), "about"});
    // The find window and the results window after a search of every
    // element for a word of the sample; both close again the way their
    // close box does.
    m_steps.push_back({[this] {
                           m_main.ShowFindReplace();
                           FindDlg& find = m_main.FindReplace();
                           find.Control(find_dlg::IDC_TARGET).SetCurSel(kFindAll);
                           find.Control(find_dlg::IDC_SEARCH).SetText(SJ("小麦"));
                           CUiEntry::Command(find, find_dlg::IDC_FIND, UiEvent::kClicked);
                       },
                       nullptr});
    m_steps.push_back({[this] {
                           Shoot(m_main.FindReplace(), QStringLiteral("find-replace"));
                           Shoot(m_main.ToolResults(), QStringLiteral("find-results"));
                           CUiEntry::Command(m_main.FindReplace(), kIdCancel, UiEvent::kClicked);
                           CUiEntry::Command(m_main.ToolResults(), kIdCancel, UiEvent::kClicked);
                       },
                       nullptr});
    // The results window after an integrity check of the project (a project
    // without findings gets the message box, pictured and answered).
    m_steps.push_back({command(ID_INTEGRITY_CHECK), nullptr});
    m_steps.push_back({[this] { m_main.ShowToolResults(); }, nullptr});
    m_steps.push_back({[this] {
                           Shoot(m_main.ToolResults(), QStringLiteral("tool-results"));
                           m_main.ToolResults().ShowWindow(UiShow::kHide);
                       },
                       nullptr});
    // The main window at its first size and maximized.
    m_steps.push_back({[this] {
                           m_main.Control(CMainDlg::IDC_TAB).SetCurSel(CMainDlg::kItemTab);
                           m_main.SwitchPage();
                       },
                       nullptr});
    m_steps.push_back({[this] { Shoot(m_main, QStringLiteral("main-window")); }, nullptr});
    m_steps.push_back({[this] { m_main.ShowWindow(UiShow::kMaximize); }, nullptr});
    m_steps.push_back({[this] { Shoot(m_main, QStringLiteral("main-window-maximized")); }, nullptr});
    m_steps.push_back({[this] { m_main.ShowWindow(UiShow::kRestore); }, nullptr});
    // Back on the first tab, and out without the save question: the tour
    // changes nothing worth keeping.
    m_steps.push_back({[this] {
                           m_main.Control(CMainDlg::IDC_TAB).SetCurSel(0);
                           m_main.SwitchPage();
                           m_main.Project().m_bModified = false;
                           CUiEntry::Command(m_main, ID_FILE_EXIT, UiEvent::kClicked);
                       },
                       nullptr});
}

void CTour::Tick()
{
    QTimer::singleShot(kTickMs, &m_ticks, [this] { Tick(); });
    if (m_bShooting)
        return;
    if (++m_nIdleTicks > kGiveUpTicks) {
        m_err << "TavaroItemEditor: the screenshot tour got stuck at step " << m_nNext << "\n";
        m_err.flush();
        _exit(1);
    }
    if (QMessageBox* box = ShownMessageBox()) {
        Shoot(box, QStringLiteral("message-%1").arg(++m_nExtra));
        QAbstractButton* button = box->escapeButton();
        if (!button)
            button = box->defaultButton();
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
    if (CQtWindow* modal = ModalWindow()) {
        const QString name = m_pAwaited ? QString::fromLatin1(m_pAwaited) : QStringLiteral("window-%1").arg(++m_nExtra);
        m_pAwaited = nullptr;
        Shoot(modal->Dialog(), name);
        modal->Dialog().EndDialog(kIdCancel);
        return;
    }
    if (m_bInStep || !m_main.HasWindow() || !m_main.IsWindowVisible() || !m_main.IsStartupDone() ||
        m_nNext >= m_steps.size())
        return;
    const Step& step = m_steps[m_nNext++];
    m_nIdleTicks = 0;
    m_pAwaited = step.modalName;
    m_bInStep = true;
    step.act();
    m_bInStep = false;
    if (m_pAwaited) {
        m_err << "TavaroItemEditor: no " << m_pAwaited << " dialog came up\n";
        ++m_nFailures;
        m_pAwaited = nullptr;
    }
}

void CTour::Shoot(const CDialogBase& dialog, const QString& name)
{
    const CQtWindow* window = CQtBackend::WindowOf(dialog);
    Shoot(window ? window->Outer() : nullptr, name);
}

void CTour::Shoot(QWidget* widget, const QString& name)
{
    const QString path = m_folder + QLatin1Char('/') + name + QStringLiteral(".png");
    m_bShooting = true;
    const bool saved = widget && widget->grab().save(path, "PNG");
    m_bShooting = false;
    if (!saved) {
        m_err << "TavaroItemEditor: could not write " << path.toStdString() << "\n";
        ++m_nFailures;
        return;
    }
    m_out << path.toStdString() << "\n";
}

CQtWindow* CTour::ModalWindow() const
{
    const std::vector<CQtWindow*>& windows = m_backend.Windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        CQtWindow* window = *it;
        if (&window->Dialog() != &m_main && window->ModalLoop() && !window->IsEnded() && window->IsVisible())
            return window;
    }
    return nullptr;
}

QMessageBox* CTour::ShownMessageBox() const
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

}  // namespace

int RunScreenshotTour(CQtBackend& backend, CEditorStartup startup, const std::string& folder, std::ostream& out,
                      std::ostream& err)
{
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (!QDir(QString::fromStdString(folder)).exists()) {
        err << "TavaroItemEditor: cannot make the folder '" << folder << "'\n";
        return 1;
    }
    char scratchName[] = "/tmp/tavaro-tour-XXXXXX";
    if (!mkdtemp(scratchName)) {
        err << "TavaroItemEditor: cannot make a scratch folder for the settings\n";
        return 1;
    }
    const std::string scratch = scratchName;
    startup.settingsPath = PathTextFromNative(scratch + "/TavaroItemEditor.ini");

    int failures = 0;
    {
        CMainDlg main(startup);
        CTour tour(backend, main, QDir(QString::fromStdString(folder)).absolutePath(), out, err);
        tour.Tick();
        main.DoModal();
        failures = tour.Failures();
    }
    backend.Flush();
    std::filesystem::remove_all(scratch, failed);
    return failures ? 1 : 0;
}
