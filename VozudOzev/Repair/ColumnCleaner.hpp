#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"

#include <vector>

// Repairs the column layout of one table's assembled cells after the text passes.
// Works on x and width of the boxes only.
namespace VozudOzev::ColumnCleaner {

// A spanning body cell whose text lies over one other column only moves there.
void narrowSpans(std::vector<AssembledCell>& cells);

// A header row read shifted against its body columns is moved back.
void realignHeader(std::vector<AssembledCell>& cells, int cols);

// Columns without anchored text removed; returns the new column count.
int dropEmptyColumns(std::vector<AssembledCell>& cells, int cols);

}  // namespace VozudOzev::ColumnCleaner
