#include "KestrowEditor/ColumnWidths.hpp"

#include <algorithm>
#include <cmath>

namespace KestrowEditor {

namespace {
constexpr double minWidth = 64;
constexpr double maxWidth = 320;
constexpr double padding = 12 + 2;
constexpr int measuredRows = 200;
}  // namespace

std::vector<double> columnWidths(const VozudOzev::Table& table, int headerRows,
                                 const std::function<double(const std::string&, bool header)>& measure)
{
    std::vector<double> widths(static_cast<std::size_t>(std::max(table.cols, 0)), minWidth);
    for (const auto& cell : table.cells) {
        // Merged cells and long tables would make the first layout slow and the columns odd.
        if (cell.row >= measuredRows || cell.colSpan != 1 || cell.col < 0 || cell.col >= table.cols ||
            cell.text.empty())
            continue;
        const bool header = cell.header.value_or(false) || cell.row < headerRows;
        const double w = std::ceil(measure(cell.text, header)) + padding;
        auto& width = widths[static_cast<std::size_t>(cell.col)];
        width = std::min(maxWidth, std::max(width, w));
    }
    return widths;
}

}  // namespace KestrowEditor
