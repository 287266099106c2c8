// One control of a Qt window: the widgets built for its template entry and
// what the layer asked of it that the widgets cannot hold themselves.
//
// Kinds map to widgets as follows: static -> QLabel, edit -> QLineEdit or
// (multi-line) CQtPlainEdit, check box -> QCheckBox, button -> QPushButton,
// group -> QGroupBox, drop-down list -> QComboBox, editable combo ->
// editable QComboBox, list box -> QListView over CQtItemModel, tab control
// -> QTabBar over a framed panel.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/qt/qt_font.h"
#include "ui/ui_template.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QTabBar;
class QWidget;
class CQtItemModel;
class CQtPlainEdit;

struct CQtControl {
    // Builds the widgets inside `client` (not yet wired to anything), one
    // template pixel measuring `unit`.
    CQtControl(const CUiControlTemplate& control, QWidget* client, CQtUnit unit);

    bool IsMultiLine() const { return plain != nullptr; }
    // The single-line edit of an edit or an editable combo; null for others.
    QLineEdit* LineEdit() const;
    // Places the widgets at `rect`, in template pixels (a combo keeps the
    // height of its closed box).
    void Place(const CUiRect& where);
    // A tab control lays its bar out again after tabs came or went: the bar
    // takes the height its tabs need, the panel the rest.
    void RelayTabs();

    int32_t id;
    UiControlKind kind;
    uint32_t style;
    CUiRect rect;               // as the layer set it, in template pixels
    CQtUnit unit;
    QWidget* widget = nullptr;  // the outermost widget, a child of the client
    QLabel* label = nullptr;
    QAbstractButton* button = nullptr;  // push button or check box
    QGroupBox* group = nullptr;
    QLineEdit* line = nullptr;
    CQtPlainEdit* plain = nullptr;
    QComboBox* combo = nullptr;
    QListView* list = nullptr;
    QTabBar* tabs = nullptr;
    CQtItemModel* items = nullptr;     // lists and combo boxes
    std::vector<std::string> itemTexts;  // items of a tab control (or of a control without a model)

    // The text the program gave (or the item a combo box took) and what the
    // widget showed for it: while the widget still shows `shown`, the text
    // is `given`, byte for byte.
    std::string given;
    QString shown;
    QString seen;           // multi-line edits: the text last told of
    uint32_t limit = 0;     // bytes; 0 for none
    int32_t tabStops = 0;   // dialog units; 0 for the default
    int32_t curSel = -1;    // combo boxes and tab controls
};
