#include "ui/qt/qt_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

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

CQtUnit QtTemplateUnit(const QFont& font)
{
    const QFontMetricsF metrics(font);
    // Samples of both widths, measured whole as captions are.
    const QString wide = QStringLiteral("アイテム名説明文成功時表示職業補正");
    const QString narrow = QStringLiteral("argmessage(exptime)okmsg[100%]");
    const double across = std::max(metrics.horizontalAdvance(wide) / (12.0 * wide.size()),
                                   metrics.horizontalAdvance(narrow) / (6.0 * narrow.size()));
    CQtUnit unit;
    unit.x = std::max(1.0, across);
    unit.y = std::max(1.0, metrics.height() / 14.0);
    return unit;
}

namespace {

int Scaled(int32_t at, double unit) { return static_cast<int>(std::lround(at * unit)); }

int32_t Unscaled(int at, double unit) { return static_cast<int32_t>(std::lround(at / unit)); }

}  // namespace

QRect QtPixels(const CUiRect& rect, CQtUnit unit)
{
    const int left = Scaled(rect.x, unit.x);
    const int top = Scaled(rect.y, unit.y);
    return QRect(left, top, Scaled(rect.x + rect.w, unit.x) - left, Scaled(rect.y + rect.h, unit.y) - top);
}

CUiRect QtTemplateRect(const QRect& pixels, CQtUnit unit)
{
    const int32_t left = Unscaled(pixels.x(), unit.x);
    const int32_t top = Unscaled(pixels.y(), unit.y);
    return {left, top, Unscaled(pixels.x() + pixels.width(), unit.x) - left,
            Unscaled(pixels.y() + pixels.height(), unit.y) - top};
}

int QtDialogUnitsToPixels(const QFont& font, int dialogUnits)
{
    return dialogUnits * QFontMetrics(font).averageCharWidth() / 4;
}
