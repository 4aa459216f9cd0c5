#include "Kestrow/History/HistoryThumbnails.hpp"

#include "Kestrow/History/HistoryStore.hpp"

#include <QCoreApplication>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace Kestrow {

HistoryThumbnails::HistoryThumbnails(const HistoryStore& store, QSize pixelSize, QObject* parent)
    : QObject(parent), store_(store), pixelSize_(pixelSize)
{
}

QImage HistoryThumbnails::get(const HistoryItem& item)
{
    const QString id = QString::fromStdString(item.id);
    if (!item.hasImage) {
        cache_.remove(id);
        return {};
    }
    if (auto it = cache_.constFind(id); it != cache_.constEnd())
        return *it;
    if (!pending_.contains(id)) {
        pending_.insert(id);
        const QString file = store_.directory() + QLatin1Char('/') + id + QStringLiteral(".png");
        QtConcurrent::run([file, size = pixelSize_] { return HistoryStore::readThumbnail(file, size); })
            .then(this, [this, id](QImage image) {
                pending_.remove(id);
                cache_.insert(id, image);
                emit ready(id);
            });
    }
    return {};
}

void HistoryThumbnails::forget(const QString& id) { cache_.remove(id); }

void HistoryThumbnails::waitForLoads()
{
    while (!pending_.isEmpty()) {
        QThreadPool::globalInstance()->waitForDone(50);
        QCoreApplication::processEvents();
    }
}

}  // namespace Kestrow
