#pragma once

#include "Kestrow/History/HistoryItem.hpp"
#include "Kestrow/History/HistoryQueue.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"
#include "Kestrow/Shell/Defaults.hpp"

#include <QImage>
#include <QObject>
#include <QString>
#include <QUuid>

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Kestrow {

// The saved captures: one record (and optionally the source image) per capture in a
// private folder. State lives on the GUI thread; file work runs in order on a queue of its
// own and is flushed before the application quits.
//
//     HistoryStore store(dir, &defaults);
//     store.add(capture, "Firefox", "B");
//     CaptureResult again = store.captureResult(store.items().front());
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr int minLimit = 5;
    static constexpr int maxLimit = 500;
    static constexpr int defaultLimit = 50;

    // An empty folder means defaultDirectory(); defaults may be null (nothing is stored).
    HistoryStore(QString directory, Defaults* defaults, QObject* parent = nullptr);
    ~HistoryStore() override;

    // <application data>/History, e.g. ~/.local/share/Vantrel/History.
    static QString defaultDirectory();
    // The application's store over the default folder and settings, made on first use;
    // its queued writes are flushed when the application quits.
    static HistoryStore& shared();

    const std::vector<HistoryItem>& items() const { return items_; }
    const HistoryItem* find(const std::string& id) const;
    bool enabled() const { return enabled_; }
    int limit() const { return limit_; }
    bool keepImages() const { return keepImages_; }
    const QString& directory() const { return directory_; }

    void setEnabled(bool on);
    // Clamped to 5...500, then the oldest captures beyond it are deleted.
    void setLimit(int limit);
    // Switching off deletes every saved image.
    void setKeepImages(bool on);

    void add(const CaptureResult& capture, const QString& sourceName, const QString& engine);
    void update(const QUuid& resultID, std::vector<VozudOzev::Table> tables, std::optional<std::int64_t> selectedIndex);
    CaptureResult captureResult(const HistoryItem& item);
    std::optional<HistoryItem> item(const QUuid& forResult) const;
    void remove(const std::string& id);
    void deleteAll();

    // The stored source image; null when none is kept or it cannot be read.
    QImage image(const HistoryItem& item) const;
    // An image file decoded just large enough to cover `size` (keeping its proportions);
    // safe on any thread. Null when it cannot be read.
    static QImage readThumbnail(const QString& file, QSize size);
    static QByteArray pngData(const QImage& image);
    static const QImage& placeholderImage();
    static std::string idString(const QUuid& id);

    // Waits until every queued file operation has run.
    void flush();
    // Flushes when the application is about to quit (also after SIGTERM, see QuitOnTerminate).
    void flushOnQuit();

signals:
    void itemsChanged();
    void settingsChanged();

private:
    void load();
    void write(const HistoryItem& item, const QImage* image);
    void prune();
    void deleteAllImages();
    void queueRemoval(const std::string& id);
    void report(const std::string& error);

    QString directory_;
    std::string folder_;
    Defaults* settings_ = nullptr;
    std::vector<HistoryItem> items_;
    bool enabled_ = true;
    int limit_ = defaultLimit;
    bool keepImages_ = false;
    std::map<std::string, std::string> reopened_;
    std::shared_ptr<std::atomic<bool>> failing_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<HistoryQueue> io_;
};

}  // namespace Kestrow
