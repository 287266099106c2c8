#include "ui/qt/qt_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "ui/qt/qt_text.h"
#include "ui/ui_template.h"

namespace {

enum : size_t {
    kSystemSize = 2,
    kSystemMinimize = 3,
    kSystemMaximize = 4,
    kSystemClose = 6,
};

// What a command shows and whether it can be chosen: its text, with its
// note where it has no shortcut.
void SetCommand(QAction* action, const CUiMenuItem& item)
{
    QString text = QtFromCp932(std::string_view(item.text.GetBuffer(), item.text.GetLength()));
    if (item.shortcut.IsEmpty() && !item.note.IsEmpty())
        text += QLatin1Char('\t') + QtFromCp932(item.note.GetBuffer());
    action->setText(text);
    action->setEnabled(item.enabled);
}

void AddItems(QWidget* menu, const std::vector<CUiMenuItem>& items, const std::function<void(int32_t)>& choose,
              QObject* context)
{
    for (const CUiMenuItem& item : items) {
        if (item.separator) {
            auto* separator = new QAction(menu);
            separator->setSeparator(true);
            menu->addAction(separator);
            continue;
        }
        const QString text = QtFromCp932(std::string_view(item.text.GetBuffer(), item.text.GetLength()));
        if (!item.items.empty() || item.id == 0) {
            auto* popup = new QMenu(text, menu);
            popup->setEnabled(item.enabled);
            AddItems(popup, item.items, choose, context);
            menu->addAction(popup->menuAction());
            continue;
        }
        auto* action = new QAction(menu);
        action->setData(item.id);
        SetCommand(action, item);
        if (!item.shortcut.IsEmpty()) {
            QList<QKeySequence> keys{QKeySequence(QString::fromLatin1(item.shortcut.GetBuffer()))};
            if (!item.altShortcut.IsEmpty())
                keys.append(QKeySequence(QString::fromLatin1(item.altShortcut.GetBuffer())));
            action->setShortcuts(keys);
        }
        if (!item.tip.IsEmpty()) {
            action->setToolTip(QtFromCp932(item.tip.GetBuffer()));
            if (auto* popup = qobject_cast<QMenu*>(menu))
                popup->setToolTipsVisible(true);
        }
        const int32_t id = item.id;
        QObject::connect(action, &QAction::triggered, context, [choose, id] { choose(id); });
        menu->addAction(action);
    }
}

bool ItemEnabled(const CUiMenu& menu, size_t position)
{
    return position < menu.items.size() && menu.items[position].enabled;
}

// Texts and enabled states of a menu built from items of the same shape;
// false when the shape differs (other items, commands or keys).
bool UpdateItems(QWidget* menu, const std::vector<CUiMenuItem>& items)
{
    const QList<QAction*> actions = menu->actions();
    if (static_cast<size_t>(actions.size()) != items.size())
        return false;
    for (size_t i = 0; i < items.size(); ++i) {
        const CUiMenuItem& item = items[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (item.separator != action->isSeparator())
            return false;
        if (item.separator)
            continue;
        if (!item.items.empty() || item.id == 0) {
            QMenu* popup = action->menu();
            if (!popup || !UpdateItems(popup, item.items))
                return false;
            popup->setTitle(QtFromCp932(std::string_view(item.text.GetBuffer(), item.text.GetLength())));
            popup->setEnabled(item.enabled);
            continue;
        }
        if (action->menu() || action->data().toInt() != item.id ||
            action->shortcut() != QKeySequence(QString::fromLatin1(item.shortcut.GetBuffer())))
            return false;
        SetCommand(action, item);
    }
    return true;
}

}  // namespace

bool QtUpdateMenuBar(QMenuBar* bar, const CUiMenu& menu) { return bar && UpdateItems(bar, menu.items); }

QMenuBar* QtBuildMenuBar(const CUiMenu& menu, const std::function<void(int32_t)>& choose, QObject* context)
{
    if (menu.items.empty())
        return nullptr;
    auto* bar = new QMenuBar;
    AddItems(bar, menu.items, choose, context);
    return bar;
}

CQtFrameRules QtFrameRules(uint32_t style, const CUiMenu& systemMenu, bool owned)
{
    CQtFrameRules rules;
    rules.flags = (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint;
    if ((style & kUiMinimizeBox) && ItemEnabled(systemMenu, kSystemMinimize))
        rules.flags |= Qt::WindowMinimizeButtonHint;
    if ((style & kUiMaximizeBox) && ItemEnabled(systemMenu, kSystemMaximize))
        rules.flags |= Qt::WindowMaximizeButtonHint;
    rules.closable = ItemEnabled(systemMenu, kSystemClose);
    if (rules.closable)
        rules.flags |= Qt::WindowCloseButtonHint;
    rules.resizable = (style & kUiResizable) && ItemEnabled(systemMenu, kSystemSize);
    return rules;
}
