#include "ui/qt/qt_progress.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include "ui/qt/qt_text.h"
#include "ui/ui_progress.h"

namespace {

// How often the window looks at the job.
constexpr int kPollMs = 50;

void ShowProgress(QProgressDialog& dialog, const CUiProgressJob& job)
{
    const uint32_t total = job.Total();
    if (total == 0) {
        dialog.setRange(0, 0);
        return;
    }
    // The bar counts in thousandths, so that any total fits its int range.
    dialog.setRange(0, 1000);
    dialog.setValue(static_cast<int>(static_cast<uint64_t>(job.Done()) * 1000 / total));
}

}  // namespace

void QtRunProgressWindow(QWidget* parent, CUiProgressJob& job)
{
    QProgressDialog dialog(parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(QtFromCp932(job.Title()));
    dialog.setLabelText(QtFromCp932(job.Label()));
    dialog.setCancelButtonText(QString::fromUtf8("キャンセル"));
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setMinimumWidth(320);
    ShowProgress(dialog, job);

    QEventLoop loop;
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        job.Cancel();
        dialog.setCancelButtonText(QString());  // one cancel is enough
        dialog.show();                          // a cancel hides the window; it stays until the end
    });
    // Escape or anything else that would close the window cancels too; the
    // window stays until the job has ended.
    QObject::connect(&dialog, &QDialog::finished, &loop, [&] {
        job.Cancel();
        dialog.show();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (job.WaitFor(std::chrono::milliseconds(0)))
            loop.quit();
        else
            ShowProgress(dialog, job);
    });
    poll.start(kPollMs);
    // The wait cursor of the caller would hide that the button takes clicks.
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (!job.WaitFor(std::chrono::milliseconds(0)))
        loop.exec();
    poll.stop();
    dialog.hide();
    QApplication::restoreOverrideCursor();
}
