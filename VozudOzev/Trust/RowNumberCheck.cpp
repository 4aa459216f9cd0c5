#include "VozudOzev/Trust/RowNumberCheck.hpp"

#include "VozudOzev/Locale/NumberParser.hpp"

#include <algorithm>
#include <optional>

namespace VozudOzev::RowNumberCheck {

std::vector<GridPosition> missingCells(const std::vector<std::vector<std::string>>& grid, const std::vector<int>& dataRows,
                                       const TableLocale& locale, const std::set<int>& excludedRows)
{
    std::vector<GridPosition> out;
    std::vector<int> rows;
    for (int r : dataRows)
        if (r >= 0 && static_cast<size_t>(r) < grid.size() && !excludedRows.count(r))
            rows.push_back(r);
    if (rows.empty())
        return out;
    size_t columnCount = 0;
    for (const auto& row : grid)
        columnCount = std::max(columnCount, row.size());

    static const std::string none;
    for (size_t c = 0; c < columnCount; ++c) {
        const int col = static_cast<int>(c);
        const auto textAt = [&](int r) -> const std::string& {
            const auto& row = grid[static_cast<size_t>(r)];
            return c < row.size() ? row[c] : none;
        };
        std::optional<Decimal> offset;
        int numbered = 0;
        std::vector<size_t> blanks;  // positions in rows
        bool numbering = true;
        for (size_t i = 0; i < rows.size() && numbering; ++i) {
            const CellValue v = locale.classify(textAt(rows[i]), col);
            if (v.kind == CellValue::Kind::empty) {
                blanks.push_back(i);
                continue;
            }
            const bool whole = v.kind == CellValue::Kind::number && v.number->kind == NumberKind::number && v.number->fractionDigits == 0 &&
                               v.number->value >= Decimal(1);
            if (!whole) {
                numbering = false;
                break;
            }
            const Decimal here = v.number->value - Decimal(rows[i]);
            if (offset && *offset != here) {
                numbering = false;
                break;
            }
            offset = here;
            ++numbered;
        }
        if (!numbering || numbered < 3)
            continue;
        size_t lastFilled = 0;
        for (size_t i = 0; i < rows.size(); ++i)
            if (!NumberParser::normalizeSpaces(textAt(rows[i])).empty())
                lastFilled = i;
        std::vector<GridPosition> missing;
        for (size_t i : blanks)
            if (i < lastFilled && Decimal(rows[i]) + *offset >= Decimal(1))
                missing.push_back({rows[i], col});
        if (static_cast<int>(missing.size()) > numbered)
            continue;
        out.insert(out.end(), missing.begin(), missing.end());
    }
    return out;
}

}  // namespace VozudOzev::RowNumberCheck
