#include "Kestrow/History/HistoryRecord.hpp"
#include "Kestrow/History/HistoryStore.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <random>

#include <signal.h>

namespace {

// Every record on disk decodes, and every one the process reported saved is there.
void expectIntact(const QString& folder, const QSet<QString>& reported)
{
    QSet<QString> onDisk;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (!name.endsWith(".json"))
            continue;
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QString id = name.chopped(5);
        EXPECT_TRUE(Kestrow::HistoryRecord::decode(bytes.toStdString(), id.toStdString())) << name.toStdString();
        onDisk.insert(id);
    }
    for (const QString& id : reported)
        EXPECT_TRUE(onDisk.contains(id)) << "lost " << id.toStdString();
}

QSet<QString> reportedIds(const QByteArray& output)
{
    QSet<QString> ids;
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith("saved "))
            ids.insert(QString::fromLatin1(line.mid(6)));
    return ids;
}

}  // namespace

TEST(HistoryKill, RecordsSurviveSigkillAtRandomPoints)
{
    QTemporaryDir temp;
    const QString folder = temp.path() + "/History";
    std::mt19937 random(19);
    QSet<QString> reported;
    for (int round = 0; round < 5; ++round) {
        QProcess p;
        p.start(HISTORY_SAVE_LOOP, {folder, "200", "flush"});
        ASSERT_TRUE(p.waitForStarted());
        // Killed while saving, not while the process is still starting.
        QByteArray output;
        while (!output.contains("saved ") && p.waitForReadyRead(20000))
            output += p.readAllStandardOutput();
        QThread::msleep(std::uniform_int_distribution<int>(0, 250)(random));
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();
        output += p.readAllStandardOutput();
        reported.unite(reportedIds(output));
        SCOPED_TRACE(round);
        expectIntact(folder, reported);
    }
    EXPECT_FALSE(reported.isEmpty());
    // What a killed run left behind loads, leftovers cleared away.
    auto settings = Kestrow::Defaults::atPath(temp.path() + "/s.ini");
    settings.setNumber("historyLimit", 500);
    Kestrow::HistoryStore store(folder, &settings);
    EXPECT_GE(store.items().size(), static_cast<size_t>(reported.size()));
}

TEST(HistoryKill, SigtermFlushesEveryQueuedWrite)
{
    QTemporaryDir temp;
    const QString folder = temp.path() + "/History";
    QProcess p;
    p.start(HISTORY_SAVE_LOOP, {folder, "60", "queue"});
    ASSERT_TRUE(p.waitForStarted());
    while (!p.readAllStandardOutput().contains("queued"))
        ASSERT_TRUE(p.waitForReadyRead(20000));
    p.terminate();  // SIGTERM
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(QDir(folder).entryList({"*.json"}, QDir::Files).size(), 60);
    EXPECT_EQ(QDir(folder).entryList({"*.png"}, QDir::Files).size(), 60);
    expectIntact(folder, {});
}
