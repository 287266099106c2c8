// Menus on Qt: the dialog's menu bar becomes a QMenuBar, updated in place
// (or rebuilt when its items changed shape) whenever the dialog says it
// changed. Popups become QMenus, grayed items disabled
// actions, "&" marks mnemonics as on Windows and a tab in an item's text
// starts its shortcut text.
//
// Qt has no window menu. Its items, by position, steer the frame instead:
// 2 (size) grayed fixes the window's size, 3 (minimize) and 4 (maximize)
// grayed take those buttons away, 6 (close) grayed makes the close box do
// nothing; 0 (restore) and 1 (move) have no counterpart.
#pragma once

#include <Qt>
#include <cstdint>
#include <functional>

#include "ui/ui_menu.h"

class QMenuBar;
class QObject;

// Null when the menu has no items. `choose` runs with an item's command;
// `context` ends the connections when it goes.
QMenuBar* QtBuildMenuBar(const CUiMenu& menu, const std::function<void(int32_t)>& choose, QObject* context);
// Gives the texts and enabled states of `menu` to `bar`, built from a menu
// of the same items, commands and keys; false (and nothing certain) when
// the shape differs, and the bar is to be built anew.
bool QtUpdateMenuBar(QMenuBar* bar, const CUiMenu& menu);

struct CQtFrameRules {
    Qt::WindowFlags flags;  // title, buttons
    bool resizable = true;
    bool closable = true;
};
// What a top-level window of the template style `style` may do, given its
// window menu. A window with an owner is a dialog of the owner's: the
// window manager keeps it above the owner and minimizes it along.
CQtFrameRules QtFrameRules(uint32_t style, const CUiMenu& systemMenu, bool owned);
