#include "Kestrow/History/HistoryListModel.hpp"

#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryText.hpp"

namespace Kestrow {

HistoryListModel::HistoryListModel(HistoryStore& store, QObject* parent) : QAbstractListModel(parent), store_(store)
{
    connect(&store_, &HistoryStore::itemsChanged, this, &HistoryListModel::rebuild);
    rebuild();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    const HistoryItem* item = itemAt(index.row());
    if (item == nullptr)
        return {};
    switch (role) {
    case IdRole: return QString::fromStdString(item->id);
    case Qt::DisplayRole: return HistoryText::title(*item);
    case Qt::AccessibleTextRole:
        return HistoryText::title(*item) + QStringLiteral(", ") + QString::fromStdString(item->sourceName);
    default: return {};
    }
}

const HistoryItem* HistoryListModel::itemAt(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= shown_.size())
        return nullptr;
    return &store_.items()[shown_[static_cast<size_t>(row)]];
}

std::optional<int> HistoryListModel::rowOf(const std::string& id) const
{
    for (size_t row = 0; row < shown_.size(); ++row)
        if (store_.items()[shown_[row]].id == id)
            return static_cast<int>(row);
    return std::nullopt;
}

void HistoryListModel::setQuery(const QString& query)
{
    if (query == query_)
        return;
    query_ = query;
    rebuild();
}

void HistoryListModel::touch(const QString& id)
{
    if (auto row = rowOf(id.toStdString()))
        emit dataChanged(index(*row), index(*row));
}

void HistoryListModel::rebuild()
{
    beginResetModel();
    shown_.clear();
    const auto& items = store_.items();
    for (size_t i = 0; i < items.size(); ++i)
        if (HistoryText::matches(items[i], query_))
            shown_.push_back(i);
    endResetModel();
}

}  // namespace Kestrow
