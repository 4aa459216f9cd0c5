// Saves captures into a history folder, for the tests that kill it part way.
//   history-save-loop <folder> <count> flush   prints "saved <ID>" once each record is on disk
//   history-save-loop <folder> <count> queue   queues every capture, prints "queued", then
//                                              waits in the event loop for SIGTERM
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/QuitOnTerminate.hpp"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const int count = std::atoi(argv[2]);
    const bool queueOnly = std::strcmp(argv[3], "queue") == 0;
    Kestrow::QuitOnTerminate::install();
    auto settings = Kestrow::Defaults::atPath(QString::fromLocal8Bit(argv[1]) + ".ini");
    settings.setNumber("historyLimit", 500);
    settings.setBoolean("historyKeepImages", true);
    Kestrow::HistoryStore store(QString::fromLocal8Bit(argv[1]), &settings);
    store.flushOnQuit();

    QImage image(1200, 800, QImage::Format_RGB32);
    for (int i = 0; i < count; ++i) {
        Kestrow::CaptureResult capture;
        image.fill(QColor::fromHsv(i % 360, 200, 220));
        capture.image = image;
        VozudOzev::Table table;
        table.rows = 20;
        table.cols = 5;
        for (int r = 0; r < table.rows; ++r)
            for (int c = 0; c < table.cols; ++c)
                table.cells.push_back({r, c, 1, 1, "cell " + std::to_string(i) + "/" + std::to_string(r * 5 + c)});
        capture.extraction.output = VozudOzev::EngineOutput("capture", "B", 1200, 800, 1, {table}, std::nullopt, {});
        store.add(capture, QStringLiteral("Loop"), QStringLiteral("B"));
        if (!queueOnly) {
            store.flush();
            std::printf("saved %s\n", Kestrow::HistoryStore::idString(capture.id).c_str());
            std::fflush(stdout);
        }
    }
    if (!queueOnly)
        return 0;
    std::printf("queued\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
