// The progress window of the Qt backend: modal over the whole application
// with the texts it was given, its cancel reaches the work, and posted
// messages wait until the work has ended.
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "foundation/sjis_literal.h"
#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/ui_progress.h"

namespace {

using QtProgressTest = QtProbeTest;

QProgressDialog* ShownProgress()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QProgressDialog*>(widget);
        if (dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

TEST_F(QtProgressTest, TheWindowIsModalOverEverythingAndItsCancelEndsTheWork)
{
    ShowActive(probe);
    probe.m_ownLog.clear();
    probe.PostMessage(0x7001);

    QString title, label;
    Qt::WindowModality modality = Qt::NonModal;
    bool probeBlocked = false;
    Log seenMeanwhile;
    Soon([&] {
        QProgressDialog* dialog = ShownProgress();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        label = dialog->labelText();
        modality = dialog->windowModality();
        probeBlocked = WindowOf(probe).IsBlocked();
        QTest::qWait(50);  // the loop runs, the posted message still waits
        seenMeanwhile = probe.m_ownLog;
        const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), QString::fromUtf8("キャンセル"));
        buttons[0]->click();
    });
    // Work that runs until it is cancelled (ten seconds at most).
    EXPECT_TRUE(UiRunWithProgress(SJ("検索/置換"), SJ("検索しています..."),
                                  [](const std::atomic<bool>& cancel, const CUiProgressReport& report) {
                                      for (uint32_t i = 0; i < 1000 && !cancel; ++i) {
                                          report(i, 1000);
                                          std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                      }
                                  },
                                  &probe));
    EXPECT_EQ(title, QString::fromUtf8("検索/置換"));
    EXPECT_EQ(label, QString::fromUtf8("検索しています..."));
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_TRUE(probeBlocked);
    EXPECT_TRUE(Entries(seenMeanwhile, "probe: posted").empty());
    EXPECT_FALSE(WindowOf(probe).IsBlocked());
    EXPECT_EQ(ShownProgress(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !Entries(probe.m_ownLog, "probe: posted").empty(); }));
}

}  // namespace
