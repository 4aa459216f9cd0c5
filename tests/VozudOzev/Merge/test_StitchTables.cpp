// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Merge/StitchTables.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <climits>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace VozudOzev;
using StitchTables::Mapping;
using StitchTables::MappingMethod;
using Grid = std::vector<std::vector<std::string>>;

namespace {

const StitchTables::Options appOptions{std::nullopt, 0.9, 0.8};

// One 1 x 1 cell per slot; the first headerRows rows are header cells. With left
// positions, every cell of column c gets a box whose centre is at left[c] + 5.
Table makeTable(const Grid& grid, int headerRows, std::vector<double> left = {})
{
    Table t;
    t.rows = static_cast<int>(grid.size());
    t.cols = grid.empty() ? 0 : static_cast<int>(grid[0].size());
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            Cell cell{r, c, 1, 1, grid[r][c]};
            if (r < headerRows)
                cell.header = true;
            if (!left.empty())
                cell.bbox = BBox{left[c], 10.0 * r, 10, 10};
            t.cells.push_back(cell);
        }
    return t;
}

// What every stitched table must satisfy whatever the inputs.
void checkInvariants(const Table& base, const StitchTables::Stitched& s)
{
    const Table& t = s.table;
    EXPECT_EQ(t.rows, base.rows + s.report.appendedRows);
    EXPECT_EQ(t.index, base.index);
    EXPECT_EQ(t.bbox, base.bbox);
    for (size_t i = 1; i < t.cells.size(); ++i) {
        const Cell& a = t.cells[i - 1];
        const Cell& b = t.cells[i];
        EXPECT_TRUE(a.row < b.row || (a.row == b.row && a.col <= b.col)) << "cells out of order at " << i;
    }
    std::vector<int> cover(static_cast<size_t>(s.report.appendedRows * t.cols), 0);
    for (const Cell& c : t.cells)
        for (int r = std::max(c.row, base.rows); r < std::min(c.row + std::max(c.rowSpan, 1), t.rows); ++r)
            for (int k = c.col; k < std::min(c.col + std::max(c.colSpan, 1), t.cols); ++k)
                ++cover[static_cast<size_t>((r - base.rows) * t.cols + k)];
    for (size_t i = 0; i < cover.size(); ++i)
        EXPECT_EQ(cover[i], 1) << "appended slot " << i;
}

const StitchTables::Stitched& stitched(const StitchTables::Result& result, const Table& base)
{
    const auto* s = result.stitched();
    if (!s) {
        ADD_FAILURE() << "asked for a mapping: " << result.request()->reason;
        static const StitchTables::Stitched none;
        return none;
    }
    checkInvariants(base, *s);
    return *s;
}

}  // namespace

