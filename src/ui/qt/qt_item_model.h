// The items of a list box or combo box: each keeps the CP932 bytes it was
// given beside the text the widget shows, so reading an item gives back
// exactly those bytes.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
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
    // Null when there is no such item.
    const std::string* Bytes(int32_t index) const;
    const QString& Shown(int32_t index) const { return m_items[static_cast<size_t>(index)].shown; }

private:
    struct Item {
        std::string bytes;
        QString shown;
    };
    std::vector<Item> m_items;
};
