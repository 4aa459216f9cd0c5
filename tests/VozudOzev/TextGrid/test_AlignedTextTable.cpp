#include "VozudOzev/TextGrid/AlignedTextTable.hpp"

#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

namespace {

using Grid = std::vector<std::vector<std::string>>;

struct Placed {
    std::string text;
    double x;
};
struct Line {
    double y;
    std::vector<Placed> words;
};

// One OCR line per entry; every word 10 px high and 8 px per byte, so a character is
// 8 px wide and words closer than 12 px form one segment.
std::vector<OCRLine> layout(const std::vector<Line>& spec, double h = 10)
{
    std::vector<OCRLine> lines;
    for (const Line& l : spec) {
        std::vector<OCRWord> words;
        for (const Placed& p : l.words)
            words.push_back(word(p.text, p.x, l.y, 8.0 * static_cast<double>(p.text.size()), h));
        lines.push_back(line(std::move(words)));
    }
    return lines;
}

std::vector<Line> threeByThree(double top)
{
    return {{top, {{"Item", 0}, {"Qty", 100}, {"Price", 200}}},
            {top + 15, {{"Tea", 0}, {"2", 100}, {"4.50", 200}}},
            {top + 30, {{"Cake", 0}, {"1", 100}, {"3.00", 200}}}};
}

}  // namespace

