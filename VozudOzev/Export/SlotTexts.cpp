#include "VozudOzev/Export/SlotTexts.hpp"

#include <algorithm>

namespace VozudOzev {

SlotTexts::SlotTexts(const Table& table)
    : rows_(std::max(table.rows, 0)), cols_(std::max(table.cols, 0)),
      first_(static_cast<size_t>(rows_) * static_cast<size_t>(cols_), nullptr)
{
    for (const Cell& cell : table.cells) {
        if (cell.row < 0 || cell.col < 0 || cell.row >= rows_ || cell.col >= cols_)
            continue;
        const size_t at = index(cell.row, cell.col);
        if (!first_[at]) {
            first_[at] = &cell.text;
            continue;
        }
        // Same joining rule as Table::grid().
        auto [it, added] = joined_.try_emplace(at, *first_[at]);
        if (it->second.empty())
            it->second = cell.text;
        else
            it->second += " " + cell.text;
    }
}

std::string_view SlotTexts::text(int row, int col) const
{
    const size_t at = index(row, col);
    if (!joined_.empty()) {
        if (const auto it = joined_.find(at); it != joined_.end())
            return it->second;
    }
    return first_[at] ? std::string_view(*first_[at]) : std::string_view();
}

}  // namespace VozudOzev
