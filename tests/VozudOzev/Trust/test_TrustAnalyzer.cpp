#include "VozudOzev/Trust/TrustAnalyzer.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using Grid = std::vector<std::vector<std::string>>;

// A table with one cell per slot; confidence 0.95 unless given.
Table tableOf(const Grid& grid, int markedHeaderRows = 0)
{
    Table t;
    t.index = 3;
    t.rows = static_cast<int>(grid.size());
    for (const auto& row : grid)
        t.cols = std::max(t.cols, static_cast<int>(row.size()));
    t.bbox = BBox{1, 2, 300, 200};
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < static_cast<int>(grid[static_cast<size_t>(r)].size()); ++c) {
            Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = grid[static_cast<size_t>(r)][static_cast<size_t>(c)];
            cell.confidence = 0.95;
            if (r < markedHeaderRows)
                cell.header = true;
            t.cells.push_back(cell);
        }
    return t;
}

Cell& cellAt(Table& t, int row, int col)
{
    for (Cell& c : t.cells)
        if (c.row == row && c.col == col)
            return c;
    throw std::out_of_range("no cell");
}

std::pair<Table, TrustReport> analyze(const Table& t, TrustOptions options = {})
{
    return TrustAnalyzer::analyze(t, 0.8, {}, options);
}

TEST(TrustAnalyzer, GuessesHeaderRows)
{
    const struct {
        std::string name;
        Grid grid;
        int want;
    } cases[] = {
        {"years are a header", {{"2019", "2020", "2021"}, {"1,234.50", "2,345.60", "3,456.70"}, {"10", "20", "30"}}, 1},
        {"a word header", {{"Name", "Amount"}, {"a", "10"}, {"b", "20"}}, 1},
        {"values from the start", {{"a", "10"}, {"b", "20"}, {"c", "30"}}, 0},
        {"two header rows", {{"Sales", ""}, {"Name", "Amount"}, {"a", "10"}}, 2},
        {"nothing but words", {{"a", "b"}, {"c", "d"}, {"e", "f"}}, 1},
        {"one row of words", {{"a", "b"}}, 1},
        {"one row of values", {{"5", "6"}}, 0},
        {"two rows, value second", {{"a"}, {"5"}}, 1},
        {"a percentage is a value", {{"Year", "2019"}, {"Share", "5%"}}, 1},
        {"empty table", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(analyze(tableOf(c.grid)).second.headerRows, c.want);
    }
    // Marked header rows win over the guess; the option wins over both.
    const Grid grid = {{"a", "b"}, {"c", "d"}, {"1", "2"}};
    EXPECT_EQ(analyze(tableOf(grid, 2)).second.headerRows, 2);
    TrustOptions options;
    options.headerRows = 0;
    EXPECT_EQ(analyze(tableOf(grid, 2), options).second.headerRows, 0);
    options.headerRows = 10;
    EXPECT_EQ(analyze(tableOf(grid), options).second.headerRows, 3);
}

TEST(TrustAnalyzer, FlagsLowConfidenceStrictlyBelowTheThreshold)
{
    Table t = tableOf({{"Name", "Amount"}, {"a", "10"}, {"b", "20"}, {"", "30"}});
    cellAt(t, 1, 1).confidence = 0.79;
    cellAt(t, 2, 1).confidence = 0.8;
    cellAt(t, 3, 0).confidence = 0.1;  // blank: never flagged
    cellAt(t, 2, 0).confidence = std::nullopt;
    const auto [out, report] = analyze(t);
    EXPECT_EQ(cellAt(const_cast<Table&>(out), 1, 1).flags, std::vector<CellFlag>{CellFlag::lowConfidence});
    EXPECT_EQ(cellAt(const_cast<Table&>(out), 2, 1).flags, std::nullopt);
    EXPECT_EQ(cellAt(const_cast<Table&>(out), 3, 0).flags, std::nullopt);
    EXPECT_EQ(report.lowConfidenceCount, 1);
    EXPECT_EQ(report.flaggedPositions, (std::vector<GridPosition>{{1, 1}}));
    EXPECT_FALSE(report.isReviewed());
}

TEST(TrustAnalyzer, FlagsTypeAndTotalMismatches)
{
    Table t = tableOf({{"Item", "Amount", "Date"},
                       {"a", "10.50", "25/03/2024"},
                       {"b", "1.234,5", "26/03/2024"},
                       {"c", "20.25", "03/27/2024"},
                       {"d", "abc", "28/03/2024"},
                       {"e", "29.25", "29/03/2024"},
                       {"Total", "99", ""}});
    const auto [out, report] = analyze(t);
    EXPECT_EQ(report.headerRows, 1);
    ASSERT_EQ(report.columnTypes.size(), 3u);
    EXPECT_EQ(report.columnTypes[1].type, ColumnType::number);
    EXPECT_EQ(report.columnTypes[2].type, ColumnType::date);
    const std::vector<GridPosition> want = {{2, 1}, {3, 2}, {4, 1}, {6, 1}};
    EXPECT_EQ(report.flaggedPositions, want);
    EXPECT_EQ(report.typeMismatchCount, 3);
    EXPECT_EQ(report.totalMismatchCount, 1);
    EXPECT_EQ(report.flaggedCount, 4);
    ASSERT_EQ(report.totals.size(), 1u);
    EXPECT_EQ(report.totals[0].columns.at(0).expected, Decimal(60));
    EXPECT_EQ(report.totals[0].columns.at(0).terms, 3);
    Table copy = out;
    EXPECT_EQ(cellAt(copy, 6, 1).flags, std::vector<CellFlag>{CellFlag::totalMismatch});
    EXPECT_EQ(cellAt(copy, 3, 2).flags, std::vector<CellFlag>{CellFlag::typeMismatch});
}

TEST(TrustAnalyzer, ForgivesANumberWrittenInATotalLabel)
{
    const Table t = tableOf({{"Item", "Amount"},
                             {"a", "1.234"},
                             {"b", "2.000"},
                             {"c", "3.000"},
                             {"d", "4.000"},
                             {"e", "Total 5"},
                             {"Total", "Total 10.234"}});
    LocaleOverrides o;
    o.numberStyle = NumberStyle::commaDecimal;
    const auto [out, report] = TrustAnalyzer::analyze(t, 0.8, o, {});
    // "Total 10.234" stands in a total row; "Total 5" in the same column of a data row
    // does not (its row's first text cell is "e").
    EXPECT_EQ(report.columnTypes.at(1).type, ColumnType::number);
    EXPECT_EQ(report.flaggedPositions, (std::vector<GridPosition>{{5, 1}}));
}

TEST(TrustAnalyzer, EditedCellsKeepTheirMarkLast)
{
    Table t = tableOf({{"Item", "Amount"}, {"a", "10"}, {"b", "abc"}, {"c", "30"}, {"d", "40"}});
    cellAt(t, 2, 1).flags = std::vector<CellFlag>{CellFlag::edited, CellFlag::lowConfidence};
    cellAt(t, 2, 1).confidence = 0.1;
    cellAt(t, 1, 1).flags = std::vector<CellFlag>{CellFlag::edited};
    cellAt(t, 1, 1).confidence = 0.1;
    cellAt(t, 3, 1).flags = std::vector<CellFlag>{CellFlag::totalMismatch};  // stale
    const auto [out, report] = analyze(t);
    Table copy = out;
    EXPECT_EQ(cellAt(copy, 2, 1).flags, (std::vector<CellFlag>{CellFlag::typeMismatch, CellFlag::edited}));
    EXPECT_EQ(cellAt(copy, 1, 1).flags, std::vector<CellFlag>{CellFlag::edited});
    EXPECT_EQ(cellAt(copy, 3, 1).flags, std::nullopt);
    EXPECT_EQ(report.flaggedCount, 1);
    EXPECT_EQ(report.lowConfidenceCount, 0);
}

TEST(TrustAnalyzer, ReanalysisChangesNothing)
{
    Table t = tableOf({{"#", "Item", "Amount"}, {"1", "a", "10"}, {"", "b", "abc"}, {"3", "c", "30"}, {"4", "d", "40"}, {"", "Total", "85"}});
    cellAt(t, 3, 2).confidence = 0.5;
    const auto [once, first] = analyze(t);
    const auto [twice, second] = analyze(once);
    EXPECT_EQ(once, twice);
    EXPECT_EQ(first, second);
    // The missing row number is a type mismatch; the total row is left out of the run.
    EXPECT_EQ(first.flaggedPositions, (std::vector<GridPosition>{{2, 0}, {2, 2}, {3, 2}, {5, 2}}));
    // Only flags change: texts, order, size, index and box stay.
    ASSERT_EQ(once.cells.size(), t.cells.size());
    for (size_t i = 0; i < t.cells.size(); ++i) {
        EXPECT_EQ(once.cells[i].text, t.cells[i].text);
        EXPECT_EQ(once.cells[i].row, t.cells[i].row);
        EXPECT_EQ(once.cells[i].col, t.cells[i].col);
        EXPECT_EQ(once.cells[i].confidence, t.cells[i].confidence);
    }
    EXPECT_EQ(once.index, t.index);
    EXPECT_EQ(once.bbox, t.bbox);
    EXPECT_EQ(once.rows, t.rows);
    EXPECT_EQ(once.cols, t.cols);
}

TEST(TrustAnalyzer, ReadsRealisticTables)
{
    // Vietnamese amounts with a wrong total and a resolved comma style.
    const Table vi = tableOf({{"#", "Nhân viên", "Chi phí", "Tỷ lệ"},
                              {"1", "Vũ Đức Thắng", "7.772.000 ₫", "18,5%"},
                              {"2", "Lê Thị Hoa", "1.907.500 ₫", "2,5%"},
                              {"3", "Trần Văn Nam", "174.500 ₫", "33%"},
                              {"", "Tổng cộng", "9.845.000 ₫", ""}});
    const auto [viOut, viReport] = TrustAnalyzer::analyze(vi, 0.8, LocaleOverrides{{}, {}, {}, {}, "en_US"}, {});
    EXPECT_EQ(viReport.locale.tableNumberStyle, NumberStyle::commaDecimal);
    EXPECT_EQ(viReport.columnTypes[2].type, ColumnType::currency);
    EXPECT_EQ(viReport.columnTypes[3].type, ColumnType::percent);
    EXPECT_EQ(viReport.flaggedPositions, (std::vector<GridPosition>{{4, 2}}));
    EXPECT_EQ(viReport.totals.at(0).columns.at(0).expected, Decimal(9'854'000));

    // German comma decimals with a correct total.
    const Table de = tableOf({{"Artikel", "Preis"}, {"Stift", "1.529,00 €"}, {"Heft", "85,00 €"}, {"Summe", "1.614,00 €"}});
    const auto deReport = TrustAnalyzer::analyze(de, 0.8, {}, {}).second;
    EXPECT_TRUE(deReport.isReviewed());
    EXPECT_TRUE(deReport.totals.at(0).passed());

    // US dates that only read month first, and an ambiguous date column.
    const Table us = tableOf({{"Date", "Due"}, {"07/28/2023", "05/03/2024"}, {"01/17/2025", "06/04/2024"}, {"02/14/2024", "07/08/2024"}});
    const auto usReport = TrustAnalyzer::analyze(us, 0.8, LocaleOverrides{{}, {}, {}, {}, "en_GB"}, {}).second;
    EXPECT_EQ(usReport.locale.columns[0].date.order, DateOrder::mdy);
    EXPECT_EQ(usReport.ambiguousDateColumns, std::vector<int>{1});
    EXPECT_TRUE(usReport.isReviewed());
    EXPECT_EQ(JSONIO::decode<TrustReport>(JSONIO::encode(usReport)), usReport);
}

TEST(TrustAnalyzer, LastRowTotalOnlyWithoutALabelledOne)
{
    const Table t = tableOf({{"Item", "Amount"}, {"a", "10"}, {"b", "20"}, {"", "31"}});
    TrustOptions options;
    options.lastRowIsTotal = true;
    const auto report = analyze(t, options).second;
    ASSERT_EQ(report.totals.size(), 1u);
    EXPECT_TRUE(report.totals[0].passed());
    EXPECT_TRUE(report.isReviewed());
}

}  // namespace
}  // namespace VozudOzev
