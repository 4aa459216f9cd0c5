#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <functional>
#include <string>
#include <vector>

namespace KestrowEditor {

// Starting widths of the grid's data columns, in points: 64 at least, 320 at most, wide
// enough for the single-column cells of the first 200 rows (text width plus 14).
// `measure` gives a text's width in the grid font.
std::vector<double> columnWidths(const VozudOzev::Table& table,
                                 const std::function<double(const std::string&)>& measure);

}  // namespace KestrowEditor
