#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <string>

namespace KestrowEditor {

// A slot of the grid, 0-based; ordered row-major.
struct CellPos {
    int row = 0;
    int col = 0;

    CellPos() = default;
    CellPos(int row, int col) : row(row), col(col) {}

    // "B3": column letters, then the 1-based row.
    std::string description() const;
    // Spreadsheet letters of a 0-based column; "" below 0.
    static std::string columnName(int col);

    auto operator<=>(const CellPos&) const = default;
};

}  // namespace KestrowEditor

template <>
struct std::hash<KestrowEditor::CellPos> {
    std::size_t operator()(const KestrowEditor::CellPos& p) const noexcept
    {
        return std::hash<long long>{}((static_cast<long long>(p.row) << 32) ^ static_cast<unsigned>(p.col));
    }
};
