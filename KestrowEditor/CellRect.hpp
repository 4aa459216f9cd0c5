#pragma once

#include "KestrowEditor/CellPos.hpp"

#include <cstddef>
#include <functional>

namespace KestrowEditor {

// An inclusive rectangle of slots; min <= max on both axes.
struct CellRect {
    int minRow = 0;
    int minCol = 0;
    int maxRow = 0;
    int maxCol = 0;

    CellRect() = default;
    // The rectangle between two corners, in either order.
    CellRect(CellPos a, CellPos b);
    // A cell's rectangle; a span below 1 counts as 1, a far edge past the int range stops there.
    static CellRect fromSpan(int row, int col, int rowSpan, int colSpan);

    CellPos origin() const { return {minRow, minCol}; }
    int rowCount() const;
    int colCount() const;
    bool isSingle() const { return minRow == maxRow && minCol == maxCol; }

    bool contains(CellPos pos) const
    {
        return minRow <= pos.row && pos.row <= maxRow && minCol <= pos.col && pos.col <= maxCol;
    }
    bool contains(const CellRect& o) const
    {
        return o.minRow >= minRow && o.maxRow <= maxRow && o.minCol >= minCol && o.maxCol <= maxCol;
    }
    // Shared edges count: bounds are inclusive.
    bool intersects(const CellRect& o) const
    {
        return o.maxRow >= minRow && maxRow >= o.minRow && o.maxCol >= minCol && maxCol >= o.minCol;
    }
    CellRect unite(const CellRect& o) const;

    bool operator==(const CellRect&) const = default;
};

}  // namespace KestrowEditor

template <>
struct std::hash<KestrowEditor::CellRect> {
    std::size_t operator()(const KestrowEditor::CellRect& r) const noexcept
    {
        std::hash<KestrowEditor::CellPos> h;
        return h({r.minRow, r.minCol}) * 31 + h({r.maxRow, r.maxCol});
    }
};
