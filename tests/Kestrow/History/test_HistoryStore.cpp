#include "Kestrow/History/HistoryRecord.hpp"
#include "Kestrow/History/HistoryStore.hpp"

#include "HistoryFixtures.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

using namespace Kestrow;
using namespace HistoryFixtures;

namespace {

class HistoryStoreTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString folder = temp.path() + "/app/History";
    Defaults settings = Defaults::atPath(temp.path() + "/settings.ini");

    std::unique_ptr<HistoryStore> open() { return std::make_unique<HistoryStore>(folder, &settings); }

    QStringList files() const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    void put(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(folder);
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A record as another run would have left it.
    QString putItem(long long seconds, bool hasImage = false, bool withPng = false)
    {
        HistoryItem item;
        item.id = HistoryStore::idString(QUuid::createUuid());
        item.date = at(seconds);
        item.sourceName = "Old";
        item.tables = {table(1, 1)};
        item.hasImage = hasImage;
        const QString id = QString::fromStdString(item.id);
        put(id + ".json", QByteArray::fromStdString(*HistoryRecord::encode(item)));
        if (withPng)
            put(id + ".png", HistoryStore::pngData(QImage(4, 4, QImage::Format_RGB32)));
        return id;
    }

    static std::vector<std::string> ids(const HistoryStore& s)
    {
        std::vector<std::string> out;
        for (const auto& i : s.items())
            out.push_back(i.id);
        return out;
    }
};

}  // namespace

TEST_F(HistoryStoreTest, MakesAPrivateFolderAndAddsNewestFirst)
{
    settings.setBoolean("historyKeepImages", true);
    auto store = open();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    auto first = capture(100, table(2, 3));
    auto second = capture(200, table(4, 1));
    store->add(first, "Firefox", "B");
    store->add(second, "Screen capture", "B");
    ASSERT_EQ(store->items().size(), 2u);
    EXPECT_EQ(store->items()[0].id, HistoryStore::idString(second.id));
    EXPECT_EQ(store->items()[0].imageWidth, 40);
    EXPECT_TRUE(store->items()[0].hasImage);
    store->flush();
    const QString id = QString::fromStdString(store->items()[0].id);
    EXPECT_TRUE(files().contains(id + ".json"));
    EXPECT_TRUE(files().contains(id + ".png"));
    EXPECT_EQ(id, id.toUpper());

    // Adding the same capture again leaves one item, at the top.
    store->add(first, "Firefox", "B");
    EXPECT_EQ(ids(*store), (std::vector{HistoryStore::idString(first.id), HistoryStore::idString(second.id)}));

    store->flush();
    auto reloaded = open();
    // Loading orders by date, so the re-added older capture goes back below.
    EXPECT_EQ(reloaded->items(), (std::vector{store->items()[1], store->items()[0]}));
    EXPECT_FALSE(reloaded->image(reloaded->items()[0]).isNull());
}

TEST_F(HistoryStoreTest, LoadsNewestFirstAndSkipsWhatItCannotRead)
{
    const QString older = putItem(100);
    const QString newer = putItem(300, true, true);
    const QString lost = putItem(200, true, false);  // its image went missing
    put("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9.json", "{\"date\":");  // truncated
    put("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F0.JSON", "{}");
    put("notes.txt", "mine");
    QFile::copy(folder + "/" + older + ".json", folder + "/" + older.toLower() + ".json");
    QFile::copy(folder + "/" + older + ".json", folder + "/copy.json");
    put("." + newer + ".json.partial", "{\"half");  // a write cut off by a kill, long ago
    QFile partial(folder + "/." + newer + ".json.partial");
    ASSERT_TRUE(partial.open(QIODevice::ReadWrite));
    partial.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1), QFileDevice::FileModificationTime);
    partial.close();
    put("." + older + ".json.partial", "{\"recent");  // maybe another instance writing now

    auto store = open();
    EXPECT_EQ(ids(*store), (std::vector{newer.toStdString(), lost.toStdString(), older.toStdString()}));
    EXPECT_TRUE(store->items()[0].hasImage);
    EXPECT_FALSE(store->items()[1].hasImage);
    EXPECT_FALSE(files().contains("." + newer + ".json.partial"));
    EXPECT_TRUE(files().contains("." + older + ".json.partial"));
    EXPECT_TRUE(files().contains("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9.json"));  // kept on disk

    // A deleted item cannot come back through a renamed or copied record.
    store->remove(older.toStdString());
    store->flush();
    EXPECT_EQ(open()->items().size(), 2u);

    // Delete All removes records that did not load too, and nothing else.
    store->deleteAll();
    EXPECT_TRUE(store->items().empty());
    store->flush();
    EXPECT_EQ(files(), QStringList({"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F0.JSON", "notes.txt"}));  // and the .partial
}

