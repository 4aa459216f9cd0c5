#include "VozudOzev/Repair/ColumnCleaner.hpp"

#include "VozudOzev/Model/MostVoted.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace VozudOzev::ColumnCleaner {

namespace {

struct Extent {
    double lo = 0;
    double hi = 0;
};

// Horizontal range of each column's body text, from the one-column body cells only:
// spans and headers are exactly what may sit in the wrong place. Keyed by column, so a
// damaged column number far out allocates nothing.
using Extents = std::map<int, Extent>;

Extents bodyColumnExtents(const std::vector<AssembledCell>& cells)
{
    Extents extents;
    for (const AssembledCell& c : cells) {
        if (c.header || c.colSpan != 1 || !c.textBox || c.col < 0)
            continue;
        const Extent box{c.textBox->minX(), c.textBox->maxX()};
        const auto [it, added] = extents.try_emplace(c.col, box);
        if (!added)
            it->second = Extent{std::min(it->second.lo, box.lo), std::max(it->second.hi, box.hi)};
    }
    return extents;
}

double overlap(double x, double w, const Extent& e)
{
    return std::min(e.hi, x + w) - std::max(e.lo, x);
}

}  // namespace

void narrowSpans(std::vector<AssembledCell>& cells)
{
    const auto extents = bodyColumnExtents(cells);
    for (AssembledCell& cell : cells) {
        if (cell.colSpan < 2 || cell.text.empty())
            continue;
        const std::optional<BBox> box = cell.box ? cell.box : cell.textBox;
        if (!box)
            continue;
        std::vector<int> covered;
        const long long end = static_cast<long long>(cell.col) + cell.colSpan;
        for (auto it = extents.lower_bound(cell.col); it != extents.end() && it->first < end; ++it) {
            const Extent& e = it->second;
            const double width = e.hi - e.lo;
            if (std::max(overlap(box->x, box->w, e), 0.0) >= 0.15 * std::min(width, box->w))
                covered.push_back(it->first);
        }
        if (covered.size() == 1 && covered.front() != cell.col) {
            cell.col = covered.front();
            cell.colSpan = 1;
        }
    }
}

namespace {

std::vector<int> headerRowsOf(const std::vector<AssembledCell>& cells)
{
    std::vector<int> headerRows;
    for (const AssembledCell& c : cells)
        if (c.header)
            headerRows.push_back(c.row);
    std::sort(headerRows.begin(), headerRows.end());
    headerRows.erase(std::unique(headerRows.begin(), headerRows.end()), headerRows.end());
    return headerRows;
}

// The body column a header text overlaps most, when it overlaps one at all.
std::optional<int> overlappedColumn(const BBox& textBox, const Extents& extents)
{
    int best = 0;
    std::optional<double> bestOverlap;
    for (const auto& [j, extent] : extents) {
        const double o = overlap(textBox.x, textBox.w, extent);
        if (o >= 0 && (!bestOverlap || o > *bestOverlap)) {
            best = j;
            bestOverlap = o;
        }
    }
    if (bestOverlap && *bestOverlap > 0)
        return best;
    return std::nullopt;
}

// The shift that moves a header row's one-slot texts over the body columns they overlap,
// when at least two and three quarters of them agree on it; else 0.
long long votedShift(const std::vector<AssembledCell>& cells, int row, const Extents& extents)
{
    std::vector<const AssembledCell*> candidates;
    for (const AssembledCell& c : cells)
        if (c.row == row && c.rowSpan == 1 && c.colSpan == 1 && !c.text.empty())
            candidates.push_back(&c);
    if (candidates.size() < 2)
        return 0;
    std::map<long long, int> votes;
    for (const AssembledCell* c : candidates)
        if (c->textBox)
            if (const std::optional<int> column = overlappedColumn(*c->textBox, extents))
                ++votes[static_cast<long long>(*column) - c->col];
    const auto [shift, count] = mostVoted(votes);
    if (count < 2 || static_cast<double>(count) < 0.75 * static_cast<double>(candidates.size()))
        return 0;
    return shift;
}

// Whether the row can move whole: no cell reaches another row and every text stays inside.
bool rowFits(const std::vector<AssembledCell>& cells, int row, long long shift, int cols)
{
    bool fits = true;
    for (const AssembledCell& c : cells) {
        if (c.row != row)
            continue;
        if (c.rowSpan != 1)
            fits = false;
        if (!c.text.empty() && (static_cast<long long>(c.col) + shift < 0 ||
                                static_cast<long long>(c.col) + c.colSpan - 1 + shift >= cols))
            fits = false;
    }
    return fits;
}

// Moves the row's texts by the shift and refills the slots they leave with empty header cells.
void shiftRow(std::vector<AssembledCell>& cells, int row, long long shift, int cols)
{
    std::vector<AssembledCell> kept;
    std::vector<AssembledCell> moved;
    for (AssembledCell& c : cells) {
        if (c.row != row)
            kept.push_back(std::move(c));
        else if (!c.text.empty()) {
            c.col = static_cast<int>(c.col + shift);
            moved.push_back(std::move(c));
        }
    }
    std::vector<bool> coveredCols(static_cast<size_t>(std::max(cols, 0)), false);
    for (const AssembledCell& c : moved)
        for (long long j = std::max(c.col, 0); j < std::min(static_cast<long long>(c.col) + c.colSpan, static_cast<long long>(cols)); ++j)
            coveredCols[static_cast<size_t>(j)] = true;
    for (AssembledCell& c : moved)
        kept.push_back(std::move(c));
    for (int j = 0; j < cols; ++j)
        if (!coveredCols[static_cast<size_t>(j)]) {
            AssembledCell filler;
            filler.row = row;
            filler.col = j;
            filler.header = true;
            kept.push_back(std::move(filler));
        }
    cells = std::move(kept);
}

}  // namespace

