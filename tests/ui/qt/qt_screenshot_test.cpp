// Pictures of the three text windows with Japanese text, written as PNG
// files under the build tree (screenshots/) for a person to look at; the
// test itself makes sure the edits' font has the Japanese characters.
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>

#include "app/direct_input_dlg.h"
#include "app/edit_dlg.h"
#include "qt_fixture.h"
#include "ui/qt/qt_frame.h"

namespace {

struct QuietMarker : CModifiedMarker {
    void MarkModified() override {}
};

class QtScreenshotTest : public QtTest {
protected:
    // Writes the window of `dialog` to screenshots/`name`.png; true when written.
    static bool Shoot(const CDialogBase& dialog, const char* name)
    {
        QDir().mkpath(QStringLiteral(TAVARO_QT_SHOTS));
        const QString path = QStringLiteral(TAVARO_QT_SHOTS "/") + QString::fromLatin1(name) + QStringLiteral(".png");
        const QPixmap shot = WindowOf(dialog).Outer()->grab();
        return !shot.isNull() && shot.save(path) && !QImage(path).isNull();
    }
    static bool HasJapanese(const CDialogBase& dialog, int32_t id)
    {
        const QFontMetrics metrics(ControlOf(dialog, id).widget->font());
        for (char16_t c : u"日本語アイテム説明見つかりません")
            if (c && !metrics.inFont(QChar(c)))
                return false;
        return true;
    }

    CSettingsStore settings;
    QuietMarker marker;
    const CUiFont gothic{Sj("ＭＳ ゴシック").c_str(), 12};
};

const char kElement[] =
    "@@ITEM\n"
    "no\t1\n"
    "name\tアイテム名：薬草\n"
    "info\t体力を少し回復する。\n"
    "funct\tUseItem(\"薬草\");\n"
    "@@USE\n"
    "name\t使う\n";

TEST_F(QtScreenshotTest, DirectInputAndErrorInformation)
{
    CDirectInputDlg input(settings, marker);
    input.SetFont(gothic);
    input.SetText(Sj(kElement).c_str());
    input.SetOpeningErrors(Sj("[2]：@@ITEMが見つかりません。\n[6]：説明が長すぎます。\n").c_str());
    Soon([&] {
        EXPECT_TRUE(WaitFor([&] { return input.ErrInfo().HasWindow() && input.ErrInfo().IsWindowVisible(); }));
        input.ErrInfo().MoveWindow({520, 0, 360, 160});
        Settle();
        EXPECT_TRUE(HasJapanese(input, CDirectInputDlg::IDC_TEXT));
        EXPECT_TRUE(HasJapanese(input.ErrInfo(), CErrInfoDlg::IDC_LIST));
        EXPECT_TRUE(Shoot(input, "direct_input"));
        EXPECT_TRUE(Shoot(input.ErrInfo(), "err_info"));
        input.EndDialog(kIdCancel);
    });
    input.DoModal();
}

TEST_F(QtScreenshotTest, SeparateWindowEdit)
{
    CEditDlg edit(settings, marker, gothic);
    edit.SetTitle(Sj("funct(@@ITEM) - 別ウィンドウ編集").c_str());
    edit.SetText(Sj("UseItem(\"薬草\");\r\n\tMessage(\"体力が回復した。\");\r\n").c_str());
    Soon([&] {
        Settle();
        EXPECT_TRUE(HasJapanese(edit, CEditDlg::IDC_TEXT));
        EXPECT_TRUE(Shoot(edit, "edit"));
        edit.EndDialog(kIdCancel);
    });
    edit.DoModal();
}

}  // namespace
