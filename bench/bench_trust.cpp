// Speed of the trust analysis on a 1,000 × 20 table. With VANTREL_CORPUS set to the
// measuring corpus folder, first reports how the analysis judges the corpus's ground
// truth: deliberately wrong totals caught, correct totals and other cells flagged.
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Trust/TrustAnalyzer.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

using namespace VozudOzev;

// With subtotals every tenth row when `subtotals` is set.
Table table1000x20(bool subtotals = false)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> amount(1, 99999);
    Table t;
    t.rows = 1001;
    t.cols = 20;
    const auto add = [&](int r, int c, std::string text) {
        Cell cell;
        cell.row = r;
        cell.col = c;
        cell.text = std::move(text);
        cell.confidence = 0.5 + (rng() % 50) / 100.0;
        cell.header = r == 0 ? std::optional(true) : std::nullopt;
        t.cells.push_back(std::move(cell));
    };
    for (int c = 0; c < 20; ++c)
        add(0, c, "Column " + std::to_string(c));
    for (int r = 1; r <= 1000; ++r)
        for (int c = 0; c < 20; ++c) {
            const int v = amount(rng);
            std::string text;
            switch (c % 6) {
            case 0: text = std::to_string(r); break;
            case 1: text = subtotals && r % 10 == 0 ? "Subtotal" : "Item " + std::to_string(v); break;
            case 2: text = std::to_string(v / 100) + "," + std::to_string(100 + v % 900) + "." + std::to_string(10 + v % 90); break;
            case 3: text = "$" + std::to_string(v); break;
            case 4: text = std::to_string(v % 100) + "." + std::to_string(v % 10) + "%"; break;
            default: text = std::to_string(1 + v % 12) + "/" + std::to_string(1 + v % 28) + "/2024"; break;
            }
            add(r, c, std::move(text));
        }
    return t;
}

void BM_TrustAnalyze(benchmark::State& state)
{
    const Table table = table1000x20();
    LocaleOverrides overrides;
    overrides.defaultLocale = "en_US";
    for (auto _ : state)
        benchmark::DoNotOptimize(TrustAnalyzer::analyze(table, 0.8, overrides, {}));
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_TrustAnalyze)->Unit(benchmark::kMillisecond);

void BM_TrustAnalyzeWithSubtotals(benchmark::State& state)
{
    const Table table = table1000x20(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(TrustAnalyzer::analyze(table, 0.8, {}, {}));
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_TrustAnalyzeWithSubtotals)->Unit(benchmark::kMillisecond);

void reportCorpus(const std::filesystem::path& folder, const char* userLocale)
{
    int cases = 0, totalRows = 0, wrongTotals = 0, wrongCaught = 0, correctTotals = 0, correctFlagged = 0, otherFlags = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".json" || entry.path().filename().string().rfind("case_", 0) != 0)
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        nlohmann::json j = nlohmann::json::parse(text.str());
        j["index"] = 0;
        const Table table = j.get<Table>();
        ++cases;
        LocaleOverrides overrides;
        overrides.defaultLocale = userLocale;
        const auto [flagged, report] = TrustAnalyzer::analyze(table, 0.8, overrides, {});
        const int totalRow = j.value("total_row", nlohmann::json()).is_number() ? j["total_row"].get<int>() : -1;
        int wrongCol = -1;
        if (j.contains("wrong_total")) {
            ++wrongTotals;
            wrongCol = j["wrong_total"][1].get<int>();
        }
        if (totalRow >= 0)
            ++totalRows;
        for (const Cell& c : flagged.cells) {
            const bool totalCell = c.row == totalRow && !c.text.empty();
            const bool mismatch = c.has(CellFlag::totalMismatch);
            if (c.row == totalRow && c.col == wrongCol) {
                wrongCaught += mismatch;
            } else if (totalCell && c.col > 0) {
                ++correctTotals;
                correctFlagged += mismatch;
                otherFlags += c.isFlagged() && !mismatch;
            } else {
                otherFlags += c.isFlagged();
            }
        }
    }
    std::printf("corpus (user locale %s): %d cases, %d with a total row; wrong totals flagged %d of %d; "
                "correct total cells flagged %d of %d; other cells flagged %d\n",
                userLocale, cases, totalRows, wrongCaught, wrongTotals, correctFlagged, correctTotals, otherFlags);
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* corpus = std::getenv("VANTREL_CORPUS")) {
        for (const char* locale : {"en_US", "de_DE", "vi_VN"})
            reportCorpus(corpus, locale);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
