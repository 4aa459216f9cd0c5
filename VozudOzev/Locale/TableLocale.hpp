#pragma once

#include "VozudOzev/Locale/CellValue.hpp"
#include "VozudOzev/Locale/ColumnLocale.hpp"
#include "VozudOzev/Locale/LocaleSource.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace VozudOzev {

// The resolved reading of a table: a number style for the whole table and one entry per
// column. Made by TableLocaleResolver.
struct TableLocale {
    NumberStyle tableNumberStyle = NumberStyle::dotDecimal;
    LocaleSource tableNumberSource = LocaleSource::fallback;
    std::vector<ColumnLocale> columns;

    // The column's entry; outside the list a neutral one (dot, "override", day first).
    ColumnLocale locale(int col) const;

    // A cell read under its column; a column outside the list reads under the table
    // style and day first.
    CellValue classify(std::string_view text, int col) const;
    // Dates as "YYYY-MM-DD", numbers in their normalised form, anything else unchanged.
    std::string normalizedText(std::string_view text, int col) const;
    // Header rows copied as they are; every row keeps its length.
    std::vector<std::vector<std::string>> normalizedGrid(const std::vector<std::vector<std::string>>& grid, int headerRows) const;

    // "-", "n/a", "—" and the like, in any case and spacing.
    static bool isPlaceholder(std::string_view text);

    bool operator==(const TableLocale&) const = default;
};

void to_json(nlohmann::json& j, const TableLocale& t);
void from_json(const nlohmann::json& j, TableLocale& t);

}  // namespace VozudOzev
