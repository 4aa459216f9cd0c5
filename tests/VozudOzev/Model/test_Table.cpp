#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace VozudOzev;

namespace {

Cell cell(int row, int col, std::string text, int rowSpan = 1, int colSpan = 1, std::optional<bool> header = {})
{
    Cell c{row, col, rowSpan, colSpan, std::move(text)};
    c.header = header;
    return c;
}

Table table(int rows, int cols, std::vector<Cell> cells = {})
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells = std::move(cells);
    return t;
}

}  // namespace

TEST(BBox, Geometry)
{
    const BBox a{10, 20, 30, 40};
    EXPECT_EQ(a.maxX(), 40);
    EXPECT_EQ(a.maxY(), 60);
    EXPECT_EQ(a.midX(), 25);
    EXPECT_EQ(a.midY(), 40);
    EXPECT_EQ(a.area(), 1200);
    EXPECT_EQ(a.unite({0, 50, 5, 100}), (BBox{0, 20, 40, 130}));
    EXPECT_EQ(a.intersectionArea({20, 30, 100, 100}), 20.0 * 30.0);
    EXPECT_EQ(a.intersectionArea({40, 20, 10, 10}), 0);  // touching edges only
    EXPECT_EQ(a.intersectionArea({100, 100, 5, 5}), 0);
    EXPECT_EQ(BBox::fromRect(10, 10, -4, -6), (BBox{6, 4, 4, 6}));

    const BBox thin{5, 5, 0, 10};
    EXPECT_TRUE(thin.contains(5, 5));
    EXPECT_TRUE(thin.contains(5, 15));
    EXPECT_FALSE(thin.contains(5.01, 10));
}

TEST(Table, GridPlacesAnchorsAndJoinsDuplicates)
{
    const struct {
        const char* name;
        Table t;
        std::vector<std::vector<std::string>> want;
    } cases[] = {
        {"spans leave slots empty", table(2, 2, {cell(0, 0, "A", 2, 2)}), {{"A", ""}, {"", ""}}},
        {"two cells on one slot", table(1, 1, {cell(0, 0, "x"), cell(0, 0, "y")}), {{"x y"}}},
        {"empty first text", table(1, 1, {cell(0, 0, ""), cell(0, 0, "y")}), {{"y"}}},
        {"anchor outside", table(1, 1, {cell(1, 0, "out"), cell(0, 3, "out"), cell(-1, 0, "out")}), {{""}}},
        {"negative size", table(-2, 3, {cell(0, 0, "a")}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.t.grid(), c.want);
    }
}

TEST(Table, FlagsOtherThanEditedMarkACell)
{
    Cell c = cell(0, 0, "x");
    EXPECT_FALSE(c.isFlagged());
    EXPECT_FALSE(c.has(CellFlag::edited));
    c.flags = std::vector{CellFlag::edited};
    EXPECT_FALSE(c.isFlagged());
    EXPECT_TRUE(c.has(CellFlag::edited));
    c.flags->push_back(CellFlag::typeMismatch);
    EXPECT_TRUE(c.isFlagged());
}

TEST(EngineOutput, SelectsTheLargestTableFirstOnTie)
{
    EngineOutput none("id", "B", 1, 1, 0, {}, {}, {});
    EXPECT_FALSE(none.selectedTable);
    EXPECT_EQ(none.selected(), nullptr);

    EngineOutput two("id", "B", 1, 1, 0, {table(3, 4), table(4, 3)}, {}, {});
    EXPECT_EQ(two.selectedTable, 0);
    EngineOutput three("id", "B", 1, 1, 0, {table(3, 4), table(4, 3), table(5, 3)}, {}, {});
    EXPECT_EQ(three.selectedTable, 2);
    EXPECT_EQ(three.selected()->rows, 5);

    three.selectedTable = 7;
    EXPECT_EQ(three.selected(), nullptr);
}

TEST(CellRef, NamesColumnsAndRanges)
{
    const struct {
        int index;
        const char* want;
    } columns[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {27, "AB"}, {701, "ZZ"}, {702, "AAA"}, {18277, "ZZZ"}, {-1, ""}};
    for (const auto& c : columns) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(CellRef::column(c.index), c.want);
    }
    EXPECT_EQ(CellRef::a1(0, 1), "B1");
    EXPECT_EQ(CellRef::a1(cell(2, 0, "")), "A3");

    const struct {
        Cell c;
        const char* want;
    } ranges[] = {
        {cell(0, 0, ""), "A1"},
        {cell(0, 0, "", 3, 2), "A1:B3"},
        {cell(1, 0, "", 2, 2), "A2:B3"},
        {cell(4, 2, "", 0, 0), "C5"},
    };
    for (const auto& r : ranges) {
        SCOPED_TRACE(r.want);
        EXPECT_EQ(CellRef::range(r.c), r.want);
    }
}

