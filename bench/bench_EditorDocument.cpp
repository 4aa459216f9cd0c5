// Editing a 1,000 x 20 table: the time of each document operation (goal: under 5 ms each)
// and the heap held by a document with 200 undo levels (goal: under 200 MB).
#include "KestrowEditor/EditorDocument.hpp"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>

using namespace KestrowEditor;
using VozudOzev::BBox;
using VozudOzev::Cell;
using VozudOzev::CellFlag;
using VozudOzev::Table;

namespace {

constexpr int rows = 1000;
constexpr int cols = 20;

// A recognised-looking table: every cell with a box and a confidence, a header row, one cell
// in ten flagged, texts of both short and heap-allocated lengths.
Table largeTable()
{
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> conf(0.5, 1.0);
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.bbox = BBox{0, 0, 2000, 30000};
    t.cells.reserve(rows * cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = c % 3 == 0 ? "Item description number " + std::to_string(r) : std::to_string(r * 37 + c) + ".50";
            cell.confidence = conf(rng);
            cell.bbox = BBox{c * 100.0, r * 30.0, 100, 30};
            if ((r + c) % 10 == 0)
                cell.flags = std::vector<CellFlag>{CellFlag::lowConfidence};
            if (r == 0)
                cell.header = true;
            t.cells.push_back(std::move(cell));
        }
    return t;
}

const Table& sharedTable()
{
    static const Table table = largeTable();
    return table;
}

// Times one edit by hand (manual time); the undo that restores the table between runs is
// not counted.
void timeEdit(benchmark::State& state, const std::function<void(EditorDocument&)>& prepare,
              const std::function<bool(EditorDocument&)>& edit)
{
    EditorDocument doc(sharedTable());
    if (prepare)
        prepare(doc);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool committed = edit(doc);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!committed)
            state.SkipWithError("the edit did not commit");
        doc.undo();
    }
}

auto selecting(CellPos a, CellPos b)
{
    return [a, b](EditorDocument& d) { d.setSelection(GridSelection(a, b)); };
}

void BM_SetText(benchmark::State& s)
{
    timeEdit(s, selecting({500, 10}, {500, 10}), [](auto& d) { return d.setText("changed", CellPos(500, 10), 0.8); });
}
void BM_ClearBlock(benchmark::State& s)
{
    timeEdit(s, selecting({100, 2}, {149, 11}), [](auto& d) { return d.clearSelection(); });
}
void BM_InsertRow(benchmark::State& s)
{
    timeEdit(s, selecting({500, 3}, {500, 3}), [](auto& d) { d.insertRow(0); return true; });
}
void BM_InsertColumn(benchmark::State& s)
{
    timeEdit(s, selecting({500, 3}, {500, 3}), [](auto& d) { d.insertColumn(0); return true; });
}
void BM_DeleteRow(benchmark::State& s)
{
    timeEdit(s, selecting({1, 3}, {1, 3}), [](auto& d) { return d.deleteSelectedRows(); });
}
void BM_Delete500Rows(benchmark::State& s)
{
    timeEdit(s, selecting({1, 3}, {500, 3}), [](auto& d) { return d.deleteSelectedRows(); });
}
void BM_DeleteColumn(benchmark::State& s)
{
    timeEdit(s, selecting({10, 0}, {10, 0}), [](auto& d) { return d.deleteSelectedColumns(); });
}
void BM_MergeBlock(benchmark::State& s)
{
    timeEdit(s, selecting({10, 2}, {19, 5}), [](auto& d) { return d.mergeSelection(); });
}
void BM_SplitBlock(benchmark::State& s)
{
    timeEdit(
        s,
        [](EditorDocument& d) {
            d.setSelection(GridSelection(CellPos(10, 2), CellPos(19, 5)));
            d.mergeSelection();
        },
        [](auto& d) { return d.splitSelection(); });
}
void BM_MarkHeaderRows(benchmark::State& s)
{
    timeEdit(s, nullptr, [](auto& d) { return d.toggleHeader(9); });
}
void BM_MarkEveryRowHeader(benchmark::State& s)
{
    timeEdit(s, nullptr, [](auto& d) { return d.toggleHeader(rows - 1); });
}

