#pragma once

#include <QStyledItemDelegate>

namespace Kestrow {

class HistoryListModel;
class HistoryThumbnails;

// Paints one saved capture: thumbnail (or a symbol), title with the cells to check, a
// one-line preview, and the date and source at the right edge.
class HistoryRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int rowHeight = 48;

    HistoryRowDelegate(const HistoryListModel& model, HistoryThumbnails& thumbnails, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const HistoryListModel& model_;
    HistoryThumbnails& thumbnails_;
};

}  // namespace Kestrow