TEST(Table, LeadingHeaderRows)
{
    const struct {
        const char* name;
        Table t;
        int want;
    } cases[] = {
        {"no rows", table(0, 2), 0},
        {"two header rows", table(3, 1, {cell(0, 0, "a", 1, 1, true), cell(1, 0, "b", 1, 1, true), cell(2, 0, "c")}), 2},
        {"first row without anchor", table(2, 1, {cell(0, 0, "a", 2, 1, true)}), 1},
        {"row 0 empty", table(2, 1, {cell(1, 0, "b", 1, 1, true)}), 0},
        {"one cell header absent", table(2, 2, {cell(0, 0, "a", 1, 1, true), cell(0, 1, "b")}), 0},
        {"every row header", table(1, 1, {cell(0, 0, "a", 1, 1, true)}), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.t.leadingHeaderRows(), c.want);
    }
}

TEST(Table, ColumnHeaderLabelsSpreadSpanningHeaders)
{
    const Table t = table(3, 3,
                          {cell(0, 0, "Name", 2, 1, true), cell(0, 1, " Sales ", 1, 2, true), cell(1, 1, "Q1", 1, 1, true),
                           cell(1, 2, "Q2", 1, 1, true), cell(2, 0, "Ann"), cell(2, 1, "1"), cell(2, 2, "2")});
    EXPECT_EQ(t.columnHeaderLabels(2, " / "), (std::vector<std::string>{"Name", "Sales / Q1", "Sales / Q2"}));
    EXPECT_EQ(t.columnHeaderLabels(0, "/"), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(t.columnHeaderLabels(9, "/").size(), 3u);  // clamped to the rows

    // A header repeating the kept text above it is not repeated.
    const Table repeat = table(2, 1, {cell(0, 0, "Qty", 1, 1, true), cell(1, 0, "Qty", 1, 1, true)});
    EXPECT_EQ(repeat.columnHeaderLabels(2, " "), (std::vector<std::string>{"Qty"}));
    EXPECT_TRUE(table(2, 0).columnHeaderLabels(1, " ").empty());
}

TEST(Table, StoredSizesUpToTheSlotLimit)
{
    const struct {
        long long rows;
        long long cols;
        bool accepted;
    } cases[] = {
        {10'000, 52, true},  // thousands of rows by dozens of columns
        {1, Table::maxSlots, true},
        {Table::maxSlots / 64, 64, true},
        {Table::maxSlots / 64 + 1, 64, false},
        {Table::maxSlots + 1, 1, false},
        {0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.cols));
        const nlohmann::json j = {{"index", 0}, {"rows", c.rows}, {"cols", c.cols}, {"cells", nlohmann::json::array()}};
        if (c.accepted) {
            EXPECT_EQ(j.get<Table>().rows * static_cast<long long>(j.get<Table>().cols), c.rows * c.cols);
        } else {
            EXPECT_THROW(j.get<Table>(), nlohmann::json::out_of_range);
        }
    }
}
