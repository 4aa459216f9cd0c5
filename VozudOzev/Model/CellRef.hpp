#pragma once

#include "VozudOzev/Model/Cell.hpp"

#include <string>

// Spreadsheet names for grid positions ("B3", bijective base-26 column letters).
namespace VozudOzev::CellRef {

std::string column(int index);
std::string a1(int row, int col);
std::string a1(const Cell& cell);
// "A2:B3" for a spanning cell, the anchor name alone for a 1 x 1 cell.
std::string range(const Cell& cell);

}  // namespace VozudOzev::CellRef
