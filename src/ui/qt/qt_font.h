// Fonts by face name and point size. A face the system lacks falls back
// to a fixed-pitch Japanese face ("ＭＳ ゴシック" is one): "Noto Sans Mono
// CJK JP" where installed, else the platform's fixed-pitch font.
#pragma once

#include <QFont>

#include "ui/ui_types.h"

// The font for `font`; `dialogFont` when its face is empty.
QFont QtFont(const CUiFont& font, const QFont& dialogFont);
// The font of a dialog's client area: the application font at 9 points,
// the size of the dialog fonts the templates were laid out for.
QFont QtDialogFont();
// Pixels of `dialogUnits` horizontal dialog units in `font` (a dialog unit
// is a quarter of the font's average character width).
int QtDialogUnitsToPixels(const QFont& font, int dialogUnits);
