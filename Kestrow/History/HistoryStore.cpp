#include "Kestrow/History/HistoryStore.hpp"

#include "Kestrow/History/HistoryFiles.hpp"
#include "Kestrow/History/HistoryRecord.hpp"
#include "Kestrow/Shell/AppSettings.hpp"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <thread>
#include <cmath>
#include <cstdio>

namespace Kestrow {

namespace {

const QString enabledKey = QStringLiteral("historyEnabled");
const QString limitKey = QStringLiteral("historyLimit");
const QString keepImagesKey = QStringLiteral("historyKeepImages");

// Screen captures are a few thousand pixels a side; a file claiming far more is damage.
constexpr int imageAllocationLimitMB = 512;

// A whole number only: "7.5" is as unreadable as "abc".
std::optional<long long> readInteger(const Defaults& d, const QString& key)
{
    const auto n = d.number(key);
    if (!n || *n != std::floor(*n) || std::fabs(*n) > 1e15)
        return std::nullopt;
    return static_cast<long long>(*n);
}

std::chrono::system_clock::time_point toTimePoint(const QDateTime& date)
{
    return std::chrono::system_clock::time_point(std::chrono::milliseconds(date.toMSecsSinceEpoch()));
}

QImageReader* configured(QImageReader& reader)
{
    reader.setAllocationLimit(imageAllocationLimitMB);
    return &reader;
}

}  // namespace

HistoryStore::HistoryStore(QString directory, Defaults* settings, QObject* parent)
    : QObject(parent),
      directory_(directory.isEmpty() ? defaultDirectory() : std::move(directory)),
      folder_(QFile::encodeName(directory_).toStdString()),
      settings_(settings),
      io_(std::make_unique<HistoryQueue>())
{
    std::optional<long long> storedLimit;
    if (settings_ != nullptr) {
        enabled_ = settings_->boolean(enabledKey).value_or(true);
        storedLimit = readInteger(*settings_, limitKey);
        keepImages_ = settings_->boolean(keepImagesKey).value_or(false);
    }
    limit_ = storedLimit ? static_cast<int>(std::clamp<long long>(*storedLimit, minLimit, maxLimit)) : defaultLimit;
    std::string error;
    if (!HistoryFiles::makePrivateFolder(folder_, error))
        report(error);
    load();
    // A lost or damaged settings file must not cost the user captures: keep what is there
    // (up to the largest limit) until a limit is chosen again.
    if (!storedLimit && static_cast<long long>(items_.size()) > limit_)
        limit_ = static_cast<int>(std::min<size_t>(maxLimit, (items_.size() + minLimit - 1) / minLimit * minLimit));
    prune();
}

HistoryStore::~HistoryStore() = default;  // the queue runs what is left before it goes

QString HistoryStore::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/History");
}

HistoryStore& HistoryStore::shared()
{
    static HistoryStore* store = [] {
        auto* s = new HistoryStore(QString(), &AppSettings::shared().defaults(), QCoreApplication::instance());
        s->flushOnQuit();
        return s;
    }();
    return *store;
}

const HistoryItem* HistoryStore::find(const std::string& id) const
{
    auto it = std::find_if(items_.begin(), items_.end(), [&](const HistoryItem& i) { return i.id == id; });
    return it == items_.end() ? nullptr : &*it;
}

std::string HistoryStore::idString(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper().toStdString();
}

void HistoryStore::setEnabled(bool on)
{
    enabled_ = on;
    if (settings_ != nullptr)
        settings_->setBoolean(enabledKey, on);
    emit settingsChanged();
}

void HistoryStore::setLimit(int limit)
{
    limit_ = std::clamp(limit, minLimit, maxLimit);
    if (settings_ != nullptr)
        settings_->setNumber(limitKey, limit_);
    emit settingsChanged();
    prune();
}

void HistoryStore::setKeepImages(bool on)
{
    keepImages_ = on;
    if (settings_ != nullptr)
        settings_->setBoolean(keepImagesKey, on);
    emit settingsChanged();
    if (!on)
        deleteAllImages();
}

