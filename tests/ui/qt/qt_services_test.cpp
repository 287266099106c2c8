// Services of the Qt backend: the wait cursor, the shell, file dialogs,
// timers and the program's activation.
#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "foundation/native_path.h"
#include "probe_dialog.h"
#include "qt_fixture.h"
#include "temp_folder.h"
#include "ui/qt/qt_translation.h"
#include "ui/ui_services.h"

namespace {

using QtServicesTest = QtTest;

TEST_F(QtServicesTest, TheWaitCursorShowsWhileAnyWaitLasts)
{
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        CUiWaitCursor outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            CUiWaitCursor inner;
        }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtServicesTest, TheShellStartsProgramsWithParametersInTheirFolder)
{
    TempFolder folder;
    const std::string script = folder.Path("run.sh");
    folder.Put("run.sh", "#!/bin/sh\necho \"$1|$2\" > \"$PWD/out.txt\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    // Each argument arrives whole, quotes and blanks included.
    CStrArray_base<64> arguments;
    arguments.Add()->Assign(S("二つ \"の").c_str());
    arguments.Add()->Assign(S("引数").c_str());
    EXPECT_GT(UiShellOpen("open", script.c_str(), arguments, folder.Path().c_str()), 32);
    EXPECT_TRUE(WaitFor([&] { return folder.Get("out.txt") == "二つ \"の|引数\n"; })) << folder.Get("out.txt");

    EXPECT_LE(UiShellOpen("open", folder.Path("missing.htm").c_str(), {}, ""), 32);
    EXPECT_LE(UiShellOpen("print", script.c_str(), {}, ""), 32);
}

TEST_F(QtServicesTest, FileDialogsGiveBackThePathTextOrNothing)
{
    TempFolder folder;
    const std::string name = "データ.cgi";
    folder.Put(name, "x");
    const std::string filter = S("CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||");
    CUiFileRequest request;
    request.filter = filter.c_str();
    request.mustExist = true;
    const std::string initial = S(("" + folder.Path() + "/").c_str());
    request.initialName = initial.c_str();

    auto answer = [&](bool accept) {
        OnShown<QFileDialog>([&, accept](QFileDialog& dialog) {
            if (!accept) {
                dialog.reject();
                return;
            }
            dialog.selectFile(QString::fromStdString(folder.Path(name)));
            static_cast<QDialog&>(dialog).accept();
        });
    };
    CStr_base<64> path;
    answer(true);
    ASSERT_TRUE(UiAskFileName(request, path));
    EXPECT_EQ(std::string(path.GetBuffer()), S(folder.Path(name).c_str()));

    answer(false);
    EXPECT_FALSE(UiAskFileName(request, path));
    EXPECT_EQ(std::string(path.GetBuffer()), S(folder.Path(name).c_str()));
}

// Qt's own dialogs and standard buttons speak the program's language; a
// missing translation leaves them English without a word.
TEST_F(QtServicesTest, QtsOwnTextsAreJapanese)
{
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
    TempFolder empty;
    EXPECT_EQ(QtInstallJapaneseTranslation(QString::fromStdString(empty.Path())), nullptr);
}

}  // namespace

namespace {

using QtTimerTest = QtTest;

TEST_F(QtTimerTest, TimersPostTheirMessageUntilStoppedOrTheWindowGoes)
{
    CProbeDlg probe;
    ASSERT_TRUE(probe.Create());
    const auto posted = [&] { return Entries(probe.m_ownLog, "probe: posted 9").size(); };
    probe.SetTimer(9, 10);
    EXPECT_TRUE(WaitFor([&] { return posted() >= 3; }));
    probe.KillTimer(9);
    Settle();
    const size_t stopped = posted();
    QTest::qWait(60);
    EXPECT_EQ(posted(), stopped);

    probe.SetTimer(9, 10);
    probe.DestroyWindow();
    QTest::qWait(60);
    EXPECT_EQ(posted(), stopped);
}

// The window system tells Qt when the user turns to another program and
// back (the offscreen platform never does: the test speaks for it). Every
// top-level window hears each change once; pages do not.
TEST_F(QtTimerTest, WindowsHearWhenTheProgramBecomesActive)
{
    CProbeDlg probe, page(ProbeTemplate(), "page");
    page.log = probe.log;
    ASSERT_TRUE(probe.Create());
    ASSERT_TRUE(page.CreateChild(probe));
    ShowActive(probe);
    probe.noteActivation = page.noteActivation = true;
    probe.m_ownLog.clear();
    for (const Qt::ApplicationState state : {Qt::ApplicationInactive, Qt::ApplicationHidden, Qt::ApplicationActive,
                                             Qt::ApplicationActive})
        Q_EMIT qApp->applicationStateChanged(state);
    EXPECT_EQ(Entries(probe.m_ownLog, "probe: app "), (Log{"inactive", "active"}));
    EXPECT_TRUE(Entries(probe.m_ownLog, "page: app ").empty());
}

}  // namespace
