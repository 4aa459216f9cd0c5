#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>

namespace Kestrow {

class HistoryStore;
struct HistoryItem;

// Thumbnails of saved images, decoded already scaled on a pool thread and kept per item, so
// a list of hundreds of captures paints without reading a file on the GUI thread.
class HistoryThumbnails : public QObject {
    Q_OBJECT

public:
    HistoryThumbnails(const HistoryStore& store, QSize pixelSize, QObject* parent = nullptr);

    // The cached thumbnail, or a null image while it loads (ready() follows) or when the
    // item keeps no image.
    QImage get(const HistoryItem& item);
    // Drops cached thumbnails of items that no longer keep an image.
    void forget(const QString& id);
    // Waits for loads in flight (tests and benchmarks).
    void waitForLoads();

signals:
    void ready(const QString& id);

private:
    const HistoryStore& store_;
    QSize pixelSize_;
    QHash<QString, QImage> cache_;
    QSet<QString> pending_;
};

}  // namespace Kestrow
