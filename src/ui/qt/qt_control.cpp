#include "ui/qt/qt_control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>

#include "ui/qt/qt_item_model.h"
#include "ui/qt/qt_plain_edit.h"
#include "ui/qt/qt_text.h"

namespace {

// A tab control: the bar of tabs over a framed panel (RelayTabs places them).
QWidget* TabControl(QWidget* client, QTabBar*& tabs)
{
    auto* box = new QWidget(client);
    tabs = new QTabBar(box);
    tabs->setExpanding(false);
    tabs->setDrawBase(false);
    auto* panel = new QFrame(box);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->lower();
    return box;
}

QComboBox* Combo(QWidget* client, bool editable, CQtItemModel*& items)
{
    auto* combo = new QComboBox(client);
    combo->setEditable(editable);
    items = new CQtItemModel(combo);
    combo->setModel(items);
    // A combo box that gets its first item selects nothing by itself.
    combo->setPlaceholderText(QStringLiteral(" "));
    combo->setMaxVisibleItems(20);
    // Neither the box nor its list measures every item (there may be tens
    // of thousands).
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* view = qobject_cast<QListView*>(combo->view()))
        view->setUniformItemSizes(true);
    if (editable) {
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

}  // namespace

CQtControl::CQtControl(const CUiControlTemplate& control, QWidget* client, CQtUnit unit)
    : id(control.id), kind(control.kind), style(control.style), rect(control.rect), unit(unit), given(control.caption)
{
    shown = QtFromCp932(given);
    switch (kind) {
    case UiControlKind::kStatic:
        widget = label = new QLabel(QtWithoutMnemonics(shown), client);
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    case UiControlKind::kEdit:
        if (style & kUiMultiLine) {
            widget = plain = new CQtPlainEdit(client);
            plain->setPlainText(shown);
            plain->setLineWrapMode(QPlainTextEdit::NoWrap);
            plain->setReadOnly(style & kUiReadOnly);
            shown = plain->toPlainText();
            seen = shown;
        } else {
            widget = line = new QLineEdit(shown, client);
            line->setReadOnly(style & kUiReadOnly);
            line->setClearButtonEnabled(style & kUiSearchBox);
        }
        break;
    case UiControlKind::kCheck:
        widget = button = new QCheckBox(shown, client);
        break;
    case UiControlKind::kButton: {
        auto* push = new QPushButton(shown, client);
        push->setAutoDefault(false);
        push->setDefault(style & kUiDefaultButton);
        widget = button = push;
        break;
    }
    case UiControlKind::kGroup:
        widget = group = new QGroupBox(shown, client);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    case UiControlKind::kDropList:
    case UiControlKind::kComboEdit:
        widget = combo = Combo(client, kind == UiControlKind::kComboEdit, items);
        given.clear();
        shown.clear();
        break;
    case UiControlKind::kList:
        widget = list = new QListView(client);
        items = new CQtItemModel(list);
        list->setModel(items);
        list->setUniformItemSizes(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        given.clear();
        shown.clear();
        break;
    case UiControlKind::kTab:
        widget = TabControl(client, tabs);
        given.clear();
        shown.clear();
        break;
    }
    if (!(style & kUiTabStop) && kind != UiControlKind::kEdit && kind != UiControlKind::kComboEdit)
        widget->setFocusPolicy(kind == UiControlKind::kStatic || kind == UiControlKind::kGroup ? Qt::NoFocus
                                                                                               : Qt::ClickFocus);
    widget->setEnabled(!(style & kUiDisabled));
    widget->setVisible(!(style & kUiHidden));
    Place(rect);
}

QLineEdit* CQtControl::LineEdit() const { return line ? line : (combo && combo->isEditable() ? combo->lineEdit() : nullptr); }

void CQtControl::RelayTabs()
{
    if (!tabs)
        return;
    const int bar = tabs->count() ? tabs->sizeHint().height() : 0;
    tabs->setGeometry(0, 0, widget->width(), bar);
    if (auto* panel = widget->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly))
        panel->setGeometry(0, bar, widget->width(), std::max(0, widget->height() - bar));
}

void CQtControl::Place(const CUiRect& where)
{
    rect = where;
    const QRect pixels = QtPixels(where, unit);
    int h = pixels.height();
    if (combo)
        h = std::min(h, combo->sizeHint().height());
    widget->setGeometry(pixels.x(), pixels.y(), std::max(0, pixels.width()), std::max(0, h));
    RelayTabs();
}
