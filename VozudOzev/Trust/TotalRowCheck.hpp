#pragma once

#include "VozudOzev/Locale/Decimal.hpp"
#include "VozudOzev/Locale/ParsedNumber.hpp"
#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Trust/ColumnTypeInfo.hpp"
#include "VozudOzev/Trust/TotalCheckResult.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Finds the rows that carry totals and checks each number and currency column against a
// sum of the numbers above it (or below, for a total at the top). Changes nothing.
namespace VozudOzev::TotalRowCheck {

struct TotalRow {
    int row = 0;
    std::optional<std::string> label;
    std::optional<int> labelCol;

    bool operator==(const TotalRow&) const = default;
};

// One result per total row that compared or gave up on at least one column.
std::vector<TotalCheckResult> check(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                    const std::vector<ColumnTypeInfo>& types, bool lastRowIsTotal, const std::optional<Decimal>& tolerance);

std::vector<TotalRow> totalRows(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                bool lastRowIsTotal);

// "Total", "Subtotal:", "Tổng cộng", "合计…"; not "totally" or "summary".
bool isTotalLabel(std::string_view text);
// "average", "Ø", "trung bình": a figure that is not a sum.
bool hasNotSumMarker(std::string_view text);
// "net profit", "EBITDA", "lãi gộp": a figure derived from the sum, not the sum itself.
bool isDerived(const std::optional<std::string>& text);
// The row's first text cell, space-normalised, with its column.
std::optional<std::pair<std::string, int>> label(const std::vector<std::string>& row, const TableLocale& locale);
// A running index 1, 2, 3, … (more than two plain whole numbers, each one more).
bool isIndexColumn(const std::vector<ParsedNumber>& values);
Decimal sum(const std::vector<ParsedNumber>& values);
// Half a unit of the finest fraction per value, at least one unit; 1 for whole numbers.
Decimal defaultTolerance(const std::vector<ParsedNumber>& values);

}  // namespace VozudOzev::TotalRowCheck
