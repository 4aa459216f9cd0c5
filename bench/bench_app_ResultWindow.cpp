// Speed of the whole result window (toolbar, grid, source pane, status bar) on a 1,000 x 20
// table over a 4K image, under Qt's offscreen platform, with the application's own trust
// re-analysis of edits: opening to the first paint, one scroll frame, one cell edit round
// trip (the typed text committed, the window repainted). Goals: 200 ms, 16 ms, 5 ms.
#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"
#include "Kestrow/Result/ResultWindow.hpp"
#include "Kestrow/Shell/TrustWiring.hpp"
#include "support/BigCapture.hpp"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>

#include <memory>

namespace {

Kestrow::ResultEnvironment environment()
{
    Kestrow::ResultEnvironment env;
    env.services.setClipboard = [](std::unique_ptr<QMimeData>) {};
    env.reanalyze = [](const VozudOzev::Table& table, double threshold) {
        return Kestrow::TrustWiring::reanalyze(table, threshold);
    };
    env.writeBack = [](const QUuid&, const std::vector<VozudOzev::Table>&, int) {};
    return env;
}

std::unique_ptr<Kestrow::ResultView> open(const Kestrow::CaptureResult& capture)
{
    std::unique_ptr<Kestrow::ResultView> view(Kestrow::ResultWindow::make(capture, std::nullopt, {}, environment()));
    view->show();
    QApplication::processEvents();
    return view;
}

void BM_WindowOpenToFirstPaint(benchmark::State& state)
{
    const Kestrow::CaptureResult capture = Bench::bigCapture();
    for (auto _ : state) {
        auto view = open(capture);
        view->repaint();
        state.PauseTiming();
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowOpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_WindowScrollFrame(benchmark::State& state)
{
    auto view = open(Bench::bigCapture());
    view->doc()->select({5, 3}, false);
    QApplication::processEvents();
    auto* bar = view->grid()->tableView()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        // Three rows a frame, up and down the whole table; the frame is what Qt repaints.
        step = (step + 1) % (bar->maximum() / 78);
        bar->setValue(step * 78);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowScrollFrame)->Unit(benchmark::kMillisecond);

// Typed text committed with Return (the grid's own path), then what the window repaints.
void BM_WindowCellEditRoundTrip(benchmark::State& state)
{
    auto view = open(Bench::bigCapture());
    auto* grid = view->grid();
    const KestrowEditor::CellPos at(500, 4);
    view->doc()->select(at, false);
    QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        view->doc()->select(at, false);
        grid->beginEditing(QString::number(++n));
        QApplication::processEvents();
        state.ResumeTiming();
        grid->endEditing(true, [&] { view->doc()->move(1, 0, false); });
        QApplication::processEvents();
    }
    state.counters["flagged"] = view->doc()->flaggedCount(0.8);
}
BENCHMARK(BM_WindowCellEditRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The parts of an edit without the window: the trust re-analysis of the whole table, and a
// document commit without it.
void BM_TrustReanalysis(benchmark::State& state)
{
    const VozudOzev::Table table = Bench::bigCapture().extraction.output.tables.front();
    for (auto _ : state)
        benchmark::DoNotOptimize(Kestrow::TrustWiring::reanalyze(table, 0.8));
}
BENCHMARK(BM_TrustReanalysis)->Unit(benchmark::kMillisecond);

void BM_DocumentCommit(benchmark::State& state)
{
    KestrowEditor::EditorDocument doc(Bench::bigCapture().extraction.output.tables.front());
    int n = 0;
    for (auto _ : state)
        doc.setText(std::to_string(++n), {500, 4}, 0.8);
}
BENCHMARK(BM_DocumentCommit)->Unit(benchmark::kMillisecond);

}  // namespace
