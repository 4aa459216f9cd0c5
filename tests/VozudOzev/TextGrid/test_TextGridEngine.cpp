#include "Support/ScriptedRecognizer.hpp"

#include "VozudOzev/TextGrid/TextGridEngine.hpp"
#include "VozudOzev/Extraction/TextGridTableEngine.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

// One OCR line per phrase: text at (x, y) of width w, all 10 pixels high.
struct Phrase {
    std::string text;
    double x, y, w;
    double confidence = 0.9;
};

std::vector<OCRLine> linesOf(const std::vector<Phrase>& phrases)
{
    std::vector<OCRLine> lines;
    for (const Phrase& p : phrases) {
        const BBox box{p.x, p.y, p.w, 10};
        lines.push_back({p.text, box, p.confidence, {{p.text, box, p.confidence}}});
    }
    return lines;
}

struct Built {
    std::optional<Table> table;
    std::vector<std::string> notes;
};

Built build(const std::vector<Phrase>& phrases)
{
    Built b;
    b.table = TextGridEngine(TextGridEngine::RuledLines::ignored, TextOCR{.languages = {"en-US"}}).build(linesOf(phrases), nullptr, b.notes);
    return b;
}

}  // namespace

TEST(TextGridEngine, NoTextGivesNoTable)
{
    const Built b = build({});
    EXPECT_FALSE(b.table);
    EXPECT_EQ(b.notes, std::vector<std::string>{"no text"});
}

TEST(TextGridEngine, SingleSegmentIsOneCell)
{
    const Built b = build({{"Alone", 10, 20, 40}});
    ASSERT_TRUE(b.table);
    EXPECT_EQ(b.table->rows, 1);
    EXPECT_EQ(b.table->cols, 1);
    ASSERT_EQ(b.table->cells.size(), 1u);
    EXPECT_EQ(b.table->cells[0].text, "Alone");
    EXPECT_EQ(b.table->cells[0].colSpan, 1);
    EXPECT_EQ(b.table->bbox, (BBox{10, 20, 40, 10}));
}