TEST(StitchTables, AutomaticStitches)
{
    const struct {
        const char* name;
        Table base, next;
        double rowSimilarity;
        int droppedHeader, droppedOverlap, appended;
        Mapping mapping;
        MappingMethod method;
        std::vector<int> droppedEmpty;
        Grid wantGrid;
    } cases[] = {
        {"repeated header dropped, same columns",
         makeTable({{"Item", "Qty"}, {"Apple", "1"}}, 1), makeTable({{"Item", "Qty"}, {"Plum", "3"}}, 1), 0.9,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Item", "Qty"}, {"Apple", "1"}, {"Plum", "3"}}},
        {"the last two base rows repeated, then three new",
         makeTable({{"Item", "Qty"}, {"a", "1"}, {"b", "2"}, {"c", "3"}}, 1),
         makeTable({{"Item", "Qty"}, {"b", "2"}, {"C", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}}, 1), 0.9,
         1, 2, 3, {0, 1}, MappingMethod::position, {},
         {{"Item", "Qty"}, {"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}}},
        {"one amount differs: no overlap at any threshold",
         makeTable({{"Item", "Qty"}, {"a", "1"}, {"b", "2"}}, 1), makeTable({{"Item", "Qty"}, {"b", "3"}}, 1), 0.01,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Item", "Qty"}, {"a", "1"}, {"b", "2"}, {"b", "3"}}},
        {"empty rows are never overlap",
         makeTable({{"Item", "Qty"}, {"a", "1"}, {"", ""}}, 1), makeTable({{"Item", "Qty"}, {"", ""}, {"z", "9"}}, 1),
         0.01, 1, 0, 2, {0, 1}, MappingMethod::position, {},
         {{"Item", "Qty"}, {"a", "1"}, {"", ""}, {"", ""}, {"z", "9"}}},
        {"labels crosswise map by name",
         makeTable({{"Item", "Qty"}, {"a", "1"}}, 1), makeTable({{"Qty", "Item"}, {"2", "b"}}, 1), 0.9,
         1, 0, 1, {1, 0}, MappingMethod::headerNames, {},
         {{"Item", "Qty"}, {"a", "1"}, {"b", "2"}}},
        {"Unit price against Unit Price: matches exactly",
         makeTable({{"Item", "Unit Price:"}, {"a", "1"}}, 1), makeTable({{"Item", "Unit price"}, {"b", "2"}}, 1), 0.9,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Item", "Unit Price:"}, {"a", "1"}, {"b", "2"}}},
        {"a misread label matches by similarity",
         makeTable({{"Item", "Quantity"}, {"a", "1"}}, 1), makeTable({{"Item", "Quantty"}, {"b", "2"}}, 1), 0.9,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Item", "Quantity"}, {"a", "1"}, {"b", "2"}}},
        {"a blank unlabelled next column is left out",
         makeTable({{"Item", "Qty"}, {"a", "1"}}, 1), makeTable({{"Item", "", "Qty"}, {"b", " \t", "2"}}, 1), 0.9,
         1, 0, 1, {0, std::nullopt, 1}, MappingMethod::headerNames, {1},
         {{"Item", "Qty"}, {"a", "1"}, {"b", "2"}}},
        {"an unlabelled filled column takes the free unlabelled base column",
         makeTable({{"Item", ""}, {"a", "x"}}, 1), makeTable({{"Item", ""}, {"b", "y"}}, 1), 0.9,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Item", ""}, {"a", "x"}, {"b", "y"}}},
        {"no headers, 4 against 5 columns with four filled each",
         makeTable({{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}, 0),
         makeTable({{"1", "", "2", "3", "4"}, {"5", "", "6", "7", "8"}}, 0), 0.9,
         0, 0, 2, {0, std::nullopt, 1, 2, 3}, MappingMethod::nonEmptyPosition, {1},
         {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}, {"1", "2", "3", "4"}, {"5", "6", "7", "8"}}},
        {"a headerless base whose first row repeats",
         makeTable({{"Name", "Qty"}, {"a", "1"}}, 0), makeTable({{"Name", "Qty"}, {"b", "2"}}, 0), 0.9,
         1, 0, 1, {0, 1}, MappingMethod::position, {},
         {{"Name", "Qty"}, {"a", "1"}, {"b", "2"}}},
        {"header on the base only: the repeat is found after remapping",
         makeTable({{"Name", "Qty"}, {"a", "1"}}, 1), makeTable({{"Name", "Qty"}, {"a", "1"}, {"b", "2"}}, 0), 0.9,
         1, 1, 1, {0, 1}, MappingMethod::position, {},
         {{"Name", "Qty"}, {"a", "1"}, {"b", "2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = StitchTables::stitch(c.base, c.next, {std::nullopt, c.rowSimilarity, 0.8});
        const auto& s = stitched(result, c.base);
        EXPECT_EQ(s.report.droppedHeaderRows, c.droppedHeader);
        EXPECT_EQ(s.report.droppedOverlapRows, c.droppedOverlap);
        EXPECT_EQ(s.report.appendedRows, c.appended);
        EXPECT_EQ(s.report.mapping, c.mapping);
        EXPECT_EQ(s.report.method, c.method);
        EXPECT_EQ(s.report.droppedEmptyColumns, c.droppedEmpty);
        EXPECT_EQ(s.table.grid(), c.wantGrid);
        ASSERT_NE(result.table(), nullptr);
    }
}

TEST(StitchTables, MappingRequests)
{
    const struct {
        const char* name;
        Table base, next;
        std::string reason;
        std::vector<std::string> baseHeaders, nextHeaders;
        Mapping suggested;
    } cases[] = {
        {"no headers, 4 against 5 columns, all filled; suggested by column centres",
         makeTable({{"a", "b", "c", "d"}}, 0, {0, 100, 200, 300}),
         makeTable({{"1", "2", "3", "4", "5"}}, 0, {95, 5, 290, 400, 210}),
         "The captures have 4 and 5 columns and no header to match them by.", {"", "", "", ""},
         {"", "", "", "", ""}, {1, 0, 3, 2, std::nullopt}},
        {"a labelled next column without a partner",
         makeTable({{"Item", "Qty"}, {"a", "1"}}, 1), makeTable({{"Item", "Price"}, {"b", "2"}}, 1),
         "Column headers of the two captures do not match.", {"Item", "Qty"}, {"Item", "Price"}, {0, 1}},
        {"an unlabelled filled column whose base column is labelled",
         makeTable({{"Item", "Qty"}, {"a", "1"}}, 1), makeTable({{"Item", ""}, {"b", "2"}}, 1),
         "Column headers of the two captures do not match.", {"Item", "Qty"}, {"Item", ""}, {0, 1}},
        {"suggestion by name first, then by the same index",
         makeTable({{"Qty", "Item", "Note"}, {"1", "a", "x"}}, 1), makeTable({{"Item", "Zzz", "Qty"}, {"b", "y", "2"}}, 1),
         "Column headers of the two captures do not match.", {"Qty", "Item", "Note"}, {"Item", "Zzz", "Qty"},
         {1, std::nullopt, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = StitchTables::stitch(c.base, c.next, appOptions);
        EXPECT_EQ(result.table(), nullptr);
        const auto* request = result.request();
        ASSERT_NE(request, nullptr);
        EXPECT_EQ(request->reason, c.reason);
        EXPECT_EQ(request->baseHeaders, c.baseHeaders);
        EXPECT_EQ(request->nextHeaders, c.nextHeaders);
        EXPECT_EQ(request->suggested, c.suggested);
    }
}

TEST(StitchTables, ManualMappingGrowsTheTable)
{
    const Table base = makeTable({{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}, 0);
    const Table next = makeTable({{"1", "2"}, {"3", "4"}}, 0);
    const auto result = StitchTables::stitch(base, next, Mapping{6, 0}, appOptions);
    const auto& s = stitched(result, base);
    EXPECT_EQ(s.report.method, MappingMethod::manual);
    EXPECT_TRUE(s.report.droppedEmptyColumns.empty());
    EXPECT_EQ(s.table.cols, 7);
    EXPECT_EQ(s.table.grid(), (Grid{{"a", "b", "c", "d", "", "", ""},
                                    {"e", "f", "g", "h", "", "", ""},
                                    {"2", "", "", "", "", "", "1"},
                                    {"4", "", "", "", "", "", "3"}}));
    for (const Cell& c : s.table.cells)
        EXPECT_FALSE(c.row < 2 && c.col >= 4) << "base rows get no cells in new columns";

    // Negative entries carry nothing; an absurd column is refused, not allocated.
    const auto negative = StitchTables::stitch(base, next, Mapping{-1, 1}, appOptions);
    EXPECT_EQ(stitched(negative, base).table.grid()[2], (std::vector<std::string>{"", "2", "", ""}));
    EXPECT_THROW(StitchTables::stitch(base, next, Mapping{2000000000, 0}, appOptions), VozudOzevError);
}

TEST(StitchTables, CarriedCellsKeepTheirFieldsAndSpans)
{
    Table base = makeTable({{"A", "B", "C", "D"}, {"1", "2", "3", "4"}}, 1);
    base.index = 3;
    base.bbox = BBox{1, 2, 3, 4};
    Table next;
    next.rows = 3;
    next.cols = 4;
    next.cells = {
        Cell{0, 0, 1, 1, "A", std::nullopt, std::nullopt, std::nullopt, true},
        Cell{0, 1, 1, 1, "B", std::nullopt, std::nullopt, std::nullopt, true},
        Cell{0, 2, 1, 1, "C", std::nullopt, std::nullopt, std::nullopt, true},
                // Starts in the dropped header row: cut to the rows below it.
        Cell{0, 3, 3, 1, "tall", 0.4, BBox{0, 0, 5, 5}, std::vector<CellFlag>{CellFlag::lowConfidence}, true},
        Cell{1, 1, 1, 2, "wide", std::nullopt, BBox{0, 0, 5, 5}},
        Cell{2, 2, 1, 2, "cross"},
    };
    // Next columns 1,2 map on 1,2 (consecutive: "wide" keeps its span); 2,3 map on 2,0 (not).
    const auto result = StitchTables::stitch(base, next, Mapping{3, 1, 2, 0}, appOptions);
    const auto& s = stitched(result, base);
    EXPECT_EQ(s.report.droppedHeaderRows, 1);
    const auto find = [&](const std::string& text) {
        for (const Cell& c : s.table.cells)
            if (c.text == text)
                return c;
        ADD_FAILURE() << text;
        return Cell{};
    };
    const Cell tall = find("tall");
    EXPECT_EQ(std::tie(tall.row, tall.col, tall.rowSpan, tall.colSpan), std::make_tuple(2, 0, 2, 1));
    EXPECT_EQ(tall.confidence, 0.4);
    EXPECT_EQ(tall.flags, std::vector<CellFlag>{CellFlag::lowConfidence});
    EXPECT_FALSE(tall.bbox);
    const Cell wide = find("wide");
    EXPECT_EQ(std::tie(wide.row, wide.col, wide.colSpan), std::make_tuple(2, 1, 2));
    const Cell cross = find("cross");
    EXPECT_EQ(std::tie(cross.row, cross.col, cross.colSpan), std::make_tuple(3, 2, 1));
    EXPECT_EQ(s.table.index, 3);
}

TEST(StitchTables, MappingMethodRawValues)
{
    for (auto m : {MappingMethod::position, MappingMethod::headerNames, MappingMethod::nonEmptyPosition,
                   MappingMethod::manual})
        EXPECT_EQ(StitchTables::mappingMethodFromRaw(StitchTables::rawValue(m)), m);
    EXPECT_EQ(StitchTables::rawValue(MappingMethod::nonEmptyPosition), "nonEmptyPosition");
    EXPECT_FALSE(StitchTables::mappingMethodFromRaw("Position"));
    EXPECT_EQ(nlohmann::json(MappingMethod::headerNames), "headerNames");
}

TEST(StitchTables, SpansPastTheNextGridAreCutAtItsEnd)
{
    const Table base = makeTable({{"Item", "Qty"}, {"pen", "1"}}, 1);
    const auto inside = [](const Table& t) {
        for (const Cell& c : t.cells)
            if (c.row < 0 || c.col < 0 || c.row + static_cast<long long>(c.rowSpan) > t.rows ||
                c.col + static_cast<long long>(c.colSpan) > t.cols)
                return false;
        return true;
    };

    // An appended cell claiming nine rows of a two-row capture keeps the one row it has.
    Table next = makeTable({{"Item", "Qty"}, {"ink", "2"}}, 1);
    next.cells[2].rowSpan = 9;
    const auto appendedResult = StitchTables::stitch(base, next, appOptions);
    const auto& appended = stitched(appendedResult, base);
    EXPECT_EQ(appended.table.rows, 3);
    EXPECT_EQ(appended.table.cells[4].rowSpan, 1);
    EXPECT_TRUE(inside(appended.table));

    // Every next row repeats the base: a span from them reaching past the grid carries nothing.
    Table repeat = makeTable({{"Item", "Qty"}, {"pen", "1"}}, 1);
    repeat.cells[1].rowSpan = INT_MAX;
    const auto noneResult = StitchTables::stitch(base, repeat, appOptions);
    const auto& none = stitched(noneResult, base);
    EXPECT_EQ(none.report.appendedRows, 0);
    EXPECT_EQ(none.table.cells, base.cells);
}

TEST(StitchTables, TwoColumnsMappedOntoOneShareItsSlots)
{
    // The texts join as in the remapped rows.
    const Table base = makeTable({{"a", "b", "c"}, {"d", "e", "f"}}, 0);
    const Table next = makeTable({{"1", "2", "x"}, {"3", "4", "y"}}, 0);
    const auto result = StitchTables::stitch(base, next, Mapping{1, 1, 0}, appOptions);
    const auto& s = stitched(result, base);
    EXPECT_EQ(s.table.grid(), (Grid{{"a", "b", "c"}, {"d", "e", "f"}, {"x", "1 2", ""}, {"y", "3 4", ""}}));

    // A span reaching a slot already taken shrinks to its own slot.
    Table tall;
    tall.rows = 2;
    tall.cols = 2;
    tall.cells = {Cell{1, 0, 1, 1, "3"}, Cell{0, 1, 2, 1, "2"}, Cell{0, 0, 1, 1, "1"}};
    const auto tallResult = StitchTables::stitch(base, tall, Mapping{0, 0}, appOptions);
    const auto& t = stitched(tallResult, base);
    EXPECT_EQ(t.table.grid(), (Grid{{"a", "b", "c"}, {"d", "e", "f"}, {"2 1", "", ""}, {"3", "", ""}}));
}
