// A next part stitched and shown: two 1,000-row captures overlapping by 200 rows, from the
// stitch to the new result window drawn once (target: under 150 ms).
#include "Kestrow/Capture/CaptureRoad.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Result/ResultWindow.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

struct NoEngine final : VozudOzev::TableEngine {
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image&, VozudOzev::Dpi,
                                                   const std::string&) const override
    {
        return {};
    }
};

struct NoAlerts final : Kestrow::AlertPresenter {
    int run(const Kestrow::Alert&) override { return 0; }
};

// A header row and `bodyRows` invoice rows starting at body row `first`.
VozudOzev::Table part(int first, int bodyRows)
{
    const char* header[] = {"No", "Customer", "Invoice", "Date", "Amount", "Currency", "Status", "Note"};
    VozudOzev::Table t;
    t.rows = bodyRows + 1;
    t.cols = 8;
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            const int i = first + r - 1;
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.confidence = 0.95;
            cell.header = r == 0;
            const std::string body[] = {std::to_string(i + 1), "Customer " + std::to_string(i % 37),
                                        "INV-" + std::to_string(20000 + i), "2026-01-" + std::to_string(10 + i % 18),
                                        std::to_string(i * 7919 % 1000000) + ".00", "VND",
                                        i % 3 ? "Open" : "Paid", "Note " + std::to_string(i % 17)};
            cell.text = r == 0 ? header[c] : body[c];
            t.cells.push_back(cell);
        }
    return t;
}

void BM_StitchAndShow1000With200Overlap(benchmark::State& state)
{
    Kestrow::TrustWiring::install();
    Kestrow::EngineService service([] { return Kestrow::EngineService::Built{std::make_shared<NoEngine>(), "none"}; });
    NoAlerts alerts;
    Kestrow::FakeClipboardWriter clipboard;
    Kestrow::CaptureRoad::Ports ports;
    QWidget* shown = nullptr;
    int added = 0;
    ports.openResult = [&](const Kestrow::CaptureResult& result, const std::optional<QString>& notice) {
        shown = Kestrow::ResultWindow::make(result, notice, {}, {});
        shown->show();
        added = result.extraction.output.tables[0].rows;
    };
    Kestrow::CaptureRoad road(service, alerts, clipboard, ports);
    const VozudOzev::Table base = part(0, 999);
    const VozudOzev::Table next = part(799, 999);
    Kestrow::CaptureResult of;
    of.image = QImage(1440, 900, QImage::Format_RGB32);
    of.image.fill(Qt::white);
    of.extraction.output.tables = {base};
    of.extraction.output.selectedTable = 0;
    for (auto _ : state) {
        road.finishStitch(VozudOzev::StitchTables::stitch(base, next, Kestrow::CaptureRoad::stitchOptions()), base,
                          next, of);
        if (!shown || added != 1000 + 799) {
            state.SkipWithError("unexpected stitch");
            break;
        }
        shown->repaint();
        state.PauseTiming();
        delete shown;
        shown = nullptr;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StitchAndShow1000With200Overlap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