void HistoryStore::load()
{
    const auto names = HistoryFiles::list(folder_);
    std::vector<std::pair<QString, std::string>> records;  // path, id
    for (const auto& name : names) {
        if (HistoryFiles::isLeftoverTemporary(name)) {
            // Left by a killed write; a fresh one may be another instance's write under way.
            const QFileInfo info(directory_ + QLatin1Char('/') + QString::fromStdString(name));
            if (info.lastModified().secsTo(QDateTime::currentDateTime()) > 3600)
                HistoryFiles::remove(folder_, name);
            continue;
        }
        // Only "<UPPER-CASE UUID>.json": a renamed or copied record would come back after
        // its item was deleted, as deleting removes the file its id names.
        if (auto id = HistoryRecord::idOfRecordFile(name))
            records.emplace_back(directory_ + QLatin1Char('/') + QString::fromStdString(name), std::move(*id));
    }

    // Parsing is most of the cost of a full history: spread the records over the cores.
    std::vector<std::optional<HistoryItem>> decoded(records.size());
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t i = next++; i < records.size(); i = next++) {
            QFile file(records[i].first);
            if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(HistoryRecord::maxRecordBytes))
                continue;
            const QByteArray bytes = file.readAll();
            decoded[i] = HistoryRecord::decode(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                                               records[i].second);
        }
    };
    const size_t helpers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()) - 1, records.size() / 8);
    std::vector<std::jthread> threads;
    for (size_t t = 0; t < helpers; ++t)
        threads.emplace_back(work);
    work();
    threads.clear();

    std::vector<HistoryItem> loaded;
    for (auto& item : decoded) {
        if (!item)
            continue;
        if (item->hasImage)
            item->hasImage = std::binary_search(names.begin(), names.end(), HistoryRecord::imageFileName(item->id));
        loaded.push_back(std::move(*item));
    }
    std::stable_sort(loaded.begin(), loaded.end(), [](const HistoryItem& a, const HistoryItem& b) { return a.date > b.date; });
    items_ = std::move(loaded);
    emit itemsChanged();
}

void HistoryStore::add(const CaptureResult& capture, const QString& sourceName, const QString& engine)
{
    if (!enabled_)
        return;
    HistoryItem item;
    item.id = idString(capture.id);
    item.date = toTimePoint(capture.date);
    item.sourceName = sourceName.toStdString();
    item.engine = engine.toStdString();
    item.imageWidth = capture.image.width();
    item.imageHeight = capture.image.height();
    item.imageScale = capture.scale;
    item.tables = capture.extraction.output.tables;
    if (capture.extraction.output.selectedTable)
        item.selectedIndex = *capture.extraction.output.selectedTable;
    item.lines = capture.extraction.lines;
    item.hasImage = keepImages_ && !capture.image.isNull();
    std::erase_if(items_, [&](const HistoryItem& i) { return i.id == item.id; });
    items_.insert(items_.begin(), item);
    write(item, item.hasImage ? &capture.image : nullptr);
    emit itemsChanged();
    prune();
}

void HistoryStore::update(const QUuid& resultID, std::vector<VozudOzev::Table> tables,
                          std::optional<std::int64_t> selectedIndex)
{
    std::string id = idString(resultID);
    if (auto it = reopened_.find(id); it != reopened_.end())
        id = it->second;
    auto it = std::find_if(items_.begin(), items_.end(), [&](const HistoryItem& i) { return i.id == id; });
    if (it == items_.end())
        return;
    it->tables = std::move(tables);
    if (selectedIndex)
        it->selectedIndex = selectedIndex;
    write(*it, nullptr);
    emit itemsChanged();
}

std::optional<HistoryItem> HistoryStore::item(const QUuid& forResult) const
{
    std::string id = idString(forResult);
    if (auto it = reopened_.find(id); it != reopened_.end())
        id = it->second;
    if (const HistoryItem* found = find(id))
        return *found;
    return std::nullopt;
}

CaptureResult HistoryStore::captureResult(const HistoryItem& item)
{
    VozudOzev::EngineOutput output(item.id, item.engine, static_cast<int>(item.imageWidth),
                                   static_cast<int>(item.imageHeight), 0, item.tables, std::nullopt, {});
    // An index past the tables would open the capture as text only; the window then
    // starts on the first table, as the history rows show it.
    output.selectedTable.reset();
    if (item.selectedIndex && *item.selectedIndex >= 0 && *item.selectedIndex < static_cast<std::int64_t>(item.tables.size()))
        output.selectedTable = static_cast<int>(*item.selectedIndex);
    CaptureResult capture;
    capture.extraction = VozudOzev::TableExtraction::Extraction::restored(std::move(output), item.lines, {});
    QImage stored = image(item);
    capture.image = stored.isNull() ? placeholderImage() : stored;
    capture.scale = item.imageScale;
    capture.date = QDateTime::currentDateTimeUtc();
    capture.sourceName = QString::fromStdString(item.sourceName);
    reopened_[idString(capture.id)] = item.id;
    return capture;
}

