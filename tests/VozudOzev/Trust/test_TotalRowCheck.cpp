#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"
#include "VozudOzev/Trust/ColumnTypeInference.hpp"
#include "VozudOzev/Trust/TotalRowCheck.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using Grid = std::vector<std::vector<std::string>>;

Decimal d(const char* text)
{
    return *Decimal::parse(text);
}

std::vector<TotalCheckResult> runCheck(const Grid& grid, int headerRows, bool lastRowIsTotal = false,
                                       std::optional<Decimal> tolerance = std::nullopt)
{
    const TableLocale locale = TableLocaleResolver::resolve(grid, headerRows, {});
    std::vector<int> body;
    for (int r = headerRows; r < static_cast<int>(grid.size()); ++r)
        body.push_back(r);
    const auto types = ColumnTypeInference::infer(grid, body, locale, 0.6);
    return TotalRowCheck::check(grid, headerRows, locale, types, lastRowIsTotal, tolerance);
}

TEST(TotalRowCheck, ComparesTotalsWithTheSumAbove)
{
    const struct {
        std::string found;
        bool ok;
        const char* expected;
    } cases[] = {{"30", true, "30"}, {"31", true, "30"}, {"32", false, "30"}, {"29", true, "30"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.found);
        const Grid grid = {{"Item", "Amount"}, {"a", "10"}, {"b", "20"}, {"Total", c.found}};
        const auto results = runCheck(grid, 1);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].row, 3);
        EXPECT_EQ(results[0].label, "Total");
        ASSERT_EQ(results[0].columns.size(), 1u);
        const TotalColumnResult& r = results[0].columns[0];
        EXPECT_EQ(r.col, 1);
        EXPECT_EQ(r.expected, d(c.expected));
        EXPECT_EQ(r.found, d(c.found.c_str()));
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.terms, 2);
        EXPECT_EQ(results[0].passed(), c.ok);
    }
}

TEST(TotalRowCheck, ScalesTheToleranceWithTheDecimals)
{
    for (const auto& [found, ok] : {std::pair{"3.76", true}, {"3.80", false}}) {
        SCOPED_TRACE(found);
        const Grid grid = {{"Item", "Amount"}, {"a", "1.25"}, {"b", "2.50"}, {"Total", found}};
        const auto results = runCheck(grid, 1);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].columns.at(0).ok, ok);
    }
    EXPECT_EQ(TotalRowCheck::defaultTolerance({}), Decimal(1));
    // An explicit tolerance replaces the computed one.
    const Grid grid = {{"Item", "Amount"}, {"a", "10"}, {"b", "20"}, {"Total", "30.5"}};
    EXPECT_FALSE(runCheck(grid, 1, false, d("0.1")).at(0).columns.at(0).ok);
}

TEST(TotalRowCheck, GrandTotalsMatchAllRowsOrTheSubtotals)
{
    const Grid grid = {{"Item", "Amount"}, {"a", "10"},        {"b", "20"},          {"Subtotal", "30"},
                       {"c", "5"},         {"d", "7"},         {"Subtotal", "12"},   {"Grand total", "42"}};
    const auto results = runCheck(grid, 1);
    ASSERT_EQ(results.size(), 3u);
    for (const auto& r : results) {
        SCOPED_TRACE(r.row);
        EXPECT_TRUE(r.passed());
    }
    EXPECT_EQ(results[2].columns.at(0).terms, 4);  // all data rows above
    // A subtotal carried forward: the second total counts the first one plus its own section.
    const Grid running = {{"Item", "Amount"}, {"a", "10"}, {"Total", "10"}, {"b", "5"}, {"Total", "15"}};
    const auto carried = runCheck(running, 1);
    ASSERT_EQ(carried.size(), 2u);
    EXPECT_TRUE(carried[1].passed());
}

TEST(TotalRowCheck, DerivedAndTopTotalsAreUnverifiable)
{
    const Grid derived = {{"Item", "Amount"}, {"Revenue", "100"}, {"Costs", "60"}, {"Total net profit", "40"}};
    const auto d1 = runCheck(derived, 1);
    ASSERT_EQ(d1.size(), 1u);
    EXPECT_TRUE(d1[0].columns.empty());
    EXPECT_EQ(d1[0].unverifiableColumns, std::vector<int>{1});
    EXPECT_TRUE(d1[0].passed());

    const Grid top = {{"Item", "Amount"}, {"Total", "99"}, {"a", "10"}, {"b", "20"}};
    const auto t1 = runCheck(top, 1);
    ASSERT_EQ(t1.size(), 1u);
    EXPECT_EQ(t1[0].unverifiableColumns, std::vector<int>{1});

    const Grid topOk = {{"Item", "Amount"}, {"Total", "30"}, {"a", "10"}, {"b", "20"}};
    EXPECT_TRUE(runCheck(topOk, 1).at(0).columns.at(0).ok);
}

