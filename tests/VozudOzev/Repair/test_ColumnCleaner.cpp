#include "VozudOzev/Repair/ColumnCleaner.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace VozudOzev;

namespace {

// Column j's body text lies over x = 100 j + 10 ... 100 j + 90.
BBox overColumn(int j, double y = 0)
{
    return BBox{100.0 * j + 10, y, 80, 10};
}

AssembledCell cell(int row, int col, std::string text, std::optional<BBox> textBox = std::nullopt, int colSpan = 1,
                   bool header = false)
{
    AssembledCell c;
    c.row = row;
    c.col = col;
    c.colSpan = colSpan;
    c.header = header;
    c.text = std::move(text);
    c.textBox = textBox;
    return c;
}

// Body rows 1 and 2 fill columns 0 ..< cols with text over their own column.
std::vector<AssembledCell> body(int cols)
{
    std::vector<AssembledCell> cells;
    for (int row = 1; row <= 2; ++row)
        for (int j = 0; j < cols; ++j)
            cells.push_back(cell(row, j, "v" + std::to_string(row) + std::to_string(j), overColumn(j, 20.0 * row)));
    return cells;
}

struct Slot {
    int row, col, colSpan;
    std::string text;
    bool header;
    bool operator==(const Slot&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Slot& s)
{
    return os << "{" << s.row << "," << s.col << "+" << s.colSpan << " '" << s.text << "'" << (s.header ? " H" : "")
              << "}";
}

std::vector<Slot> slots(const std::vector<AssembledCell>& cells, int row)
{
    std::vector<Slot> out;
    for (const AssembledCell& c : cells)
        if (c.row == row)
            out.push_back({c.row, c.col, c.colSpan, c.text, c.header});
    return out;
}

}  // namespace

TEST(ColumnCleaner, NarrowSpans)
{
    const struct {
        const char* name;
        std::optional<BBox> box, textBox;
        int wantCol, wantSpan;
    } cases[] = {
        {"text over column 2 only: moves there", std::nullopt, overColumn(2), 2, 1},
        {"text over its own first column only: keeps its span", std::nullopt, overColumn(1), 1, 3},
        {"text over columns 2 and 3: keeps its span", std::nullopt, BBox{220, 0, 160, 10}, 1, 3},
        {"a sliver below 15 % does not count", std::nullopt, BBox{280, 0, 100, 10}, 3, 1},
        {"the predicted box comes before the text box", BBox{100, 0, 300, 10}, overColumn(2), 1, 3},
        {"neither box: skipped", std::nullopt, std::nullopt, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto cells = body(4);
        AssembledCell span = cell(3, 1, "wide", c.textBox, 3);
        span.box = c.box;
        cells.push_back(span);
        ColumnCleaner::narrowSpans(cells);
        EXPECT_EQ(cells.back().col, c.wantCol);
        EXPECT_EQ(cells.back().colSpan, c.wantSpan);
    }

    // Empty spanning cells are never moved.
    auto cells = body(4);
    cells.push_back(cell(3, 1, "", overColumn(2), 3));
    ColumnCleaner::narrowSpans(cells);
    EXPECT_EQ(cells.back().col, 1);
}

TEST(ColumnCleaner, RealignHeader)
{
    // Header texts read one column to the left of their body columns.
    auto shiftedHeader = [](bool fourthText) {
        auto cells = body(4);
        for (int j = 0; j < 3; ++j)
            cells.insert(cells.begin() + j, cell(0, j, "h" + std::to_string(j + 1), overColumn(j + 1), 1, true));
        cells.push_back(fourthText ? cell(0, 3, "extra", overColumn(3), 1, true) : cell(0, 3, "", std::nullopt, 1, true));
        return cells;
    };

    auto cells = shiftedHeader(false);
    ColumnCleaner::realignHeader(cells, 4);
    EXPECT_EQ(slots(cells, 0), (std::vector<Slot>{{0, 1, 1, "h1", true},
                                                  {0, 2, 1, "h2", true},
                                                  {0, 3, 1, "h3", true},
                                                  {0, 0, 1, "", true}}));  // filler in the freed column
    EXPECT_EQ(slots(cells, 1), slots(body(4), 1));
    EXPECT_EQ(cells.front().row, 1);  // other cells keep their order, the row goes to the end

    // A text that would leave the table keeps the whole row in place (three of four votes).
    cells = shiftedHeader(true);
    const auto before = cells;
    ColumnCleaner::realignHeader(cells, 4);
    EXPECT_EQ(cells, before);

    // Two of four votes are not enough.
    cells = body(4);
    cells.push_back(cell(0, 0, "a", overColumn(1), 1, true));
    cells.push_back(cell(0, 1, "b", overColumn(2), 1, true));
    cells.push_back(cell(0, 2, "c", overColumn(2), 1, true));
    cells.push_back(cell(0, 3, "d", overColumn(3), 1, true));
    const auto split = cells;
    ColumnCleaner::realignHeader(cells, 4);
    EXPECT_EQ(cells, split);

    // A cell of the row spanning two rows forbids the move.
    cells = shiftedHeader(false);
    cells.back().rowSpan = 2;
    const auto tall = cells;
    ColumnCleaner::realignHeader(cells, 4);
    EXPECT_EQ(cells, tall);
}

TEST(ColumnCleaner, DropEmptyColumns)
{
    std::vector<AssembledCell> cells{
        cell(0, 0, "a"), cell(0, 1, "wide", std::nullopt, 2), cell(0, 3, "d"),
        cell(1, 0, "e"), cell(1, 2, ""),  // an empty cell in the empty column disappears
        cell(1, 3, "h"),
    };
    EXPECT_EQ(ColumnCleaner::dropEmptyColumns(cells, 4), 3);
    EXPECT_EQ(slots(cells, 0), (std::vector<Slot>{{0, 0, 1, "a", false}, {0, 1, 1, "wide", false}, {0, 2, 1, "d", false}}));
    EXPECT_EQ(slots(cells, 1), (std::vector<Slot>{{1, 0, 1, "e", false}, {1, 2, 1, "h", false}}));

    // Every column empty, or none: unchanged.
    std::vector<AssembledCell> blank{cell(0, 0, ""), cell(0, 1, "")};
    const auto blankBefore = blank;
    EXPECT_EQ(ColumnCleaner::dropEmptyColumns(blank, 2), 2);
    EXPECT_EQ(blank, blankBefore);
    auto full = body(3);
    const auto fullBefore = full;
    EXPECT_EQ(ColumnCleaner::dropEmptyColumns(full, 3), 3);
    EXPECT_EQ(full, fullBefore);

    // A leading empty column shifts everything left, spans included.
    std::vector<AssembledCell> lead{cell(0, 0, "", std::nullopt, 2), cell(0, 1, "x"), cell(0, 2, "y")};
    EXPECT_EQ(ColumnCleaner::dropEmptyColumns(lead, 3), 2);
    EXPECT_EQ(slots(lead, 0), (std::vector<Slot>{{0, 0, 1, "", false}, {0, 0, 1, "x", false}, {0, 1, 1, "y", false}}));
}

TEST(ColumnCleaner, AbsurdSpansStayBounded)
{
    // A span of a billion columns must cost neither a billion steps nor a billion extents.
    auto cells = body(4);
    AssembledCell huge = cell(3, 1, "x", overColumn(2), 1'000'000'000);
    cells.push_back(huge);
    cells.push_back(cell(0, 0, "h", overColumn(0), 1'000'000'000, true));
    ColumnCleaner::narrowSpans(cells);
    EXPECT_EQ(cells[cells.size() - 2].col, 2);
    ColumnCleaner::realignHeader(cells, 4);

    std::vector<AssembledCell> wide{cell(0, 0, "a"), cell(0, 1, "wide", std::nullopt, 2'000'000'000), cell(0, 3, "d")};
    EXPECT_EQ(ColumnCleaner::dropEmptyColumns(wide, 4), 3);
    EXPECT_EQ(wide[1].col, 1);
    EXPECT_EQ(wide[1].colSpan, 2'000'000'000 - 1);
}

TEST(ColumnCleaner, AFarColumnNumberAllocatesNothing)
{
    // A damaged structure file can put a one-column body cell at column 2,147,483,600; sizing
    // a per-column list by it asked for 48 GiB.
    auto cells = body(4);
    cells.push_back(cell(2, 2'147'483'600, "far", overColumn(6)));
    cells.push_back(cell(3, 2'147'483'000, "span", overColumn(7), 1'000));
    cells.push_back(cell(0, 0, "a", overColumn(1), 1, true));
    cells.push_back(cell(0, 1, "b", overColumn(2), 1, true));
    ColumnCleaner::narrowSpans(cells);
    EXPECT_EQ(cells[cells.size() - 4].col, 2'147'483'600);
    EXPECT_EQ(cells[cells.size() - 3].col, 2'147'483'000);  // covers no body column's text
    EXPECT_EQ(cells[cells.size() - 3].colSpan, 1'000);
    ColumnCleaner::realignHeader(cells, 4);
    EXPECT_EQ(slots(cells, 0), (std::vector<Slot>{{0, 1, 1, "a", true}, {0, 2, 1, "b", true}, {0, 0, 1, "", true},
                                                 {0, 3, 1, "", true}}));
}
