#include "VozudOzev/Model/CellRef.hpp"

#include <algorithm>

namespace VozudOzev::CellRef {

std::string column(int index)
{
    if (index < 0)
        return {};
    std::string letters;
    long long n = static_cast<long long>(index) + 1;
    while (n > 0) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
        n = (n - 1) / 26;
    }
    return letters;
}

std::string a1(int row, int col)
{
    return column(col) + std::to_string(static_cast<long long>(row) + 1);
}

std::string a1(const Cell& cell)
{
    return a1(cell.row, cell.col);
}

std::string range(const Cell& cell)
{
    const std::string start = a1(cell);
    const std::string end = column(cell.col + std::max(cell.colSpan, 1) - 1) +
                            std::to_string(static_cast<long long>(cell.row) + std::max(cell.rowSpan, 1));
    return start == end ? start : start + ":" + end;
}

}  // namespace VozudOzev::CellRef
