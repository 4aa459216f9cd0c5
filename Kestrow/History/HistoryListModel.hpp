#pragma once

#include <QAbstractListModel>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace Kestrow {

class HistoryStore;
struct HistoryItem;

// The store's items that the search shows, in the store's order, one row each.
class HistoryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { IdRole = Qt::UserRole + 1 };

    HistoryListModel(HistoryStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const HistoryItem* itemAt(int row) const;
    std::optional<int> rowOf(const std::string& id) const;

    void setQuery(const QString& query);
    const QString& query() const { return query_; }
    // Refreshes one row (its thumbnail came in).
    void touch(const QString& id);

private:
    void rebuild();

    HistoryStore& store_;
    QString query_;
    std::vector<size_t> shown_;  // positions in the store's items
};

}  // namespace Kestrow