void HistoryStore::remove(const std::string& id)
{
    std::erase_if(items_, [&](const HistoryItem& i) { return i.id == id; });
    queueRemoval(id);
    emit itemsChanged();
}

void HistoryStore::queueRemoval(const std::string& id)
{
    io_->post([folder = folder_, id] {
        HistoryFiles::remove(folder, HistoryRecord::recordFileName(id));
        HistoryFiles::remove(folder, HistoryRecord::imageFileName(id));
    });
}

void HistoryStore::deleteAll()
{
    items_.clear();
    io_->post([folder = folder_] {
        for (const auto& name : HistoryFiles::list(folder))
            if (name.ends_with(".json") || name.ends_with(".png") || HistoryFiles::isLeftoverTemporary(name))
                HistoryFiles::remove(folder, name);
    });
    emit itemsChanged();
}

void HistoryStore::deleteAllImages()
{
    bool changed = false;
    for (auto& item : items_) {
        if (!item.hasImage)
            continue;
        item.hasImage = false;
        write(item, nullptr);
        changed = true;
    }
    io_->post([folder = folder_] {
        for (const auto& name : HistoryFiles::list(folder))
            if (name.ends_with(".png"))
                HistoryFiles::remove(folder, name);
    });
    if (changed)
        emit itemsChanged();
}

void HistoryStore::prune()
{
    if (static_cast<size_t>(limit_) >= items_.size())
        return;
    std::vector<std::string> old;
    for (size_t i = static_cast<size_t>(limit_); i < items_.size(); ++i)
        old.push_back(items_[i].id);
    items_.resize(static_cast<size_t>(limit_));
    for (const auto& id : old)
        queueRemoval(id);
    emit itemsChanged();
}

void HistoryStore::write(const HistoryItem& item, const QImage* image)
{
    auto record = HistoryRecord::encode(item);
    if (!record)
        return;
    // The PNG is made on the queue: encoding a screen-sized image would stall the capture.
    QImage png = image != nullptr ? *image : QImage();
    io_->post([this, folder = folder_, id = item.id, record = std::move(*record), png] {
        std::string error;
        bool ok = HistoryFiles::makePrivateFolder(folder, error) &&
                  HistoryFiles::writeAtomically(folder, HistoryRecord::recordFileName(id), record, error);
        if (ok && !png.isNull()) {
            const QByteArray bytes = pngData(png);
            if (bytes.isEmpty()) {
                ok = false;
                error = "cannot encode the image of " + id;
            } else {
                ok = HistoryFiles::writeAtomically(folder, HistoryRecord::imageFileName(id),
                                                   std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
            }
        }
        if (ok)
            failing_->store(false);
        else
            report(error);
    });
}

void HistoryStore::report(const std::string& error)
{
    // Once per run of failures (a full disk fails every write), not once per write.
    if (!failing_->exchange(true))
        std::fprintf(stderr, "Vantrel: history not saved: %s\n", error.c_str());
}

void HistoryStore::flush() { io_->flush(); }

void HistoryStore::flushOnQuit()
{
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &HistoryStore::flush, Qt::UniqueConnection);
}

QImage HistoryStore::image(const HistoryItem& item) const
{
    if (!item.hasImage)
        return {};
    QImageReader reader(directory_ + QLatin1Char('/') + QString::fromStdString(HistoryRecord::imageFileName(item.id)), "png");
    return configured(reader)->read();
}

QImage HistoryStore::readThumbnail(const QString& file, QSize size)
{
    QImageReader reader(file, "png");
    configured(reader);
    const QSize full = reader.size();
    if (full.isValid() && !full.isEmpty() && size.isValid())
        reader.setScaledSize(full.scaled(size, Qt::KeepAspectRatioByExpanding).boundedTo(full));
    return reader.read();
}

QByteArray HistoryStore::pngData(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (image.isNull() || !writer.write(image))
        return {};
    return bytes;
}

const QImage& HistoryStore::placeholderImage()
{
    static const QImage placeholder = [] {
        QImage i(1, 1, QImage::Format_ARGB32_Premultiplied);
        i.fill(Qt::transparent);
        return i;
    }();
    return placeholder;
}

}  // namespace Kestrow
