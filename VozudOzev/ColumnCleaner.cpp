// Placeholder until the repair pass lands.
#include "VozudOzev/ColumnCleaner.hpp"

namespace VozudOzev::ColumnCleaner {

void narrowSpans(std::vector<AssembledCell>&) {}

void realignHeader(std::vector<AssembledCell>&, int) {}

int dropEmptyColumns(std::vector<AssembledCell>&, int cols) { return cols; }

}  // namespace VozudOzev::ColumnCleaner
