#pragma once

#include "VozudOzev/Locale/CellValue.hpp"
#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Trust/ColumnTypeInfo.hpp"

#include <optional>
#include <string>
#include <vector>

// Types every column of a grid by the family most of its values belong to.
namespace VozudOzev::ColumnTypeInference {

inline constexpr double defaultMinShare = 0.6;

// One entry per column (the longest row decides how many). Only the listed rows count.
std::vector<ColumnTypeInfo> infer(const std::vector<std::vector<std::string>>& grid, const std::vector<int>& rows, const TableLocale& locale,
                                  double minShare);

// Nothing for empty cells and placeholders.
std::optional<ColumnFamily> family(const CellValue& value);
// A foreign value mismatches any typed column; text and empty columns accept anything.
bool isMismatch(const CellValue& value, ColumnType type);

}  // namespace VozudOzev::ColumnTypeInference
