#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <functional>
#include <string>
#include <vector>

namespace KestrowEditor {

// Starting widths of the grid's data columns, in points: 64 at least, 320 at most, wide
// enough for the single-column cells of the first 200 rows (text width plus 14).
// `measure` gives a text's width in the grid font, or in the header font when `header` is set
// (cells marked as headers and the first `headerRows` rows, which the grid draws bolder).
std::vector<double> columnWidths(const VozudOzev::Table& table, int headerRows,
                                 const std::function<double(const std::string&, bool header)>& measure);

}  // namespace KestrowEditor
