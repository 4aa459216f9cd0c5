// A 10,000 x 20 table to XLSX (target: under 300 ms, peak memory under 100 MB).
// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace VozudOzev;

namespace {

// A header row, then rows of names, grouped and comma-decimal numbers, codes, dates,
// currency amounts and notes with markup: every path of the writer.
Table bigTable()
{
    Table t;
    t.rows = 10000;
    t.cols = 20;
    t.cells.reserve(200000);
    for (int c = 0; c < t.cols; ++c)
        t.cells.push_back(Cell{0, c, 1, 1, "Cột " + std::to_string(c), std::nullopt, std::nullopt, std::nullopt, true});
    for (int r = 1; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            std::string text;
            switch (c % 5) {
            case 0: text = "Khách hàng " + std::to_string(r % 500); break;
            case 1: text = std::to_string(r * 37 % 100000) + "," + std::to_string(10 + r % 90); break;
            case 2: text = std::to_string(r % 9 + 1) + "." + std::to_string(100 + r % 900) + ".000 ₫"; break;
            case 3: text = "SKU-" + std::to_string(10000 + r); break;
            default: text = std::to_string(r % 1000); break;
            }
            t.cells.push_back(Cell{r, c, 1, c == 19 && r % 10 == 1 ? 2 : 1, std::move(text), 0.9});
        }
    return t;
}

const Table& table()
{
    static const Table t = bigTable();
    return t;
}

void report(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakRSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// As the application saves: the per-column reader resolved from the table.
void WorkbookWithLocaleReader(benchmark::State& state)
{
    table();  // built once, outside the timing
    size_t bytes = 0;
    for (auto _ : state) {
        const int h = table().leadingHeaderRows();
        const XLSXWriter writer("Table", h, true, {}, XLSXWriter::simpleNumber,
                                XLSXNumbers::cellParser(table(), h, LocaleOverrides{}));
        const std::string data = writer.data(table());
        bytes = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.counters["xlsx_KB"] = static_cast<double>(bytes) / 1024.0;
    report(state);
}

// The default, locale-free reader.
void WorkbookWithSimpleNumber(benchmark::State& state)
{
    table();
    for (auto _ : state) {
        const XLSXWriter writer("Table", std::nullopt, true, {});
        benchmark::DoNotOptimize(writer.data(table()));
    }
    report(state);
}

}  // namespace

BENCHMARK(WorkbookWithLocaleReader)->Unit(benchmark::kMillisecond);
BENCHMARK(WorkbookWithSimpleNumber)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