TEST(TextGridEngine, ColumnsFromSharedGaps)
{
    // Coverage is counted on pixel slots with both box edges inclusive, so a 7 px gap leaves
    // 6 empty slots (0.6 x height) and splits; 6 px does not.
    const struct {
        double gap;
        int cols;
    } cases[] = {{5, 1}, {6, 1}, {7, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        const Built b = build({{"a", 0, 0, 20}, {"b", 20 + c.gap, 0, 20}, {"c", 0, 20, 20}, {"d", 20 + c.gap, 20, 20}});
        ASSERT_TRUE(b.table);
        EXPECT_EQ(b.table->cols, c.cols);
        EXPECT_EQ(b.table->rows, 2);
    }
}

TEST(TextGridEngine, RawColumnInkThreshold)
{
    // n rows with two segments each; one extra segment in the gap of k rows bridges it
    // only when k exceeds the threshold (0 for n <= 4, else max(1, trunc(0.15 n))).
    const struct {
        int n;
        int bridging;
        size_t columns;
    } cases[] = {{4, 1, 1}, {5, 1, 2}, {5, 2, 1}, {13, 1, 2}, {13, 2, 1}, {14, 2, 2}, {14, 3, 1}, {20, 3, 2}, {20, 4, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " bridging=" << c.bridging);
        std::vector<TextGridEngine::Row> rows;
        for (int r = 0; r < c.n; ++r) {
            TextGridEngine::Row row{{"a", {0, r * 20.0, 20, 10}, 1}, {"b", {60, r * 20.0, 20, 10}, 1}};
            if (r < c.bridging)
                row.push_back({"x", {20, r * 20.0, 40, 10}, 1});
            rows.push_back(row);
        }
        const BBox extent{0, 0, 80, c.n * 20.0};
        EXPECT_EQ(TextGridEngine::rawColumns(rows, extent, 6).size(), c.columns);
    }
}

TEST(TextGridEngine, ColumnsFromGapsSplitAtMidpoints)
{
    std::vector<TextGridEngine::Row> rows{{{"a", {0, 0, 20, 10}, 1}, {"b", {60, 0, 20, 10}, 1}}};
    const auto bands = TextGridEngine::columnsFromGaps(rows, {0, 0, 80, 10}, 6);
    ASSERT_EQ(bands.size(), 2u);
    // Raw columns [0, 21) and [60, 80]: the boundary is their midpoint.
    EXPECT_EQ(bands[0], (TextGridEngine::Band{-1, 40.5}));
    EXPECT_EQ(bands[1], (TextGridEngine::Band{40.5, 81}));
}

TEST(TextGridEngine, ContinuationLinesMergeOnlyUnderFewerColumns)
{
    // A wrapped line under the first column only, 1 px below (< 0.2 x 10), is merged.
    const Built merged = build({{"Long", 0, 0, 30}, {"9", 100, 0, 10}, {"name", 0, 11, 30}, {"x", 0, 30, 10}, {"1", 100, 30, 10}});
    ASSERT_TRUE(merged.table);
    EXPECT_EQ(merged.table->rows, 2);
    EXPECT_EQ(merged.table->cells[0].text, "Long name");
    EXPECT_EQ(merged.notes, std::vector<std::string>{"merged 1 continuation lines"});

    // The same line under both columns is a row of its own.
    const Built separate = build({{"Long", 0, 0, 30}, {"9", 100, 0, 10}, {"name", 0, 11, 30}, {"8", 100, 11, 10}});
    ASSERT_TRUE(separate.table);
    EXPECT_EQ(separate.table->rows, 2);
    EXPECT_TRUE(separate.notes.empty());
}

TEST(TextGridEngine, PlacementSpansAndNearestBand)
{
    const std::vector<TextGridEngine::Band> cols{{0, 10}, {10, 20}, {30, 40}};
    EXPECT_EQ(TextGridEngine::colIndex(cols, 5), 0);
    EXPECT_EQ(TextGridEngine::colIndex(cols, 24), 1);  // between bands: the nearer
    EXPECT_EQ(TextGridEngine::colIndex(cols, 25), 1);  // a tie: the first
    EXPECT_EQ(TextGridEngine::colIndex(cols, 99), 2);

    // A wide header over two columns spans both; cells keep the lowest confidence.
    const Built b = build({{"Quarterly sales", 100, 0, 90, 0.7}, {"Q1", 100, 20, 20}, {"Q2", 170, 20, 20, 0.5},
                           {"1", 100, 40, 10}, {"2", 170, 40, 10}});
    ASSERT_TRUE(b.table);
    EXPECT_EQ(b.table->cols, 2);
    EXPECT_EQ(b.table->cells[0].text, "Quarterly sales");
    EXPECT_EQ(b.table->cells[0].colSpan, 2);
    EXPECT_EQ(b.table->cells[0].confidence, 0.7);
    EXPECT_EQ(b.table->cells[2].confidence, 0.5);
}

TEST(TextGridEngine, BandsOf)
{
    EXPECT_EQ(TextGridEngine::bandsOf({}, 0, 50), (std::vector<TextGridEngine::Band>{{0, 50}}));
    EXPECT_EQ(TextGridEngine::bandsOf({10, 10.5, 30}, 0, 50),
              (std::vector<TextGridEngine::Band>{{0, 10}, {10.5, 30}, {30, 50}}));
    EXPECT_EQ(TextGridEngine::bandsOf({-5, 60}, 0, 50), (std::vector<TextGridEngine::Band>{{-5, 60}}));
}

TEST(TextGridTableEngine, WrapsTheGridInAnExtraction)
{
    auto fake = std::make_shared<TestSupport::ScriptedRecognizer>([](const Image& img) {
        return std::vector{TestSupport::observation({{"Item", 10, 10, 40, 10}}, 0.9, img.width, img.height),
                           TestSupport::observation({{"Qty", 100, 10, 30, 10}}, 0.9, img.width, img.height),
                           TestSupport::observation({{"Tea", 10, 30, 30, 10}}, 0.8, img.width, img.height),
                           TestSupport::observation({{"5", 100, 30, 10, 10}}, 0.9, img.width, img.height)};
    });
    TextOCR ocr{.languages = {"en-US"}};
    ocr.recognizer = fake;
    const TextGridTableEngine engine(ocr);
    const Image image(200, 60);
    const auto a = engine.extract(image, {72, 72}, "capture");
    const auto b = engine.extract(image, {144, 300}, "capture");

    EXPECT_EQ(a.output.engine, "B");
    EXPECT_EQ(a.output.id, "capture");
    EXPECT_EQ(a.output.imageWidth, 200);
    EXPECT_EQ(a.output.selectedTable, 0);
    EXPECT_EQ(a.output.confidenceSource, "line");
    ASSERT_EQ(a.output.tables.size(), 1u);
    EXPECT_EQ(a.output.tables[0].grid(), (std::vector<std::vector<std::string>>{{"Item", "Qty"}, {"Tea", "5"}}));
    EXPECT_EQ(a.output.tables, b.output.tables) << "the resolution does not matter";
    EXPECT_EQ(a.timing.ocr, a.timing.total);
    EXPECT_EQ(a.timing.structure, 0);
    EXPECT_EQ(a.timing.total, a.output.elapsedMs);
    EXPECT_EQ(a.structure.imageWidth, 200);
    EXPECT_EQ(a.structure.elapsedMs, 0.0);
    EXPECT_TRUE(a.structure.tables.empty());
    EXPECT_EQ(a.lines.size(), 4u);
    EXPECT_EQ(a.plainText(), "Item\nQty\nTea\n5");
}

TEST(TextGridTableEngine, NoTextGivesNoTable)
{
    TextOCR ocr{.languages = {"en-US"}};
    ocr.recognizer = std::make_shared<TestSupport::ScriptedRecognizer>(std::vector<TestSupport::ScriptedRecognizer::Observation>{});
    const auto e = TextGridTableEngine(ocr).extract(Image(10, 10), {}, "id");
    EXPECT_TRUE(e.output.tables.empty());
    EXPECT_FALSE(e.output.selectedTable);
    EXPECT_EQ(e.output.notes, std::vector<std::string>{"no text"});
    EXPECT_EQ(e.plainText(), "");
}
