// Fonts by face name and point size. A face the system lacks falls back
// to a fixed-pitch Japanese face ("ＭＳ ゴシック" is one): "Noto Sans Mono
// CJK JP" where installed, else the platform's fixed-pitch font.
#pragma once

#include <QFont>
#include <QRect>

#include "ui/ui_types.h"

// The font for `font`; `dialogFont` when its face is empty.
QFont QtFont(const CUiFont& font, const QFont& dialogFont);
// The font of a dialog's client area: the application font at 9 points,
// the size of the dialog fonts the templates were laid out for.
QFont QtDialogFont();
// The size in pixels of one template pixel in `font`. The templates were
// drawn for a dialog font whose full-width character is 12 pixels wide,
// whose half-width character is 6 and whose line is 14 pixels high; a font
// that needs more room makes the template pixel larger, across and down
// apart (never smaller than a pixel), so that every caption keeps the
// room it was drawn with.
struct CQtUnit {
    double x = 1.0;
    double y = 1.0;
};
CQtUnit QtTemplateUnit(const QFont& font);
// A rectangle of template pixels in pixels (edges rounded, so that controls
// that touch in the template touch on the screen), and back.
QRect QtPixels(const CUiRect& rect, CQtUnit unit);
CUiRect QtTemplateRect(const QRect& pixels, CQtUnit unit);
// Pixels of `dialogUnits` horizontal dialog units in `font` (a dialog unit
// is a quarter of the font's average character width).
int QtDialogUnitsToPixels(const QFont& font, int dialogUnits);