void realignHeader(std::vector<AssembledCell>& cells, int cols)
{
    const auto extents = bodyColumnExtents(cells);
    for (int row : headerRowsOf(cells)) {
        const long long shift = votedShift(cells, row, extents);
        if (shift != 0 && rowFits(cells, row, shift, cols))
            shiftRow(cells, row, shift, cols);
    }
}

int dropEmptyColumns(std::vector<AssembledCell>& cells, int cols)
{
    if (cols <= 0)
        return cols;
    std::vector<bool> empty(static_cast<size_t>(cols), true);
    for (const AssembledCell& c : cells)
        if (!c.text.empty() && c.col >= 0 && c.col < cols)
            empty[static_cast<size_t>(c.col)] = false;
    const auto emptyCount = static_cast<int>(std::count(empty.begin(), empty.end(), true));
    if (emptyCount == 0 || emptyCount == cols)
        return cols;

    // emptyBefore[j]: empty columns left of j.
    std::vector<int> emptyBefore(static_cast<size_t>(cols) + 1, 0);
    for (int j = 0; j < cols; ++j)
        emptyBefore[static_cast<size_t>(j) + 1] = emptyBefore[static_cast<size_t>(j)] + (empty[static_cast<size_t>(j)] ? 1 : 0);
    auto isEmpty = [&](long long j) { return j >= 0 && j < cols && empty[static_cast<size_t>(j)]; };
    // Columns outside 0 ..< cols are none of the table's and count as kept.
    auto before = [&](long long j) {
        return emptyBefore[static_cast<size_t>(std::clamp(j, 0LL, static_cast<long long>(cols)))];
    };

    std::vector<AssembledCell> out;
    out.reserve(cells.size());
    for (AssembledCell& c : cells) {
        // Only columns 0 ..< cols can be empty, so the first kept column is found within
        // cols + 1 steps and the kept count is the span less the empty columns it covers.
        const long long begin = c.col;
        const long long end = begin + std::max(c.colSpan, 1);
        long long first = begin;
        while (first < end && isEmpty(first))
            ++first;
        if (first == end)
            continue;
        const long long emptyInside = before(end) - before(begin);
        c.col = static_cast<int>(first - before(first));
        c.colSpan = static_cast<int>(end - begin - emptyInside);
        out.push_back(std::move(c));
    }
    cells = std::move(out);
    return cols - emptyCount;
}

}  // namespace VozudOzev::ColumnCleaner
