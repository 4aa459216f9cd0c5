// The text grid with ruling lines: rows and columns taken from lines drawn in the image.

#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include "VozudOzev/OCR/ImageLoader.hpp"

#include "Support/Canvas.hpp"
#include "Support/FixedTextRecognizer.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

using Grid = std::vector<std::vector<std::string>>;

struct Rules {
    std::vector<int> ys;  // full-width horizontal lines
    std::vector<int> xs;  // full-height vertical lines
};

Image ruled(int W, int H, const Rules& rules)
{
    Image image = plain(W, H);
    for (int y : rules.ys)
        fill(image, 0, y, W, 1);
    for (int x : rules.xs)
        fill(image, x, 0, 1, H);
    return image;
}

// Each text its own OCR line of height 10, 8 px per byte.
OCRLine cell(const std::string& text, double x, double y)
{
    return line({word(text, x, y, 8.0 * static_cast<double>(text.size()), 10)});
}

TextOCR anyOCR()
{
    return TextOCR{.languages = {"en-US"}};
}

// Ten rows of two cells, 30 px apart.
std::vector<OCRLine> tenRows()
{
    std::vector<OCRLine> lines;
    for (int i = 0; i < 10; ++i) {
        lines.push_back(cell("a" + std::to_string(i), 20, 20 + 30 * i));
        lines.push_back(cell("b" + std::to_string(i), 120, 20 + 30 * i));
    }
    return lines;
}

std::vector<int> everyThirty(int count)
{
    std::vector<int> ys;
    for (int i = 0; i < count; ++i)
        ys.push_back(10 + 30 * i);
    return ys;
}

}  // namespace

