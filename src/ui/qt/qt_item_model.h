// The items of a list box or combo box: each keeps the CP932 bytes it was
// given, so reading an item gives back exactly those bytes; the text the
// widget shows is made from them when the widget first asks for it (a list
// of many thousand lines shows a few dozen).
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CQtItemModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int32_t Count() const { return static_cast<int32_t>(m_items.size()); }
    // Inserts at `index` (clamped to the end); returns the index used.
    int32_t Insert(int32_t index, const char* bytes);
    bool Remove(int32_t index);
    void Clear();
    // Every item anew, in one reset: `count` of them, item i of `textOf(i)`.
    void Reset(uint32_t count, const std::function<const char*(uint32_t)>& textOf);
    // Null when there is no such item.
    const std::string* Bytes(int32_t index) const;
    const QString& Shown(int32_t index) const;

private:
    struct Item {
        std::string bytes;
        mutable QString shown;
        mutable bool converted = false;
    };
    std::vector<Item> m_items;
};
