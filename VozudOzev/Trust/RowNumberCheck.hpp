#pragma once

#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Trust/GridPosition.hpp"

#include <set>
#include <string>
#include <vector>

// Finds columns that number the rows (rising by one per grid row) and the blank cells
// where such a column skips a number.
namespace VozudOzev::RowNumberCheck {

// Ordered by column, then by the order of dataRows. Excluded rows (totals) are left out
// of the run instead of breaking it.
std::vector<GridPosition> missingCells(const std::vector<std::vector<std::string>>& grid, const std::vector<int>& dataRows,
                                       const TableLocale& locale, const std::set<int>& excludedRows);

}  // namespace VozudOzev::RowNumberCheck
