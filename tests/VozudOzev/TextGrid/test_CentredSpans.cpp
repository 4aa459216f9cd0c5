#include "VozudOzev/TextGrid/CentredSpans.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

Cell at(int row, int col, const std::string& text, double midY)
{
    Cell c;
    c.row = row;
    c.col = col;
    c.text = text;
    c.bbox = BBox{100.0 * col, midY - 6, 60, 12};
    return c;
}

// A header and body rows 30 px apart, columns 1 and 2 filled; extra cells as given
// (row, col, text, middle y).
Table widget(int bodyRows, const std::vector<Cell>& extra)
{
    Table t;
    t.cols = 3;
    t.rows = 1;
    for (int c = 0; c < 3; ++c)
        t.cells.push_back(at(0, c, "H" + std::to_string(c), 10));
    for (int r = 0; r < bodyRows; ++r, ++t.rows)
        for (int c = 1; c < 3; ++c)
            t.cells.push_back(at(t.rows, c, "v", 40 + 30.0 * r));
    for (const Cell& c : extra) {
        t.cells.push_back(c);
        t.rows = std::max(t.rows, c.row + 1);
    }
    // Rows in reading order: the extra cells' rows come where their y puts them.
    std::stable_sort(t.cells.begin(), t.cells.end(), [](const Cell& a, const Cell& b) {
        return a.bbox->midY() < b.bbox->midY();
    });
    int row = -1;
    double last = -100;
    for (Cell& c : t.cells) {
        if (c.bbox->midY() - last > 3)
            ++row;
        last = c.bbox->midY();
        c.row = row;
    }
    t.rows = row + 1;
    return t;
}

}  // namespace

TEST(CentredSpans, TextBetweenRowsSpansTheRowsAroundIt)
{
    const struct {
        const char* what;
        int bodyRows;
        Cell extra;
        int taken, anchorRow, rowSpan;
    } cases[] = {
        {"between body rows 1 and 2", 4, at(0, 0, "Group", 55), 1, 1, 2},
        {"centred on four rows", 4, at(0, 0, "Group", 85), 1, 1, 4},
        {"centred on rows 3 and 4 with rows 1 and 2 empty too: the widest run", 4, at(0, 0, "Group", 115), 1, 3, 2},
        {"just under a row, as a wrapped line", 4, at(0, 0, "Group", 48), 0, 0, 0},
        {"between the header and the first row", 4, at(0, 0, "Group", 25), 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table t = widget(c.bodyRows, {c.extra});
        const int rowsBefore = t.rows;
        EXPECT_EQ(CentredSpans::apply(t), c.taken);
        EXPECT_EQ(t.rows, rowsBefore - c.taken);
        if (c.taken == 0)
            continue;
        const auto it = std::find_if(t.cells.begin(), t.cells.end(), [](const Cell& x) { return x.text == "Group"; });
        ASSERT_NE(it, t.cells.end());
        EXPECT_EQ(it->row, c.anchorRow);
        EXPECT_EQ(it->rowSpan, c.rowSpan);
        EXPECT_EQ(t.grid().back()[1], "v");
    }
}

TEST(CentredSpans, AColumnFilledAroundTheTextIsNoSpan)
{
    // The text's column holds cells in the rows above and below: two lines of one cell.
    Table t = widget(3, {at(0, 0, "a", 40), at(0, 0, "b", 55), at(0, 0, "c", 70)});
    const Table before = t;
    EXPECT_EQ(CentredSpans::apply(t), 0);
    EXPECT_EQ(t, before);
}

TEST(CentredSpans, HeadersBesideAGroupHeaderSpanItsTwoRows)
{
    // A group header over columns 1 and 2, its sub-headers under it, and the other headers
    // centred between the two; body rows every 30 px. `gap` is how far apart the group row
    // and the sub-header row stand.
    auto table = [](double gap) {
        Table t;
        t.cols = 4;
        t.rows = 3;
        Cell group = at(0, 1, "Sales", 10);
        group.colSpan = 2;
        t.cells = {group, at(1, 0, "Product", 10 + gap / 2), at(1, 3, "Rate", 10 + gap / 2),
                   at(2, 1, "Qty", 10 + gap), at(2, 2, "Sum", 10 + gap)};
        for (int r = 0; r < 3; ++r, ++t.rows)
            for (int c = 0; c < 4; ++c)
                t.cells.push_back(at(t.rows, c, "v", 40 + gap + 30.0 * r));
        return t;
    };
    Table grouped = table(30);
    EXPECT_EQ(CentredSpans::apply(grouped), 1);
    EXPECT_EQ(grouped.rows, 5);
    EXPECT_EQ(grouped.grid()[0], (std::vector<std::string>{"Product", "Sales", "", "Rate"}));
    EXPECT_EQ(grouped.grid()[1], (std::vector<std::string>{"", "Qty", "Sum", ""}));
    EXPECT_EQ(grouped.grid()[2][0], "v");

    // Two row pitches apart the middle row is a row of its own, centred as every row is.
    Table sparse = table(60);
    const Table before = sparse;
    EXPECT_EQ(CentredSpans::apply(sparse), 0);
    EXPECT_EQ(sparse, before);
}
