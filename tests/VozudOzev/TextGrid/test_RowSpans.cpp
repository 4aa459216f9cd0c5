#include "VozudOzev/TextGrid/RowSpans.hpp"

#include "Support/Canvas.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

using Band = TextGridEngine::Band;

// Two columns parted at x = 100; rules at y 10, 40, 70 and 95, each drawn from x0 on.
Image ruled(int rule40From, int rule70From)
{
    Image image = plain(200, 100);
    fill(image, 5, 10, 190, 1, 150);
    fill(image, rule40From, 40, 195 - rule40From, 1, 150);
    fill(image, rule70From, 70, 195 - rule70From, 1, 150);
    fill(image, 5, 95, 190, 1, 150);
    return image;
}

Cell cell(int row, int col, const char* text, double y, double h = 10)
{
    Cell c{row, col, 1, 1, text};
    c.bbox = BBox{col * 100.0 + 10, y, 40, h};
    return c;
}

std::string at(const Table& t, int row, int col)
{
    for (const Cell& c : t.cells)
        if (c.row == row && c.col == col)
            return c.text + (c.rowSpan > 1 ? "/" + std::to_string(c.rowSpan) : "");
    return "";
}

}  // namespace

TEST(RowSpans, ACellSpansTheRowsItsColumnsRuleLeavesOpen)
{
    const std::vector<Band> columns{{0, 100}, {100, 200}};
    struct Case {
        const char* what;
        Image image;
        std::vector<Cell> cells;
        std::vector<std::string> expected;  // rows of two columns
        bool grid = true;
    };
    const std::vector<Case> cases{
        {"label centred on the open rule", ruled(100, 5),
         {cell(0, 1, "a", 20), cell(1, 0, "Group", 35), cell(1, 1, "b", 50), cell(2, 0, "c", 77),
          cell(2, 1, "d", 77)},
         {"Group/2", "a", "", "b", "c", "d"}},
        // A spreadsheet's merged header cell writes its label at the bottom; without column
        // rules that label is a second header row under a group header.
        {"label at the bottom of the open rows, grid", ruled(100, 5),
         {cell(0, 1, "This year", 20), cell(1, 0, "Date", 50), cell(1, 1, "b", 50), cell(2, 0, "c", 77),
          cell(2, 1, "d", 77)},
         {"Date/2", "This year", "", "b", "c", "d"}},
        {"label at the bottom of the open rows, no grid", ruled(100, 5),
         {cell(0, 1, "This year", 20), cell(1, 0, "Date", 50), cell(1, 1, "b", 50), cell(2, 0, "c", 77),
          cell(2, 1, "d", 77)},
         {"", "This year", "Date", "b", "c", "d"},
         false},
        {"every rule drawn: nothing moves", ruled(5, 5),
         {cell(0, 1, "a", 20), cell(1, 0, "x", 50), cell(1, 1, "b", 50), cell(2, 0, "c", 77), cell(2, 1, "d", 77)},
         {"", "a", "x", "b", "c", "d"}},
        // Two texts under open rules: only the one reaching above its missing rule moves.
        {"header label above its row", ruled(100, 100),
         {cell(0, 1, "Sales", 20), cell(1, 0, "Name", 32), cell(1, 1, "Qty", 50), cell(2, 0, "Ann", 77),
          cell(2, 1, "3", 77)},
         {"Name/2", "Sales", "", "Qty", "Ann", "3"}},
    };
    for (const Case& c : cases) {
        Table t;
        t.rows = 3;
        t.cols = 2;
        t.bbox = BBox{5, 10, 190, 85};
        t.cells = c.cells;
        RowSpans::apply(t, columns, {10, 40, 70, 95}, c.image, 10, c.grid);
        std::vector<std::string> got;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 2; ++col)
                got.push_back(at(t, r, col));
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(RowSpans, ShortRulesAreLongThinLinesNotDashesOrBands)
{
    Image image = ruled(100, 5);
    fill(image, 20, 55, 12, 1, 0);    // a dash in a cell
    fill(image, 20, 80, 150, 8, 90);  // a filled band
    fill(image, 130, 30, 2, 60, 150);  // a column rule crossing the rules
    EXPECT_EQ(RowSpans::shortRules(image, BBox{0, 0, 200, 100}, 80), (std::vector<double>{10, 40, 70, 95}));
    EXPECT_TRUE(RowSpans::shortRules(Image(), BBox{0, 0, 200, 100}, 50).empty());
}
