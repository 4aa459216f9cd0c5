#pragma once

#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <functional>
#include <optional>
#include <string_view>

// Which cell texts a workbook stores as numbers, read under the table's own number style.
// Pure functions: a text that cannot be read gives no number, never an error.
namespace VozudOzev::XLSXNumbers {

// The most ASCII digits a text may hold and still become a number: a spreadsheet keeps
// 15 significant digits, so longer runs (account numbers, IDs) would be corrupted.
inline constexpr int maxDigits = 15;

// (cell text, column index) to a value, or nothing when the text stays text.
using CellParser = std::function<std::optional<double>(std::string_view, int)>;

// Resolves the table's locale once and returns a reader bound to it.
CellParser cellParser(const Table& table, int headerRows, const LocaleOverrides& overrides);

// Bracketed marks, long digit runs, magnitude words ("5k") and leading zeros ("0042").
bool mustStayText(std::string_view text);

// One cell under a resolved locale: the column's style, or the table's for a column
// outside the list. A text the two styles read differently stays text when the style is
// only a fallback; currencies and percentages stay text.
std::optional<double> value(std::string_view text, int col, const TableLocale& locale);

}  // namespace VozudOzev::XLSXNumbers
