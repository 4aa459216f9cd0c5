// Speed of the editable grid on a 1,000 x 20 table under Qt's offscreen platform:
// opening (document, grid, first paint), one scroll frame, one cell edit round trip.
#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"
#include "Kestrow/Shell/Palette.hpp"

#include "KestrowEditor/EditorDocument.hpp"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include <cstdlib>
#include <memory>

namespace {

VozudOzev::Table bigTable(int rows, int cols)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells.reserve(std::size_t(rows) * std::size_t(cols));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            VozudOzev::Cell cell{r, c, 1, 1, c == 0 ? "Item " + std::to_string(r) : std::to_string(r * 31 + c) + ".50"};
            cell.confidence = (r * 7 + c) % 13 == 0 ? 0.5 : 0.97;
            cell.bbox = VozudOzev::BBox{c * 80.0, r * 20.0, 80, 20};
            t.cells.push_back(std::move(cell));
        }
    return t;
}

Kestrow::SourceImage bigImage()
{
    QImage image(1600, 2000, QImage::Format_RGB32);
    image.fill(Qt::white);
    return {image, 1};
}

struct Window {
    std::unique_ptr<KestrowEditor::EditorDocument> doc;
    std::unique_ptr<QWidget> window;
    Kestrow::GridContainer* grid;

    explicit Window(const VozudOzev::Table& table)
        : doc(std::make_unique<KestrowEditor::EditorDocument>(table)), window(std::make_unique<QWidget>())
    {
        grid = new Kestrow::GridContainer(doc.get(), bigImage(), window.get());
        grid->setInputs(doc.get(), 0.8, Kestrow::Palette::light());
        window->resize(1200, 800);
        grid->resize(1200, 800);
        window->show();
        QApplication::processEvents();
    }
};

void BM_OpenAndFirstPaint(benchmark::State& state)
{
    const auto table = bigTable(1000, 20);
    for (auto _ : state) {
        Window w(table);
        w.grid->tableView()->viewport()->repaint();
        benchmark::DoNotOptimize(w.grid);
    }
}
BENCHMARK(BM_OpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ScrollFrame(benchmark::State& state)
{
    Window w(bigTable(1000, 20));
    w.doc->select({5, 3}, false);
    auto* bar = w.grid->tableView()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        // Three rows a frame, up and down the whole table.
        step = (step + 1) % (bar->maximum() / 78);
        bar->setValue(step * 78);
        w.grid->tableView()->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollFrame)->Unit(benchmark::kMillisecond);

void BM_CellEditRoundTrip(benchmark::State& state)
{
    Window w(bigTable(1000, 20));
    w.doc->select({500, 4}, false);
    w.grid->tableView()->viewport()->repaint();
    int n = 0;
    for (auto _ : state) {
        // Commit, let the grid catch up, repaint what is shown.
        w.doc->setText(std::to_string(++n), {500, 4}, 0.8);
        w.grid->tableView()->viewport()->repaint();
    }
}
BENCHMARK(BM_CellEditRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
