// Items and selections of the list boxes, combo boxes and tab controls of
// a Qt window.
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>

#include "ui/qt/qt_item_model.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window.h"

namespace {

// The selection after inserting an item at `index`.
int32_t AfterInsert(int32_t selected, int32_t index) { return selected >= index ? selected + 1 : selected; }

// The selection after deleting the item at `index`.
int32_t AfterDelete(int32_t selected, int32_t index)
{
    if (selected == index)
        return -1;
    return selected > index ? selected - 1 : selected;
}

}  // namespace

void CQtWindow::SyncCombo(CQtControl& control)
{
    // Qt moves a combo box's selection by itself when items come and go;
    // the selection and the edit text stay what the program made them.
    if (control.combo->currentIndex() != control.curSel)
        control.combo->setCurrentIndex(control.curSel);
    if (QLineEdit* line = control.LineEdit(); line && line->text() != control.shown) {
        line->setText(control.shown);
        line->setCursorPosition(0);
        control.shown = line->text();
    }
}

void CQtWindow::ResetItems(int32_t id)
{
    CQtControl& control = Control(id);
    ++m_nQuiet;
    if (control.items)
        control.items->Clear();
    if (control.tabs) {
        while (control.tabs->count() > 0)
            control.tabs->removeTab(control.tabs->count() - 1);
        control.RelayTabs();
    }
    control.itemTexts.clear();
    control.curSel = -1;
    if (control.combo) {
        control.given.clear();
        control.shown.clear();
        SyncCombo(control);
    }
    --m_nQuiet;
}

int32_t CQtWindow::InsertItem(int32_t id, int32_t index, const char* text)
{
    CQtControl& control = Control(id);
    ++m_nQuiet;
    if (control.items) {
        index = control.items->Insert(index, text);
        if (control.combo) {
            control.curSel = AfterInsert(control.curSel, index);
            SyncCombo(control);
        }
    } else {
        const int32_t count = static_cast<int32_t>(control.itemTexts.size());
        if (index < 0 || index > count)
            index = count;
        control.itemTexts.insert(control.itemTexts.begin() + index, text ? text : "");
        control.curSel = AfterInsert(control.curSel, index);
        if (control.tabs) {
            control.tabs->insertTab(index, QtFromCp932(control.itemTexts[static_cast<size_t>(index)]));
            if (control.curSel >= 0)
                control.tabs->setCurrentIndex(control.curSel);
            control.RelayTabs();
        }
    }
    --m_nQuiet;
    return index;
}

void CQtWindow::SetItems(int32_t id, uint32_t count, const std::function<const char*(uint32_t)>& textOf)
{
    CQtControl& control = Control(id);
    if (!control.items || (!control.list && !control.combo)) {
        CUiWindow::SetItems(id, count, textOf);
        return;
    }
    // A list box or combo takes them in one reset of its model, not one
    // insertion (and one layout of the view) each; a combo is left with no
    // selection, as after emptying it and adding each.
    ++m_nQuiet;
    control.items->Reset(count, textOf);
    if (control.combo) {
        control.curSel = -1;
        control.given.clear();
        control.shown.clear();
        SyncCombo(control);
    }
    --m_nQuiet;
}

bool CQtWindow::DeleteItem(int32_t id, int32_t index)
{
    CQtControl& control = Control(id);
    if (index < 0 || static_cast<uint32_t>(index) >= GetItemCount(id))
        return false;
    ++m_nQuiet;
    if (control.items) {
        const int32_t selected = GetCurSel(id);
        control.items->Remove(index);
        // A list view selects a neighbour of a selected item that goes.
        if (control.list && GetCurSel(id) != AfterDelete(selected, index))
            SetCurSel(id, AfterDelete(selected, index));
        if (control.combo) {
            control.curSel = AfterDelete(control.curSel, index);
            SyncCombo(control);
        }
    } else {
        control.itemTexts.erase(control.itemTexts.begin() + index);
        control.curSel = AfterDelete(control.curSel, index);
        if (control.tabs) {
            control.tabs->removeTab(index);
            if (control.curSel >= 0)
                control.tabs->setCurrentIndex(control.curSel);
            control.RelayTabs();
        }
    }
    --m_nQuiet;
    return true;
}

uint32_t CQtWindow::GetItemCount(int32_t id) const
{
    const CQtControl& control = Control(id);
    return static_cast<uint32_t>(control.items ? control.items->Count()
                                               : static_cast<int32_t>(control.itemTexts.size()));
}

const char* CQtWindow::GetItemText(int32_t id, int32_t index) const
{
    const CQtControl& control = Control(id);
    if (control.items) {
        const std::string* bytes = control.items->Bytes(index);
        return bytes ? bytes->c_str() : nullptr;
    }
    if (index < 0 || static_cast<size_t>(index) >= control.itemTexts.size())
        return nullptr;
    return control.itemTexts[static_cast<size_t>(index)].c_str();
}

void CQtWindow::SetCurSel(int32_t id, int32_t index)
{
    CQtControl& control = Control(id);
    if (index < 0 || static_cast<uint32_t>(index) >= GetItemCount(id))
        index = -1;
    ++m_nQuiet;
    if (control.list) {
        QItemSelectionModel* selection = control.list->selectionModel();
        if (index < 0) {
            selection->clear();
        } else {
            const QModelIndex item = control.items->index(index);
            selection->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
            control.list->scrollTo(item);
        }
    } else {
        control.curSel = index;
        if (control.combo) {
            control.given = index >= 0 ? *control.items->Bytes(index) : std::string();
            control.shown = index >= 0 ? control.items->Shown(index) : QString();
            SyncCombo(control);
        } else if (control.tabs && index >= 0) {
            control.tabs->setCurrentIndex(index);
        }
    }
    --m_nQuiet;
}

int32_t CQtWindow::GetCurSel(int32_t id) const
{
    const CQtControl& control = Control(id);
    if (control.list) {
        const QModelIndexList rows = control.list->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.front().row();
    }
    return control.curSel;
}