TEST(TextGridEngineRules, Build)
{
    // A ruled 5 x 2 table whose columns sit closer than the gap rule allows, with a
    // second text line inside one cell.
    const std::vector<OCRLine> fruit{
        cell("Fruits", 20, 20), cell("Qty", 72, 20),  cell("Apples", 20, 48), cell("green", 20, 62),
        cell("12", 72, 48),     cell("Cherry", 20, 82), cell("7", 72, 82),    cell("Quince", 20, 112),
        cell("30", 72, 112),    cell("Banana", 20, 142), cell("5", 72, 142),
    };
    const Rules fruitRules{{12, 42, 76, 104, 134, 164}, {12, 70, 140}};

    // A rule between two texts that cluster into one row splits that row.
    const std::vector<OCRLine> letters{cell("A", 20, 25), cell("B", 120, 29), cell("C", 20, 55),
                                       cell("D", 120, 55), cell("E", 20, 85), cell("F", 120, 85)};

    const struct {
        std::string name;
        int W, H;
        Rules rules;
        std::vector<OCRLine> lines;
        Grid grid;
        std::vector<std::string> notes;
    } cases[] = {
        {"ruled grid gives rule rows and rule columns", 160, 180, fruitRules, fruit,
         {{"Fruits", "Qty"}, {"Apples green", "12"}, {"Cherry", "7"}, {"Quince", "30"}, {"Banana", "5"}},
         {"rules: 6 horizontal, 3 vertical", "columns from rules"}},
        {"too few bands hold text: clustered rows are split by band", 200, 210, {{32, 200}, {}}, letters,
         {{"A", ""}, {"", "B"}, {"C", "D"}, {"E", "F"}},
         {"rules: 2 horizontal, 0 vertical"}},
        {"8 bands with text for 10 rows are rule rows", 200, 320, {everyThirty(8), {}}, tenRows(),
         {{"a0", "b0"}, {"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}, {"a4", "b4"}, {"a5", "b5"}, {"a6", "b6"},
          {"a7 a8 a9", "b7 b8 b9"}},
         {"rules: 8 horizontal, 0 vertical"}},
        {"7 bands with text for 10 rows only split them", 200, 320, {everyThirty(7), {}}, tenRows(),
         {{"a0", "b0"}, {"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}, {"a4", "b4"}, {"a5", "b5"}, {"a6", "b6"},
          {"a7", "b7"}, {"a8", "b8"}, {"a9", "b9"}},
         {"rules: 7 horizontal, 0 vertical"}},
        {"one rule each way is ignored", 200, 210, {{50}, {100}}, letters,
         {{"A", "B"}, {"C", "D"}, {"E", "F"}},
         {"rules: 1 horizontal, 1 vertical"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image image = ruled(c.W, c.H, c.rules);
        std::vector<std::string> notes;
        const std::optional<Table> table = TextGridEngine(TextGridEngine::RuledLines::followed, anyOCR()).build(c.lines, &image, notes);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->grid(), c.grid);
        EXPECT_EQ(notes, c.notes);
    }

    // Without the rules the close columns of the ruled table read as one, and the second
    // line of a cell is a row of its own.
    const Image image = ruled(160, 180, fruitRules);
    std::vector<std::string> notes;
    const std::optional<Table> plainGrid = TextGridEngine(TextGridEngine::RuledLines::ignored, anyOCR()).build(fruit, &image, notes);
    ASSERT_TRUE(plainGrid);
    EXPECT_EQ(plainGrid->cols, 1);
    EXPECT_EQ(plainGrid->rows, 6);
}

TEST(TextGridEngineRules, RuleRowsKeepEverySegmentInItsBand)
{
    // Cells of a rule row keep reading order, the lowest confidence and the union box.
    std::vector<OCRLine> lines = tenRows();
    lines[16].confidence = lines[16].words[0].confidence = 0.4;  // a8
    const Image image = ruled(200, 320, {everyThirty(8), {}});
    std::vector<std::string> notes;
    const std::optional<Table> table = TextGridEngine(TextGridEngine::RuledLines::followed, anyOCR()).build(lines, &image, notes);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows, 8);
    const Cell& last = table->cells[14];
    EXPECT_EQ(last.text, "a7 a8 a9");
    EXPECT_EQ(last.confidence, 0.4);
    EXPECT_EQ(last.bbox, (BBox{20, 230, 16, 70}));
    EXPECT_EQ(table->bbox, (BBox{20, 20, 116, 280}));
}

TEST(TextGridEngineRules, WithoutImageOrWithoutRulesNoDetection)
{
    std::vector<std::string> notes;
    const std::optional<Table> table = TextGridEngine(TextGridEngine::RuledLines::followed, anyOCR()).build(tenRows(), nullptr, notes);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rows, 10);
    EXPECT_TRUE(notes.empty());

    const Image image = ruled(200, 320, {everyThirty(8), {}});
    EXPECT_EQ(TextGridEngine(TextGridEngine::RuledLines::ignored, anyOCR()).build(tenRows(), &image, notes)->rows, 10);
    EXPECT_TRUE(notes.empty());
}

TEST(TextGridEngineRules, RunNamesTheEngineAndKeepsNotes)
{
    TextOCR ocr = anyOCR();
    ocr.recognizer = std::make_shared<TestSupport::FixedTextRecognizer>(tenRows());
    const Image image = ruled(200, 320, {everyThirty(8), {}});

    const EngineOutput out = TextGridEngine(TextGridEngine::RuledLines::followed, ocr).run(image, "capture");
    EXPECT_EQ(out.engine, "B+");
    EXPECT_EQ(out.id, "capture");
    EXPECT_EQ(out.imageWidth, 200);
    EXPECT_EQ(out.imageHeight, 320);
    EXPECT_EQ(out.selectedTable, 0);
    ASSERT_EQ(out.tables.size(), 1u);
    EXPECT_EQ(out.tables[0].rows, 8);
    EXPECT_EQ(out.confidenceSource, "line");
    EXPECT_EQ(out.notes, std::vector<std::string>{"rules: 8 horizontal, 0 vertical"});

    EXPECT_EQ(TextGridEngine(TextGridEngine::RuledLines::ignored, ocr).run(image, "x").engine, "B");
}

// Real recognition of a drawn ruled table (tools/fixtures/make_rule_images.py) whose
// middle cell holds two lines: only the rules keep them in one row.
TEST(TextGridEngineRules, RuledImage)
{
    const Image image = ImageLoader::load(VANTREL_SOURCE_DIR "/tests/fixtures/rules/ruled-two-line-cell.png");
    const TextOCR ocr{.languages = {"en-US"}};

    const EngineOutput ruled = TextGridEngine(TextGridEngine::RuledLines::followed, ocr).run(image, "capture");
    EXPECT_EQ(ruled.notes, (std::vector<std::string>{"rules: 5 horizontal, 4 vertical", "columns from rules"}));
    ASSERT_EQ(ruled.tables.size(), 1u);
    const Table& t = ruled.tables[0];
    EXPECT_EQ(t.rows, 4);
    EXPECT_EQ(t.cols, 3);
    const Grid grid = t.grid();
    ASSERT_EQ(grid.size(), 4u);
    EXPECT_NE(grid[1][1].find("Roasted"), std::string::npos) << grid[1][1];
    EXPECT_NE(grid[1][1].find("Dalat"), std::string::npos) << grid[1][1];
    EXPECT_NE(grid[3][2].find("40"), std::string::npos) << grid[3][2];

    const EngineOutput plainGrid = TextGridEngine(TextGridEngine::RuledLines::ignored, ocr).run(image, "capture");
    ASSERT_EQ(plainGrid.tables.size(), 1u);
    EXPECT_EQ(plainGrid.tables[0].rows, 5);
}
