// Window geometry on Qt: a rectangle set is the rectangle the window has,
// frame included, maximized or not, within the smallest size it allows; and
// an edit given the program's font has the program's characters. (What the
// text windows store and read is tested on the headless backend.)
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/qt/qt_frame.h"

namespace {

class QtGeometryTest : public QtProbeTest {
protected:
    // Waits until the window is (or is not) maximized and the probe's size
    // handler has seen its client area.
    bool Settled(bool maximized)
    {
        return WaitFor([&] {
            const CUiSize client = probe.GetClientSize();
            return probe.IsZoomed() == maximized && !probe.m_ownLog.empty() &&
                   probe.m_ownLog.back() == "probe: size " + std::to_string(client.w) + "x" + std::to_string(client.h);
        });
    }
};

TEST_F(QtGeometryTest, ARectangleSetIsTheWindowsRectangleNoSmallerThanItsMinimum)
{
    probe.SetMinTrackSize(250, 150);
    ShowActive(probe);
    probe.MoveWindow({5, 6, 100, 40});
    EXPECT_EQ(probe.GetWindowRect(), (CUiRect{5, 6, 250, 150}));
    WindowOf(probe).Frame()->resize(10, 10);  // nor can the person make it smaller
    EXPECT_TRUE(Settled(false));
    EXPECT_EQ(probe.GetWindowRect(), (CUiRect{5, 6, 250, 150}));
    const CUiRect placed{40, 50, 420, 300};
    probe.MoveWindow(placed);
    EXPECT_TRUE(Settled(false));
    EXPECT_EQ(probe.GetWindowRect(), placed);
}

TEST_F(QtGeometryTest, AMaximizedWindowKeepsItsNormalRectangle)
{
    probe.SetMinTrackSize(250, 150);
    const CUiRect placed{30, 20, 400, 260};
    probe.MoveWindow(placed);
    probe.ShowWindow(UiShow::kMaximize);
    EXPECT_TRUE(Settled(true));
    EXPECT_EQ(probe.GetNormalRect(), placed);
    probe.ShowWindow(UiShow::kRestore);
    EXPECT_TRUE(WaitFor([&] { return !probe.IsZoomed() && probe.GetWindowRect() == placed; }));
}

// A window of its own that nothing placed opens centred on the screen, so
// that its place is known before the window system shows it (a dialog
// centred over it at start-up went where it had not yet been put); one
// placed keeps its place, and one with an owner is centred over the owner.
TEST_F(QtGeometryTest, AWindowOfItsOwnOpensCentredOnTheScreenUnlessPlaced)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const CUiRect opened = probe.GetWindowRect();
    ShowActive(probe);
    EXPECT_EQ(probe.GetWindowRect(), (CUiRect{area.x() + (area.width() - opened.w) / 2,
                                              area.y() + (area.height() - opened.h) / 2, opened.w, opened.h}));

    CProbeDlg placed(ProbeTemplate(), "placed"), owned(ProbeTemplate(), "owned");
    ASSERT_TRUE(placed.Create());
    const CUiRect rect{7, 9, opened.w, opened.h};
    placed.MoveWindow(rect);
    placed.ShowWindow(UiShow::kShow);
    EXPECT_EQ(placed.GetWindowRect(), rect);
    ASSERT_TRUE(owned.Create(&placed));
    owned.ShowWindow(UiShow::kShow);
    const CUiRect over = owned.GetWindowRect();
    EXPECT_EQ(std::pair(over.x + over.w / 2, over.y + over.h / 2), std::pair(7 + rect.w / 2, 9 + rect.h / 2));
}

// A window drawn for a larger screen than there is can be made as small as
// the screen; its client area keeps the size it was drawn for and
// scrolls, so the buttons at its foot can still be reached. Where it fits,
// nothing scrolls.
TEST_F(QtGeometryTest, AWindowLargerThanTheScreenFitsItAndScrolls)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ShowActive(probe);
    QWidget* frame = WindowOf(probe).Frame();
    QWidget* client = WindowOf(probe).Client();
    auto* scroll = frame->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(client->size(), frame->size());

    const QMargins margins = frame->windowHandle()->frameMargins();
    const QSize frameOf(margins.left() + margins.right(), margins.top() + margins.bottom());
    probe.SetMinTrackSize(screen.width() + 200, screen.height() + 100);
    frame->resize(10, 10);
    EXPECT_TRUE(WaitFor([&] { return frame->size() + frameOf == screen; }));
    EXPECT_GE(client->width() + frameOf.width(), screen.width() + 200);
    EXPECT_GE(client->height() + frameOf.height(), screen.height() + 100);
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
}

// "ＭＳ ゴシック" is not there: the fixed-pitch Japanese face takes its place.
TEST_F(QtGeometryTest, TheProgramsFontHasItsCharacters)
{
    probe.Control(kProbeText).SetFont(CUiFont{S("ＭＳ ゴシック").c_str(), 12});
    const QFont font = ControlOfDialog(probe, kProbeText)->font();
    EXPECT_EQ(font.pointSize(), 12);
    const QFontMetrics metrics(font);
    for (char16_t c : u"日本語アイテム説明見つかりません")
        EXPECT_TRUE(!c || metrics.inFont(QChar(c))) << static_cast<int>(c);
}

}  // namespace
