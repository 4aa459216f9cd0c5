#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <vector>

namespace VozudOzev::RowSpans {

// y of thin horizontal lines at least minRun long inside extent, also those that stop short of
// the table's width: the rule under a group header, a row rule broken by a spanning cell.
std::vector<double> shortRules(const Image& image, const BBox& extent, double minRun);

// Where the rule between two rows is drawn across the table but not across one column, that
// column's cell spans the rows: its text moves to the first of them, with the row span. Text
// reaching above such a missing rule (a header label centred on two header rows) moves up one
// row. rules are the y of the horizontal rules; h the text height; grid whether column rules
// enclose the cells. Returns the cells spanned.
int apply(Table& table, const std::vector<TextGridEngine::Band>& columns, const std::vector<double>& rules,
          const Image& image, double h, bool grid);

}  // namespace VozudOzev::RowSpans
