// Every export of a table at the largest size a stored table may claim (Table::maxSlots):
// a hostile record with a handful of cells over the whole grid, and a full one with a text
// in every slot. The limit is chosen so that each export stays around a second; "peak_MB"
// is the process's peak resident size after the run and "added_MB" how far the export
// raised it: run one benchmark per process (--benchmark_filter) to read them.
#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <sys/resource.h>

using namespace VozudOzev;

namespace {

Table squareTable(bool full)
{
    Table t;
    t.rows = t.cols = static_cast<int>(std::sqrt(static_cast<double>(Table::maxSlots)));
    if (!full) {
        for (int i = 0; i < 8; ++i) {
            Cell c;
            c.row = i;
            c.col = i;
            c.text = "x";
            t.cells.push_back(c);
        }
        return t;
    }
    t.cells.reserve(static_cast<size_t>(t.rows) * t.cols);
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = std::to_string(r * 7 + c);
            t.cells.push_back(std::move(cell));
        }
    return t;
}

// Only the table a run uses is built, so a run alone in its process shows what it costs.
const Table& table(bool full)
{
    if (full) {
        static const Table dense = squareTable(true);
        return dense;
    }
    static const Table sparse = squareTable(false);
    return sparse;
}

double peakMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

template <class Export>
void run(benchmark::State& state, Export exportTable)
{
    const Table& t = table(state.range(0) != 0);
    const double before = peakMB();
    double outputMB = 0;
    for (auto _ : state) {
        const auto out = exportTable(t);
        outputMB = static_cast<double>(out.size()) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(out);
    }
    state.counters["output_MB"] = outputMB;
    state.counters["peak_MB"] = peakMB();
    state.counters["added_MB"] = peakMB() - before;
    state.counters["slots"] = static_cast<double>(t.rows) * t.cols;
}

const SourceInfo source{"bench", {}};

}  // namespace

BENCHMARK_CAPTURE(run, TSV, [](const Table& t) { return TableExport::tsv(t); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, CSV, [](const Table& t) { return TableExport::csvFileData(t); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, HTML, [](const Table& t) { return TableExport::html(t, 1); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, Markdown, [](const Table& t) { return TableExport::markdown(t, 1); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, AIContext, [](const Table& t) { return AIContext::markdown(t, source, {}); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, JSON, [](const Table& t) { return JSONExport::data(t, source, 1); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(run, XLSX, [](const Table& t) { return XLSXWriter().data(t); })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
// The application's workbooks read numbers under the table's own locale.
BENCHMARK_CAPTURE(run, XLSXLocale, [](const Table& t) {
    XLSXWriter writer;
    writer.parseCell = XLSXNumbers::cellParser(t, 1, {});
    return writer.data(t);
})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