TEST(TotalRowCheck, SkipsColumnsThatAreNoSums)
{
    // An average cell, a running index, a percent column and a column left of the label.
    const Grid grid = {{"#", "Code", "Item", "Qty", "Price", "Share"},
                       {"1", "7", "a", "10", "2.50", "10%"},
                       {"2", "8", "b", "20", "3.50", "20%"},
                       {"3", "9", "c", "30", "4.50", "70%"},
                       {"6", "99", "Total", "60", "average 3.50", "100%"}};
    const auto results = runCheck(grid, 1);
    ASSERT_EQ(results.size(), 1u);
    ASSERT_EQ(results[0].columns.size(), 1u);
    EXPECT_EQ(results[0].columns[0].col, 3);
    EXPECT_TRUE(results[0].columns[0].ok);
}

TEST(TotalRowCheck, LastRowTotalNeedsARowAboveIt)
{
    const Grid grid = {{"Item", "Amount"}, {"a", "10"}, {"b", "20"}, {"", "31"}};
    EXPECT_TRUE(runCheck(grid, 1).empty());
    const auto results = runCheck(grid, 1, true);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].label, std::nullopt);
    EXPECT_TRUE(results[0].columns.at(0).ok);
    const TableLocale locale = TableLocaleResolver::resolve(grid, 1, {});
    EXPECT_TRUE(TotalRowCheck::totalRows({{"h"}, {"5"}}, 1, locale, true).empty());  // the last row is the first body row
}

TEST(TotalRowCheck, RecognisesTotalLabels)
{
    const struct {
        std::string text;
        bool want;
    } cases[] = {
        {"Total", true},          {"TOTAL", true},          {"Total revenue", true},   {"Subtotal:", true},
        {"Grand Total", true},    {"totally wrong", false}, {"Totals", true},          {"sum 2024", true},
        {"Sum", true},            {"summary", false},       {"Tổng cộng", true},       {"TỔNG CỘNG", true},
        {"Tong so", true},        {"Cộng", true},           {"Cộng tiền", true},       {"Gesamtsumme", true},
        {"合计金额", true},        {"合計", true},            {"Subtotals", false},       {"  total  ", true},
        {"", false},              {"Totem", false},         {"Somme", true},           {"Tot.", true},
        {"Tổng", true},           {"Tổng\u0301", true},     {"Item", false},           {"Insgesamt", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TotalRowCheck::isTotalLabel(c.text), c.want);
    }
}

TEST(TotalRowCheck, RecognisesMarkers)
{
    EXPECT_TRUE(TotalRowCheck::hasNotSumMarker("Average"));
    EXPECT_TRUE(TotalRowCheck::hasNotSumMarker("Ø 12,5"));
    EXPECT_TRUE(TotalRowCheck::hasNotSumMarker("Trung bình"));
    EXPECT_TRUE(TotalRowCheck::hasNotSumMarker("TB: 5"));
    EXPECT_FALSE(TotalRowCheck::hasNotSumMarker("meanwhile 5"));
    EXPECT_FALSE(TotalRowCheck::hasNotSumMarker("1.234"));
    EXPECT_TRUE(TotalRowCheck::isDerived("Total net profit"));
    EXPECT_TRUE(TotalRowCheck::isDerived("Lợi nhuận gộp"));
    EXPECT_TRUE(TotalRowCheck::isDerived("EBITDA"));
    EXPECT_FALSE(TotalRowCheck::isDerived("Network total"));
    EXPECT_FALSE(TotalRowCheck::isDerived(std::nullopt));
}

TEST(TotalRowCheck, IndexColumnsAndSums)
{
    const auto n = [](const char* t) { return *NumberParser::parse(t, NumberStyle::dotDecimal); };
    EXPECT_TRUE(TotalRowCheck::isIndexColumn({n("1"), n("2"), n("3")}));
    EXPECT_FALSE(TotalRowCheck::isIndexColumn({n("1"), n("2")}));
    EXPECT_FALSE(TotalRowCheck::isIndexColumn({n("1"), n("3"), n("4")}));
    EXPECT_FALSE(TotalRowCheck::isIndexColumn({n("1.0"), n("2.0"), n("3.0")}));
    EXPECT_FALSE(TotalRowCheck::isIndexColumn({n("$1"), n("$2"), n("$3")}));
    EXPECT_EQ(TotalRowCheck::sum({n("0.1"), n("0.2")}), d("0.3"));
    EXPECT_EQ(TotalRowCheck::defaultTolerance({n("3.76"), n("1.25"), n("2.50")}), d("0.015"));
    EXPECT_EQ(TotalRowCheck::defaultTolerance({n("3.8"), n("1.2")}), d("0.1"));
}

TEST(TotalRowCheck, ResultsRoundTripThroughJSON)
{
    const Grid grid = {{"Item", "Amount"}, {"a", "1.25"}, {"b", "2.50"}, {"Total", "3.80"}};
    const auto results = runCheck(grid, 1);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(JSONIO::decode<TotalCheckResult>(JSONIO::encode(results[0])), results[0]);
    EXPECT_EQ(results[0].mismatchedColumns(), std::vector<int>{1});
}

}  // namespace
}  // namespace VozudOzev
