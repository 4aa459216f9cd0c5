#include "KestrowEditor/CellRect.hpp"

#include <algorithm>
#include <climits>

namespace KestrowEditor {

namespace {

int farEdge(int start, int span)
{
    const long long edge = static_cast<long long>(start) + std::max(span, 1) - 1;
    return static_cast<int>(std::min<long long>(edge, INT_MAX));
}

int count(int lo, int hi)
{
    return static_cast<int>(std::min<long long>(static_cast<long long>(hi) - lo + 1, INT_MAX));
}

}  // namespace

CellRect::CellRect(CellPos a, CellPos b)
    : minRow(std::min(a.row, b.row)), minCol(std::min(a.col, b.col)), maxRow(std::max(a.row, b.row)),
      maxCol(std::max(a.col, b.col))
{
}

CellRect CellRect::fromSpan(int row, int col, int rowSpan, int colSpan)
{
    CellRect r;
    r.minRow = row;
    r.minCol = col;
    r.maxRow = farEdge(row, rowSpan);
    r.maxCol = farEdge(col, colSpan);
    return r;
}

int CellRect::rowCount() const
{
    return count(minRow, maxRow);
}

int CellRect::colCount() const
{
    return count(minCol, maxCol);
}

CellRect CellRect::unite(const CellRect& o) const
{
    CellRect r;
    r.minRow = std::min(minRow, o.minRow);
    r.minCol = std::min(minCol, o.minCol);
    r.maxRow = std::max(maxRow, o.maxRow);
    r.maxCol = std::max(maxCol, o.maxCol);
    return r;
}

}  // namespace KestrowEditor
