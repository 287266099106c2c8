#include "ui/qt/qt_item_model.h"

#include "ui/qt/qt_text.h"

int CQtItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

QVariant CQtItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Shown(index.row());
    return {};
}

const QString& CQtItemModel::Shown(int32_t index) const
{
    const Item& item = m_items[static_cast<size_t>(index)];
    if (!item.converted) {
        item.shown = QtFromCp932(item.bytes);
        item.converted = true;
    }
    return item.shown;
}

int32_t CQtItemModel::Insert(int32_t index, const char* bytes)
{
    if (index < 0 || index > Count())
        index = Count();
    Item item{bytes ? bytes : "", {}};
    beginInsertRows(QModelIndex(), index, index);
    m_items.insert(m_items.begin() + index, std::move(item));
    endInsertRows();
    return index;
}

bool CQtItemModel::Remove(int32_t index)
{
    if (index < 0 || index >= Count())
        return false;
    beginRemoveRows(QModelIndex(), index, index);
    m_items.erase(m_items.begin() + index);
    endRemoveRows();
    return true;
}

void CQtItemModel::Clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void CQtItemModel::Reset(uint32_t count, const std::function<const char*(uint32_t)>& textOf)
{
    beginResetModel();
    m_items.clear();
    m_items.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const char* text = textOf(i);
        m_items.push_back(Item{text ? text : "", {}});
    }
    endResetModel();
}

const std::string* CQtItemModel::Bytes(int32_t index) const
{
    return index >= 0 && index < Count() ? &m_items[static_cast<size_t>(index)].bytes : nullptr;
}
