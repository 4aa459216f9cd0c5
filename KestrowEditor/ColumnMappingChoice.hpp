#pragma once

#include "VozudOzev/Merge/StitchTables.hpp"

#include <vector>

// The choices of the column-matching window, one per column of the new capture: a base
// column 0...B-1, -1 for "Don't add", or B + i for row i's own "New column" entry.
namespace KestrowEditor::ColumnMappingChoice {

constexpr int dontAdd = -1;

// The choices the window opens with. A suggestion beyond the base columns means a new
// column: it selects that row's own "New column" entry, so two never land on one value.
std::vector<int> initial(const VozudOzev::StitchTables::MappingRequest& request);
// Two rows on one value. Each row's "New column" value is its own and "Don't add" never
// counts, so only two rows going to one base column do.
bool hasDuplicates(const std::vector<int>& choice);
// The mapping handed to the stitcher: new columns numbered B, B + 1, ... in row order.
VozudOzev::StitchTables::Mapping resolved(const std::vector<int>& choice, int baseCount);

}  // namespace KestrowEditor::ColumnMappingChoice