TEST(AlignedTextTable, NoTable)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string name;
        std::vector<OCRLine> lines;
    } cases[] = {
        {"three words", layout({{0, {{"a", 0}, {"b", 100}}}, {15, {{"c", 0}}}})},
        {"blank words only", layout({{0, {{" ", 0}, {"", 100}}}, {15, {{"\t", 0}, {" ", 100}}}})},
        {"a fourth word without a usable box", [&] {
             auto l = layout({{0, {{"a", 0}, {"b", 100}}}, {15, {{"c", 0}, {"d", 100}}}});
             l[1].words[1].bbox.x = nan;
             return l;
         }()},
        {"all text on one row", layout({{0, {{"a", 0}, {"b", 100}, {"c", 200}, {"d", 300}}}})},
        {"heights below 1 count as 1, so these rows are one",
         layout({{0, {{"a", 0}, {"b", 100}}}, {0.4, {{"c", 0}, {"d", 100}}}}, 0.5)},
        {"prose: one column", layout({{0, {{"Some", 0}, {"words", 40}}},
                                      {15, {{"and", 0}, {"more", 32}}},
                                      {30, {{"of", 0}, {"them", 24}}}})},
        {"only one row uses two columns", layout({{0, {{"Some", 0}, {"words", 40}}},
                                                  {15, {{"a", 0}, {"b", 100}}},
                                                  {30, {{"of", 0}, {"them", 24}}}})},
        {"absurd coordinates", layout({{0, {{"a", 0}, {"b", 1e12}}}, {15, {{"c", 0}, {"d", 1e12}}}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(AlignedTextTable().build(c.lines).empty());
    }
}

TEST(AlignedTextTable, Tables)
{
    std::vector<Line> fits = threeByThree(0);
    for (const Line& l : threeByThree(100))
        fits.push_back(l);
    std::vector<Line> differs = threeByThree(0);
    differs.push_back({100, {{"Note", 0}, {"x", 50}}});
    differs.push_back({115, {{"More", 0}, {"y", 50}}});
    const std::vector<Line> spanning{
        {0, {{"abc", 0}, {"xyz", 60}}},       {15, {{"abc", 0}, {"xyz", 60}}},
        {30, {{"abcde", 0}, {"xyz", 50}}},    // one segment reaching into the second column
        {45, {{"abcdefghij", 0}}},            // one word over both columns
        {60, {{"abc", 0}, {"xyz", 60}}},      {75, {{"abc", 0}, {"xyz", 60}}},
    };

    const struct {
        std::string name;
        std::vector<Line> lines;
        std::vector<Grid> grids;
    } cases[] = {
        {"aligned columns", threeByThree(0),
         {{{"Item", "Qty", "Price"}, {"Tea", "2", "4.50"}, {"Cake", "1", "3.00"}}}},
        {"a lower block on the same columns joins the upper", fits,
         {{{"Item", "Qty", "Price"},
           {"Tea", "2", "4.50"},
           {"Cake", "1", "3.00"},
           {"Item", "Qty", "Price"},
           {"Tea", "2", "4.50"},
           {"Cake", "1", "3.00"}}}},
        {"a lower block on other columns is a table of its own", differs,
         {{{"Item", "Qty", "Price"}, {"Tea", "2", "4.50"}, {"Cake", "1", "3.00"}}, {{"Note", "x"}, {"More", "y"}}}},
        {"segments over two columns are divided by word, single words span", spanning,
         {{{"abc", "xyz"}, {"abc", "xyz"}, {"abcde", "xyz"}, {"abcdefghij", ""}, {"abc", "xyz"}, {"abc", "xyz"}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Table> tables = AlignedTextTable().build(layout(c.lines));
        ASSERT_EQ(tables.size(), c.grids.size());
        for (size_t i = 0; i < tables.size(); ++i) {
            EXPECT_EQ(tables[i].index, static_cast<int>(i));
            EXPECT_EQ(tables[i].grid(), c.grids[i]);
        }
    }

    const std::vector<Table> tables = AlignedTextTable().build(layout(spanning));
    ASSERT_EQ(tables.size(), 1u);
    for (const Cell& c : tables[0].cells)
        EXPECT_EQ(c.colSpan, c.text == "abcdefghij" ? 2 : 1) << c.text;
}

TEST(AlignedTextTable, CellsCarryJoinedTextLowestConfidenceAndUnionBox)
{
    std::vector<OCRLine> lines = layout(threeByThree(0));
    // "Green tea" in the first column: two words of one segment, the second less sure.
    lines[1].words[0] = word("Green", 0, 15, 40, 10, 0.9);
    lines[1].words.insert(lines[1].words.begin() + 1, word("tea", 44, 16, 24, 10, 0.6));
    const std::vector<Table> tables = AlignedTextTable().build(lines);
    ASSERT_EQ(tables.size(), 1u);
    const Table& t = tables[0];
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.cols, 3);
    EXPECT_EQ(t.bbox, (BBox{0, 0, 240, 40}));
    const Cell& c = t.cells[3];
    EXPECT_EQ(c.row, 1);
    EXPECT_EQ(c.col, 0);
    EXPECT_EQ(c.colSpan, 1);
    EXPECT_EQ(c.text, "Green tea");
    EXPECT_EQ(c.confidence, 0.6);
    EXPECT_EQ(c.bbox, (BBox{0, 15, 68, 11}));
}

TEST(AlignedTextTable, SpansStopAtTheNextCell)
{
    // Two overlapping lines on one row: a long word over all three columns and a word in
    // the middle one. The long cell must not cover the middle cell's slot.
    std::vector<Line> spec = threeByThree(0);
    for (const Line& l : threeByThree(45))
        spec.push_back(l);
    spec.push_back({90, {{"abcdefghijklmnopqrstuvwxyz", 0}}});
    spec.push_back({90, {{"q", 100}}});
    const std::vector<Table> tables = AlignedTextTable().build(layout(spec));
    ASSERT_EQ(tables.size(), 1u);
    const Table& t = tables[0];
    ASSERT_EQ(t.rows, 7);
    std::vector<Cell> last;
    for (const Cell& c : t.cells)
        if (c.row == 6)
            last.push_back(c);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].col, 0);
    EXPECT_EQ(last[0].colSpan, 1);
    EXPECT_EQ(last[1].text, "q");
    EXPECT_EQ(last[1].col, 1);
}

TEST(AlignedTextTable, CharacterWidth)
{
    const struct {
        std::string name;
        std::vector<OCRWord> words;
        std::optional<double> want;
    } cases[] = {
        {"median of width per character", {word("abcd", 0, 0, 40, 10), word("xy", 0, 0, 30, 10), word("z", 0, 0, 7, 10)},
         10},
        {"characters, not bytes", {word("Việt", 0, 0, 40, 10)}, 10},
        {"words without width give nothing", {word("abc", 0, 0, 0, 10), word(" ", 0, 0, 10, 10)}, std::nullopt},
        {"no words", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AlignedTextTable::charWidth(c.words), c.want);
    }

    // Words of no width: the width falls back to 0.55 of the text height, so a 10 px gap
    // (wider than 1.5 x 5.5) separates columns that 8 px characters would have joined.
    std::vector<OCRLine> lines;
    for (int i = 0; i < 3; ++i)
        lines.push_back(line({word("a", 0, 15.0 * i, 0, 10), word("b", 10, 15.0 * i, 0, 10)}));
    const std::vector<Table> tables = AlignedTextTable().build(lines);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].grid(), (Grid{{"a", "b"}, {"a", "b"}, {"a", "b"}}));
}
