// Speed of the value parsers: NumberParser over a million mixed cell texts, and the
// locale resolution of a 1,000 × 20 table.
#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"

#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace VozudOzev;

// Texts in the shapes tables hold: both decimal styles, currencies, percentages, dates,
// words, codes and placeholders.
std::string mixedText(std::mt19937& rng, int kind)
{
    std::uniform_int_distribution<int> small(0, 999);
    std::uniform_int_distribution<int> big(1, 99);
    const std::string a = std::to_string(big(rng));
    char b[4];
    const int bv = small(rng);
    b[0] = static_cast<char>('0' + bv / 100);
    b[1] = static_cast<char>('0' + bv / 10 % 10);
    b[2] = static_cast<char>('0' + bv % 10);
    b[3] = 0;
    const std::string cents = std::to_string(10 + small(rng) % 90);
    switch (kind % 16) {
    case 0: return a + "," + b + "." + cents;
    case 1: return a + "." + b + "," + cents + " €";
    case 2: return a + "." + b + "." + b + " ₫";
    case 3: return "$" + a + "," + b + "." + cents;
    case 4: return a + "," + cents.substr(0, 1) + "%";
    case 5: return a + "." + cents + "%";
    case 6: return a;
    case 7: return a + "," + b;
    case 8: return std::to_string(1 + bv % 28) + "/0" + std::to_string(1 + bv % 9) + "/2024";
    case 9: return "Nguyễn Văn An";
    case 10: return "SKU-" + a + b;
    case 11: return "n/a";
    case 12: return "(" + a + " " + b + ")";
    case 13: return a + "." + cents + "k";
    case 14: return a + "\u00A0" + b + "," + cents + " VND";
    default: return "−" + a + "." + cents;
    }
}

const std::vector<std::string>& millionTexts()
{
    static const std::vector<std::string> texts = [] {
        std::mt19937 rng(7);
        std::vector<std::string> out;
        out.reserve(1'000'000);
        for (int i = 0; i < 1'000'000; ++i)
            out.push_back(mixedText(rng, i));
        return out;
    }();
    return texts;
}

void BM_NumberParserParse(benchmark::State& state)
{
    const auto& texts = millionTexts();
    for (auto _ : state) {
        int read = 0;
        for (const auto& t : texts)
            read += NumberParser::parse(t, NumberStyle::commaDecimal).has_value();
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_NumberParserParse)->Unit(benchmark::kMillisecond);

void BM_NumberParserCandidates(benchmark::State& state)
{
    const auto& texts = millionTexts();
    for (auto _ : state) {
        int read = 0;
        for (const auto& t : texts)
            read += NumberParser::candidates(t).has_value();
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_NumberParserCandidates)->Unit(benchmark::kMillisecond);

std::vector<std::vector<std::string>> table1000x20()
{
    std::mt19937 rng(11);
    std::vector<std::vector<std::string>> grid;
    grid.push_back({});
    for (int c = 0; c < 20; ++c)
        grid[0].push_back("Column " + std::to_string(c));
    for (int r = 0; r < 1000; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < 20; ++c)
            row.push_back(mixedText(rng, c));  // one shape per column, as in real tables
        grid.push_back(std::move(row));
    }
    return grid;
}

void BM_TableLocaleResolve(benchmark::State& state)
{
    const auto grid = table1000x20();
    LocaleOverrides overrides;
    overrides.defaultLocale = "en_US";
    for (auto _ : state)
        benchmark::DoNotOptimize(TableLocaleResolver::resolve(grid, 1, overrides));
    state.SetItemsProcessed(state.iterations() * 1000 * 20);
}
BENCHMARK(BM_TableLocaleResolve)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
