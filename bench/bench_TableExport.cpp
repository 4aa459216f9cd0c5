// CSV and HTML of a 10,000 x 20 table (target: under 50 ms each).
// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/TableExport.hpp"

#include <benchmark/benchmark.h>

using namespace VozudOzev;

namespace {

Table bigTable()
{
    Table t;
    t.rows = 10000;
    t.cols = 20;
    t.cells.reserve(200000);
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            std::string text;
            switch (c % 4) {
            case 0: text = "Khách hàng " + std::to_string(r); break;
            case 1: text = std::to_string(r * 37 % 100000) + ",50"; break;
            case 2: text = "say \"hi\" & <bye>"; break;
            default: text = "line\none"; break;
            }
            t.cells.push_back(Cell{r, c, 1, 1, std::move(text), 0.9});
        }
    return t;
}

const Table& table()
{
    static const Table t = bigTable();
    return t;
}

void CSVFile(benchmark::State& state)
{
    table();  // built once, outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(TableExport::csvFileData(table()));
}

void HTML(benchmark::State& state)
{
    table();  // built once, outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(TableExport::html(table(), 1));
}

void TSV(benchmark::State& state)
{
    table();  // built once, outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(TableExport::tsv(table()));
}

void Markdown(benchmark::State& state)
{
    table();  // built once, outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(TableExport::markdown(table(), 1));
}

}  // namespace

BENCHMARK(CSVFile)->Unit(benchmark::kMillisecond);
BENCHMARK(HTML)->Unit(benchmark::kMillisecond);
BENCHMARK(TSV)->Unit(benchmark::kMillisecond);
BENCHMARK(Markdown)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