TEST_F(HistoryStoreTest, ReadsTheSettingsStrictly)
{
    const struct {
        const char* stored;
        int limit;
    } limits[] = {{nullptr, 50}, {"2", 5}, {"10000", 500}, {"abc", 50}, {"120", 120}, {"7.5", 50}, {"-4", 5}};
    for (const auto& c : limits) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        if (c.stored)
            settings.setString("historyLimit", c.stored);
        else
            settings.remove("historyLimit");
        EXPECT_EQ(open()->limit(), c.limit);
    }
    const struct {
        const char* stored;
        bool enabled;
    } switches[] = {{nullptr, true}, {"yes", true}, {"false", false}, {"true", true}};
    for (const auto& c : switches) {
        if (c.stored)
            settings.setString("historyEnabled", c.stored);
        else
            settings.remove("historyEnabled");
        EXPECT_EQ(open()->enabled(), c.enabled);
    }
}

TEST_F(HistoryStoreTest, PrunesToTheLimitButNeverOnAnUnreadableLimit)
{
    for (int i = 0; i < 70; ++i)
        putItem(1000 + i);
    settings.setString("historyLimit", "garbage");
    {
        auto store = open();
        EXPECT_EQ(store->items().size(), 70u);
        EXPECT_EQ(store->limit(), 70);
    }
    settings.setNumber("historyLimit", 50);
    auto store = open();
    EXPECT_EQ(store->items().size(), 50u);
    const std::string newest = store->items().front().id;

    store->setLimit(0);  // clamped: a stray 0 cannot wipe the history
    EXPECT_EQ(store->limit(), 5);
    EXPECT_EQ(settings.number("historyLimit"), std::optional<double>(5));
    ASSERT_EQ(store->items().size(), 5u);
    EXPECT_EQ(store->items().front().id, newest);
    store->flush();
    EXPECT_EQ(files().filter(".json").size(), 5);
}

TEST_F(HistoryStoreTest, UpdatesTheItemBehindAReopenedCapture)
{
    auto store = open();
    auto shown = capture(100, table(2, 2));
    shown.extraction.output.tables.push_back(table(1, 1));
    shown.extraction.output.selectedTable = 1;
    store->add(shown, "Firefox", "B");
    store->add(capture(200, table(1, 1)), "Other", "B");

    HistoryItem saved = store->items()[1];
    CaptureResult again = store->captureResult(saved);
    CaptureResult twice = store->captureResult(saved);
    EXPECT_NE(again.id, twice.id);
    EXPECT_NE(again.id, shown.id);
    EXPECT_EQ(again.extraction.output.selectedTable, std::optional<int>(1));
    EXPECT_EQ(again.extraction.output.id, saved.id);
    EXPECT_EQ(again.image.size(), QSize(1, 1));  // no image kept
    EXPECT_EQ(again.sourceName, std::optional<QString>("Firefox"));
    EXPECT_EQ(store->item(twice.id)->id, saved.id);

    VozudOzev::Table edited = table(3, 3);
    store->update(again.id, {edited}, std::nullopt);
    ASSERT_EQ(store->items().size(), 2u);
    EXPECT_EQ(store->items()[1].tables, std::vector{edited});
    EXPECT_EQ(store->items()[1].selectedIndex, std::optional<std::int64_t>(1));  // kept
    EXPECT_EQ(store->items()[1].date, saved.date);
    store->update(twice.id, {edited, edited}, 0);
    EXPECT_EQ(store->items()[1].selectedIndex, std::optional<std::int64_t>(0));
    store->update(QUuid::createUuid(), {}, 0);  // nothing behind it

    // An out-of-range index opens the first table rather than none.
    saved.selectedIndex = 9;
    EXPECT_EQ(store->captureResult(saved).extraction.output.selectedTable, std::nullopt);

    store->flush();
    EXPECT_EQ(open()->items()[1].tables, (std::vector{edited, edited}));
}

TEST_F(HistoryStoreTest, SwitchingImagesOffRemovesEveryImage)
{
    settings.setBoolean("historyKeepImages", true);
    auto store = open();
    store->add(capture(100, table(1, 1)), "A", "B");
    store->add(capture(200, table(1, 1)), "B", "B");
    put("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9.png", "not loaded");
    store->flush();
    ASSERT_EQ(files().filter(".png").size(), 3);

    store->setKeepImages(false);
    store->flush();
    EXPECT_TRUE(files().filter(".png").isEmpty());
    for (const auto& item : open()->items())
        EXPECT_FALSE(item.hasImage);

    // Off: nothing is added, saved items stay.
    store->setEnabled(false);
    store->add(capture(300, table(1, 1)), "C", "B");
    EXPECT_EQ(store->items().size(), 2u);
    EXPECT_EQ(settings.boolean("historyEnabled"), std::optional<bool>(false));
}

TEST_F(HistoryStoreTest, AFailedWriteKeepsTheOldRecord)
{
    auto store = open();
    auto c = capture(100, table(1, 1));
    store->add(c, "A", "B");
    store->flush();
    const QString record = folder + "/" + QString::fromStdString(HistoryStore::idString(c.id)) + ".json";
    QFile f(record);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // A directory where the temporary file goes makes every write fail, even for root.
    const QString id = QString::fromStdString(HistoryStore::idString(c.id));
    ASSERT_TRUE(QDir(folder).mkdir("." + id + ".json.partial"));
    testing::internal::CaptureStderr();
    store->update(c.id, {table(5, 5)}, std::nullopt);
    store->update(c.id, {table(6, 6)}, std::nullopt);
    store->flush();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_EQ(log.rfind("Vantrel: history not saved: ", 0), 0u) << log;
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}
