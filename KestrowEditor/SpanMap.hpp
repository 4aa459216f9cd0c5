#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace KestrowEditor {

// For every slot of the grid, the index of the cell covering it; the first cover in list
// order wins. Rebuilt whole after each change, never patched.
class SpanMap {
public:
    // Larger grids are refused: the map alone would take more than 64 MB.
    static constexpr std::size_t maxSlots = std::size_t{1} << 24;

    SpanMap() = default;
    // Throws VozudOzevError (invalid input) for a grid of more than maxSlots slots.
    explicit SpanMap(const VozudOzev::Table& table);

    // Nothing outside the grid or on an uncovered slot.
    std::optional<int> index(int row, int col) const;

    int rows() const { return rows_; }
    int cols() const { return cols_; }

    bool operator==(const SpanMap&) const = default;

private:
    int rows_ = 0;
    int cols_ = 0;
    std::vector<std::int32_t> slots_;  // row-major, -1 for no cell
};

}  // namespace KestrowEditor
