// The assembler's own work on a large predicted table: placement, the repair passes and
// the notes, with a recogniser that reads nothing so that OCR time stays out.
#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Extraction/StructureAssembler.hpp"

#include <benchmark/benchmark.h>

using namespace VozudOzev;

namespace {

class BlankRecognizer final : public TextRecognizer {
public:
    std::vector<TextObservation> perform(const Image&, const RecognitionRequest&) const override { return {}; }
};

struct Page {
    StructureFile structure;
    std::vector<OCRLine> lines;
    Image image{1200, 1500};
};

// rows x cols cells of 120 x 25 px, every `gap`-th cell left without a word.
Page page(int rows, int cols, int gap)
{
    Page p;
    p.structure.imageWidth = p.image.width;
    p.structure.imageHeight = p.image.height;
    StructureFile::STable t;
    t.rows = rows;
    t.cols = cols;
    t.bbox = BBox{0, 0, 120.0 * cols, 25.0 * rows};
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        OCRLine line;
        for (int c = 0; c < cols; ++c, ++n) {
            const BBox box{120.0 * c, 25.0 * r, 120, 25};
            t.cells.push_back({r, c, 1, 1, box, r == 0});
            if (gap > 0 && n % gap == 0)
                continue;
            const std::string text = c == 0 ? std::to_string(r) : std::to_string(r * 1000 + c) + ",5";
            line.words.push_back({text, {box.x + 10, box.y + 6, 60, 13}, 0.9});
        }
        p.lines.push_back(line);
    }
    p.structure.tables.push_back(t);
    return p;
}

void BM_Assemble(benchmark::State& state)
{
    const Page p = page(static_cast<int>(state.range(0)), 10, static_cast<int>(state.range(1)));
    StructureAssembler a = StructureAssembler::recommended();
    a.ocr.recognizer = std::make_shared<BlankRecognizer>();
    for (auto _ : state)
        benchmark::DoNotOptimize(a.run(p.structure, p.image, "bench", p.lines, Clock::now()));
    state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}

}  // namespace

// Rows, then every how many cells one is empty (0: none).
BENCHMARK(BM_Assemble)->Args({20, 0})->Args({60, 0})->Args({60, 7})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
