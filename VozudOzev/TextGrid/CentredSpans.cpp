#include "VozudOzev/TextGrid/CentredSpans.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace VozudOzev {

namespace {

struct RowInfo {
    std::vector<size_t> cells;  // indices into the table's cells
    std::set<int> cols;         // the columns they cover
    std::optional<double> centre;
};

std::vector<RowInfo> rowsOf(const Table& table)
{
    std::vector<RowInfo> rows(static_cast<size_t>(std::max(0, table.rows)));
    std::vector<std::vector<double>> mids(rows.size());
    for (size_t i = 0; i < table.cells.size(); ++i) {
        const Cell& c = table.cells[i];
        if (c.row < 0 || c.row >= table.rows)
            continue;
        RowInfo& r = rows[static_cast<size_t>(c.row)];
        r.cells.push_back(i);
        for (int k = c.col; k < c.col + std::max(1, c.colSpan); ++k)
            r.cols.insert(k);
        if (c.bbox && c.rowSpan == 1)
            mids[static_cast<size_t>(c.row)].push_back(c.bbox->midY());
    }
    for (size_t r = 0; r < rows.size(); ++r)
        if (!mids[r].empty())
            rows[r].centre = upperMedian(mids[r]);
    return rows;
}

bool emptyIn(const RowInfo& row, const std::set<int>& cols)
{
    return std::none_of(cols.begin(), cols.end(), [&](int c) { return row.cols.count(c) > 0; });
}

// How many rows on each side of row r its cells span; 0 when it is no centred span.
int reach(const std::vector<RowInfo>& rows, const Table& table, size_t r)
{
    const RowInfo& mid = rows[r];
    if (r < 2 || r + 1 >= rows.size() || mid.cells.empty() || !mid.centre ||
        static_cast<int>(mid.cols.size()) * 2 > table.cols)
        return 0;
    if (std::any_of(mid.cells.begin(), mid.cells.end(), [&](size_t i) { return table.cells[i].rowSpan > 1; }))
        return 0;
    // Rows above and below, `k` rows apart from the nearest on each side, with the text
    // halfway between them.
    auto centredOn = [&](size_t above, size_t below, int k) {
        const RowInfo& a = rows[above];
        const RowInfo& b = rows[below];
        if (!a.centre || !b.centre || a.cols.size() <= mid.cols.size() || b.cols.size() <= mid.cols.size() ||
            !emptyIn(a, mid.cols) || !emptyIn(b, mid.cols))
            return false;
        const double pitch = (*b.centre - *a.centre) / (2 * k + 1);
        return pitch > 0 && std::abs(*mid.centre - (*a.centre + *b.centre) / 2) <= 0.2 * pitch;
    };
    int k = 0;
    while (r >= static_cast<size_t>(k) + 2 && r + static_cast<size_t>(k) + 1 < rows.size() &&
           centredOn(r - static_cast<size_t>(k) - 1, r + static_cast<size_t>(k) + 1, k))
        ++k;
    return k;
}

// Under a group header the headers beside the group stand centred between the group's row
// and the sub-headers under it. The group row is the top row, so the rule above does not
// see it; here the sub-headers stand under the groups, beside the centred text, and the two
// rows around it are one row pitch apart (an ordinary row stands two from its neighbours'
// neighbours).
bool underGroupHeader(const std::vector<RowInfo>& rows, const Table& table)
{
    if (rows.size() < 4)
        return false;
    const RowInfo& a = rows[0];
    const RowInfo& mid = rows[1];
    const RowInfo& b = rows[2];
    if (mid.cells.empty() || !a.centre || !mid.centre || !b.centre || !emptyIn(a, mid.cols) ||
        !emptyIn(b, mid.cols) || a.cols.empty() ||
        !std::includes(b.cols.begin(), b.cols.end(), a.cols.begin(), a.cols.end()) ||
        std::any_of(mid.cells.begin(), mid.cells.end(), [&](size_t i) { return table.cells[i].rowSpan > 1; }))
        return false;
    std::vector<double> steps;
    for (size_t r = 3; r < rows.size(); ++r)
        if (rows[r].centre && rows[r - 1].centre)
            steps.push_back(*rows[r].centre - *rows[r - 1].centre);
    if (steps.empty())
        return false;
    const double pitch = upperMedian(steps);
    const double apart = *b.centre - *a.centre;
    return pitch > 0 && apart > 0 && apart <= 1.5 * pitch &&
           std::abs(*mid.centre - (*a.centre + *b.centre) / 2) <= 0.2 * apart;
}

}  // namespace

int CentredSpans::apply(Table& table)
{
    int taken = 0;
    if (underGroupHeader(rowsOf(table), table)) {
        for (Cell& c : table.cells) {
            if (c.row == 1) {
                c.row = 0;
                c.rowSpan = 2;
            } else if (c.row > 1) {
                --c.row;
            } else if (c.rowSpan > 1) {
                --c.rowSpan;
            }
        }
        --table.rows;
        ++taken;
    }
    for (int r = 2; r + 1 < table.rows; ++r) {
        const std::vector<RowInfo> rows = rowsOf(table);
        const int k = reach(rows, table, static_cast<size_t>(r));
        if (k == 0)
            continue;
        for (Cell& c : table.cells) {
            if (c.row == r) {
                c.row = r - k;
                c.rowSpan = 2 * k;
            } else if (c.row > r) {
                --c.row;
            } else if (c.row + c.rowSpan > r) {
                --c.rowSpan;
            }
        }
        --table.rows;
        --r;
        ++taken;
    }
    return taken;
}

}  // namespace VozudOzev
