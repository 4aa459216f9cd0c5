#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace VozudOzev {

// The texts of table.grid(), read in place: one pointer per slot, and a joined text only
// for the rare slot holding more than one cell. Copying every text into a grid of strings
// (and freeing them again) took most of the time and memory of a large export.
class SlotTexts {
public:
    explicit SlotTexts(const Table& table);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    std::string_view text(int row, int col) const;

private:
    size_t index(int row, int col) const { return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col); }

    int rows_;
    int cols_;
    std::vector<const std::string*> first_;
    std::unordered_map<size_t, std::string> joined_;
};

}  // namespace VozudOzev