void BM_Undo(benchmark::State& state)
{
    EditorDocument doc(sharedTable());
    doc.setSelection(GridSelection(CellPos(1, 3)));
    for (auto _ : state) {
        doc.insertRow(0);
        const auto start = std::chrono::steady_clock::now();
        doc.undo();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void BM_SelectedRectOfEverything(benchmark::State& state)
{
    EditorDocument doc(sharedTable());
    int i = 0;
    for (auto _ : state) {
        // A new selection each time, so the cache never answers.
        doc.setSelection(GridSelection(CellPos(0, 0), CellPos(rows - 1 - (i++ % 2), cols - 1)));
        benchmark::DoNotOptimize(doc.selectedRect());
    }
}

void BM_HeaderRowCountAllRows(benchmark::State& state)
{
    // The grid asks for it on every redraw.
    EditorDocument doc(sharedTable());
    doc.toggleHeader(rows - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.headerRowCount());
}

void BM_SpanMapBuild(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SpanMap(sharedTable()));
}

double heapMB()
{
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// The heap held by one document after 250 edits (so its 200 undo levels are full),
// over what was in use before the document was made.
void heldByDocument(benchmark::State& state, const std::function<void(EditorDocument&, int)>& edit)
{
    for (auto _ : state) {
        const Table table = sharedTable();
        const double before = heapMB();
        auto doc = std::make_unique<EditorDocument>(table);
        doc->setSelection(GridSelection(CellPos(500, 5)));
        for (int i = 0; i < 250; ++i)
            edit(*doc, i);
        state.counters["undo_levels"] = static_cast<double>(doc->undoStack().undoCount());
        state.counters["heap_MB"] = heapMB() - before;
        // Half of them undone: the redo side holds states too.
        for (int i = 0; i < 100; ++i)
            doc->undo();
        state.counters["heap_MB_after_100_undos"] = heapMB() - before;
    }
    state.counters["one_table_MB"] = [] {
        const double before = heapMB();
        const Table copy = sharedTable();
        return heapMB() - before;
    }();
}

void BM_Memory200TextEdits(benchmark::State& s)
{
    heldByDocument(s, [](EditorDocument& d, int i) { d.setText("edit " + std::to_string(i), CellPos(i % rows, i % cols), 0.8); });
}
void BM_Memory200RowInserts(benchmark::State& s)
{
    // The worst case: every cell moves in every step.
    heldByDocument(s, [](EditorDocument& d, int) { d.insertRow(0); });
}
void BM_Memory200MixedEdits(benchmark::State& s)
{
    heldByDocument(s, [](EditorDocument& d, int i) {
        const int r = 1 + (i * 7) % (rows - 20), c = i % (cols - 2);
        switch (i % 6) {
        case 0: d.setText("mixed " + std::to_string(i), CellPos(r, c), 0.8); break;
        case 1: d.insertRow(r); break;
        case 2: d.setSelection(GridSelection(CellPos(r, c), CellPos(r + 1, c + 1))); d.mergeSelection(); break;
        case 3: d.setSelection(GridSelection(CellPos(r, 0))); d.deleteSelectedRows(); break;
        case 4: d.setSelection(GridSelection(CellPos(r, c), CellPos(r + 3, c + 1))); d.clearSelection(); break;
        default: d.insertColumn(c); d.setSelection(GridSelection(CellPos(r, c))); d.deleteSelectedColumns(); break;
        }
    });
}

}  // namespace

BENCHMARK(BM_SetText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearBlock)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertRow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertColumn)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteRow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete500Rows)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteColumn)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeBlock)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitBlock)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkHeaderRows)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkEveryRowHeader)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Undo)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectedRectOfEverything)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaderRowCountAllRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpanMapBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memory200TextEdits)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory200RowInserts)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory200MixedEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
