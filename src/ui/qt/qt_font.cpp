#include "ui/qt/qt_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

#include "ui/qt/qt_text.h"

namespace {

const char kFallbackFace[] = "Noto Sans Mono CJK JP";

}  // namespace

QFont QtFont(const CUiFont& font, const QFont& dialogFont)
{
    if (font.face.IsEmpty())
        return dialogFont;
    QString family = QtFromCp932(std::string_view(font.face.GetBuffer(), font.face.GetLength()));
    if (!QFontDatabase::hasFamily(family)) {
        family = QString::fromLatin1(kFallbackFace);
        if (!QFontDatabase::hasFamily(family))
            family = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }
    QFont result(family);
    result.setStyleHint(QFont::TypeWriter);
    if (font.points > 0)
        result.setPointSize(font.points);
    else
        result.setPointSizeF(dialogFont.pointSizeF());
    return result;
}

QFont QtDialogFont()
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    return font;
}

int QtDialogUnitsToPixels(const QFont& font, int dialogUnits)
{
    return dialogUnits * QFontMetrics(font).averageCharWidth() / 4;
}
