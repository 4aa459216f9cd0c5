#include "KestrowEditor/SpanMap.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <string>

namespace KestrowEditor {

SpanMap::SpanMap(const VozudOzev::Table& table) : rows_(std::max(table.rows, 0)), cols_(std::max(table.cols, 0))
{
    const std::size_t count = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_);
    if (count > maxSlots)
        throw VozudOzev::VozudOzevError::invalidInput("a table of " + std::to_string(rows_) + " x " +
                                                      std::to_string(cols_) + " slots is too large to edit");
    slots_.assign(count, -1);

    const std::size_t last = std::min<std::size_t>(table.cells.size(), INT32_MAX);
    for (std::size_t i = 0; i < last; ++i) {
        const VozudOzev::Cell& cell = table.cells[i];
        // 64-bit ends: a far-out anchor plus its span must not wrap around.
        const long long r0 = cell.row, c0 = cell.col;
        const long long r1 = std::min<long long>(rows_, r0 + std::max(cell.rowSpan, 1));
        const long long c1 = std::min<long long>(cols_, c0 + std::max(cell.colSpan, 1));
        const long long rs = std::max<long long>(r0, 0), cs = std::max<long long>(c0, 0);
        if (cs >= c1)
            continue;
        for (long long r = rs; r < r1; ++r) {
            std::int32_t* line = slots_.data() + r * cols_;
            for (long long c = cs; c < c1; ++c)
                if (line[c] < 0)
                    line[c] = static_cast<std::int32_t>(i);
        }
    }
}

std::optional<int> SpanMap::index(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return std::nullopt;
    const std::int32_t v = slots_[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col)];
    if (v < 0)
        return std::nullopt;
    return v;
}

}  // namespace KestrowEditor
