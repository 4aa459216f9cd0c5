// Application time between the mouse release and a filled clipboard, the engine's own
// time left out: a quick capture over an engine that answers at once with a table.
#include "Kestrow/Capture/CaptureRoad.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdlib>

namespace {

struct InstantEngine final : VozudOzev::TableEngine {
    VozudOzev::Table table;
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image& image, VozudOzev::Dpi,
                                                   const std::string& id) const override
    {
        VozudOzev::TableExtraction::Extraction e;
        e.output.id = id;
        e.output.imageWidth = image.width;
        e.output.imageHeight = image.height;
        e.output.tables = {table};
        e.output.selectedTable = 0;
        return e;
    }
};

struct NoAlerts final : Kestrow::AlertPresenter {
    int run(const Kestrow::Alert&) override { return 0; }
};

VozudOzev::Table sampleTable(int rows, int cols)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.confidence = 0.97;
            cell.header = r == 0;
            cell.text = r == 0 ? "Column " + std::to_string(c) : std::to_string(r * 1000 + c * 7) + ".50";
            t.cells.push_back(cell);
        }
    return t;
}

void BM_ReleaseToClipboard(benchmark::State& state)
{
    auto engine = std::make_shared<InstantEngine>();
    engine->table = sampleTable(static_cast<int>(state.range(0)), 8);
    Kestrow::EngineService service([engine] { return Kestrow::EngineService::Built{engine, "instant"}; });
    NoAlerts alerts;
    Kestrow::SystemClipboardWriter clipboard;
    Kestrow::TrustWiring::install();
    Kestrow::CaptureRoad::Ports ports;
    Kestrow::CaptureRoad road(service, alerts, clipboard, ports);
    bool done = false;
    QObject::connect(&road, &Kestrow::CaptureRoad::finished, [&] { done = true; });
    // A 2880 x 1800 screen's worth of selection, as a large drag on a high-density display.
    QImage image(1440, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    service.preload();
    while (!service.ready())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (auto _ : state) {
        done = false;
        road.run(image, 2.0, true, std::nullopt);
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
}
BENCHMARK(BM_ReleaseToClipboard)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
