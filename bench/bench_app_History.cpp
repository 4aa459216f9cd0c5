// History: loading a full folder, opening the window on it, adding a capture.
#include "Kestrow/History/HistoryRecord.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryView.hpp"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

using namespace Kestrow;

namespace {

VozudOzev::Table bigTable(int seed)
{
    VozudOzev::Table t;
    t.rows = 100;
    t.cols = 10;
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            VozudOzev::Cell cell{r, c, 1, 1, "value " + std::to_string(seed * 1000 + r * 10 + c)};
            cell.confidence = 0.93;
            cell.bbox = VozudOzev::BBox{c * 80.0, r * 20.0, 78, 18};
            t.cells.push_back(cell);
        }
    return t;
}

CaptureResult captureOf(int i, const QImage& image)
{
    CaptureResult c;
    c.image = image;
    c.date = QDateTime::fromSecsSinceEpoch(1767619800 + i, Qt::UTC);
    c.extraction.output = VozudOzev::EngineOutput("capture", "B", image.width(), image.height(), 1, {bigTable(i)},
                                                  std::nullopt, {});
    return c;
}

// One folder of 500 records of 100 x 10 tables, a tenth with images, made once.
struct Folder {
    QTemporaryDir temp;
    Defaults settings = Defaults::atPath(temp.path() + "/s.ini");
    QString path = temp.path() + "/History";

    Folder()
    {
        settings.setNumber("historyLimit", 500);
        QImage image(1440, 900, QImage::Format_RGB32);
        image.fill(Qt::white);
        HistoryStore store(path, &settings);
        for (int i = 0; i < 500; ++i) {
            store.setKeepImages(i % 10 == 0);
            store.add(captureOf(i, image), "Bench", "B");
        }
        store.flush();
    }
};

Folder& folder()
{
    static Folder f;
    return f;
}

void BM_LoadFiveHundredRecords(benchmark::State& state)
{
    Folder& f = folder();
    for (auto _ : state) {
        HistoryStore store(f.path, &f.settings);
        benchmark::DoNotOptimize(store.items().size());
    }
}
BENCHMARK(BM_LoadFiveHundredRecords)->Unit(benchmark::kMillisecond);

// One record of a 100 x 10 table: the unit of the load above, on one core.
void BM_DecodeOneRecord(benchmark::State& state)
{
    HistoryItem item;
    item.id = "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9";
    item.tables = {bigTable(1)};
    const std::string record = *HistoryRecord::encode(item);
    state.counters["bytes"] = static_cast<double>(record.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(HistoryRecord::decode(record));
}
BENCHMARK(BM_DecodeOneRecord)->Unit(benchmark::kMillisecond);

void BM_WindowFirstPaint(benchmark::State& state)
{
    Folder& f = folder();
    HistoryStore store(f.path, &f.settings);
    for (auto _ : state) {
        HistoryView view(store, [](const CaptureResult&) {});
        view.resize(640, 480);
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(BM_WindowFirstPaint)->Unit(benchmark::kMillisecond);

void BM_AddCaptureOnGuiThread(benchmark::State& state)
{
    QTemporaryDir temp;
    Defaults settings = Defaults::atPath(temp.path() + "/s.ini");
    settings.setBoolean("historyKeepImages", true);
    HistoryStore store(temp.path() + "/History", &settings);
    QImage image(2880, 1800, QImage::Format_RGB32);
    image.fill(Qt::white);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CaptureResult c = captureOf(i++, image);
        if (i % 20 == 0)
            store.flush();
        state.ResumeTiming();
        store.add(c, "Bench", "B");
    }
    store.flush();
}
BENCHMARK(BM_AddCaptureOnGuiThread)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
