// Window geometry on Qt: what the text windows store when they go is what
// they show when they open again, maximized or not, within the smallest
// size they allow; and their edit's font has the program's characters.
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include "app/edit_dlg.h"
#include "qt_fixture.h"
#include "ui/qt/qt_frame.h"

namespace {

struct QuietMarker : CModifiedMarker {
    void MarkModified() override {}
};

class QtGeometryTest : public QtTest {
protected:
    // Runs the separate-window edit; `drive` acts inside it, then OK ends it.
    void Run(const std::function<void(CEditDlg&)>& drive)
    {
        CEditDlg edit(settings, marker, CUiFont{Sj("ＭＳ ゴシック").c_str(), 12});
        edit.SetText(Sj("一行目\r\n二行目").c_str());
        Soon([&] {
            drive(edit);
            QTest::mouseClick(ControlOfDialog(edit, kIdOk), Qt::LeftButton);
        });
        EXPECT_EQ(edit.DoModal(), kIdOk);
    }
    std::string Setting(const char* path) { return FindSetting(settings, path)->GetBuffer(); }
    static bool Settled(CEditDlg& edit, bool maximized)
    {
        return WaitFor([&] {
            const CUiSize client = edit.GetClientSize();
            return edit.IsZoomed() == maximized &&
                   edit.Control(CEditDlg::IDC_TEXT).GetRect() == (CUiRect{10, 10, client.w - 20, client.h - 50});
        });
    }

    CSettingsStore settings;
    QuietMarker marker;
};

TEST_F(QtGeometryTest, ARectangleStoredIsTheRectangleShownNextTimeAndNoSmallerThanTheMinimum)
{
    const CUiRect placed{40, 50, 420, 300};
    Run([&](CEditDlg& edit) {
        edit.MoveWindow({5, 6, 100, 40});
        EXPECT_EQ(edit.GetWindowRect(), (CUiRect{5, 6, 250, 150}));
        WindowOf(edit).Frame()->resize(10, 10);  // nor can the person make it smaller
        EXPECT_TRUE(Settled(edit, false));
        EXPECT_EQ(edit.GetWindowRect(), (CUiRect{5, 6, 250, 150}));
        edit.MoveWindow(placed);
        EXPECT_TRUE(Settled(edit, false));
    });
    EXPECT_EQ(Setting("/EditDialog/x"), "40");
    EXPECT_EQ(Setting("/EditDialog/h"), "300");
    EXPECT_EQ(Setting("/EditDialog/Maximize"), "false");

    Run([&](CEditDlg& edit) {
        EXPECT_EQ(edit.GetWindowRect(), placed);
        EXPECT_TRUE(Settled(edit, false));
        // The program's font, or the fixed-pitch Japanese one in its place.
        const QFont font = ControlOf(edit, CEditDlg::IDC_TEXT).widget->font();
        EXPECT_EQ(font.pointSize(), 12);
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans Mono CJK JP"));
        const QFontMetrics metrics(font);
        for (char16_t c : u"日本語アイテム説明見つかりません")
            EXPECT_TRUE(!c || metrics.inFont(QChar(c))) << static_cast<int>(c);
    });
}

TEST_F(QtGeometryTest, AMaximizedWindowKeepsItsNormalRectangle)
{
    const CUiRect placed{30, 20, 400, 260};
    Run([&](CEditDlg& edit) {
        edit.MoveWindow(placed);
        edit.ShowWindow(UiShow::kMaximize);
        EXPECT_TRUE(Settled(edit, true));
        EXPECT_EQ(edit.GetNormalRect(), placed);
    });
    EXPECT_EQ(Setting("/EditDialog/Maximize"), "true");
    EXPECT_EQ(Setting("/EditDialog/w"), "400");

    Run([&](CEditDlg& edit) {
        EXPECT_TRUE(Settled(edit, true));
        EXPECT_EQ(edit.GetNormalRect(), placed);
        edit.ShowWindow(UiShow::kRestore);
        EXPECT_TRUE(Settled(edit, false));
        EXPECT_EQ(edit.GetWindowRect(), placed);
    });
    EXPECT_EQ(Setting("/EditDialog/Maximize"), "false");
}

}  // namespace
