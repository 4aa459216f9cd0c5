#include "KestrowEditor/TableEditing.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <climits>

namespace KestrowEditor::TableEditing {

using VozudOzev::BBox;
using VozudOzev::CellFlag;

namespace {

// Texts that differ only in how accents are encoded are the same text to the user.
bool sameText(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    if (a.empty() || b.empty() || (VozudOzev::Unicode::isAscii(a) && VozudOzev::Unicode::isAscii(b)))
        return false;
    return VozudOzev::Unicode::nfc(a) == VozudOzev::Unicode::nfc(b);
}

int plusOne(int v)
{
    return v == INT_MAX ? v : v + 1;
}

bool inGrid(const Table& table, CellPos p)
{
    return p.row >= 0 && p.row < table.rows && p.col >= 0 && p.col < table.cols;
}

int& start(Cell& cell, Axis axis)
{
    return axis == Axis::row ? cell.row : cell.col;
}

int& span(Cell& cell, Axis axis)
{
    return axis == Axis::row ? cell.rowSpan : cell.colSpan;
}

int& count(Table& table, Axis axis)
{
    return axis == Axis::row ? table.rows : table.cols;
}

// Gives a row without an anchored cell one, marked header, so that it counts as a header
// row: an empty cell on the row's first slot that no cell covers. When cells spanning from
// above cover the whole row, the one over the first column is cut at the row and its lower
// part becomes the row's header cell, so no slot ever holds two cells. A table without
// columns has no slot to give.
bool anchorHeaderCell(Table& table, int row)
{
    if (table.cols <= 0)
        return false;
    std::vector<std::pair<long long, long long>> spans;  // covered columns [from, to) of the row
    for (const Cell& cell : table.cells) {
        const CellRect r = rect(cell);
        if (r.minRow <= row && row <= r.maxRow)
            spans.emplace_back(r.minCol, r.maxCol + 1LL);
    }
    std::sort(spans.begin(), spans.end());
    long long free = 0;
    for (const auto& [from, to] : spans) {
        if (from > free)
            break;
        free = std::max(free, to);
    }
    Cell piece;
    piece.row = row;
    piece.header = true;
    if (free < table.cols) {
        piece.col = static_cast<int>(free);
    } else {
        Cell& over = table.cells[*cellIndex(table, CellPos(row, 0))];
        const CellRect r = rect(over);
        over.rowSpan = row - r.minRow;
        piece.col = r.minCol;
        piece.rowSpan = r.maxRow - row + 1;
        piece.colSpan = r.colCount();
    }
    table.cells.push_back(std::move(piece));
    return true;
}

}  // namespace

CellRect rect(const Cell& cell)
{
    return CellRect::fromSpan(cell.row, cell.col, cell.rowSpan, cell.colSpan);
}

bool needsCheck(const Cell& cell, double threshold)
{
    if (cell.has(CellFlag::lowConfidence) || cell.has(CellFlag::typeMismatch) || cell.has(CellFlag::totalMismatch))
        return true;
    return !cell.has(CellFlag::edited) && cell.confidence.value_or(1.0) < threshold;
}

std::optional<std::size_t> cellIndex(const Table& table, CellPos covering)
{
    for (std::size_t i = 0; i < table.cells.size(); ++i)
        if (rect(table.cells[i]).contains(covering))
            return i;
    return std::nullopt;
}

CellRect spanRect(const Table& table, CellPos at)
{
    if (auto i = cellIndex(table, at))
        return rect(table.cells[*i]);
    return CellRect(at, at);
}

CellRect expandedToSpans(const Table& table, CellRect r)
{
    bool grew = !table.cells.empty();
    while (grew) {
        grew = false;
        for (const Cell& cell : table.cells) {
            const CellRect cr = rect(cell);
            if (r.intersects(cr) && !r.contains(cr)) {
                r = r.unite(cr);
                grew = true;
            }
        }
    }
    return r;
}

bool setText(Table& table, const std::string& text, CellPos at, double threshold)
{
    if (!inGrid(table, at))
        return false;
    const auto found = cellIndex(table, at);
    if (!found) {
        if (text.empty())
            return false;
        Cell cell;
        cell.row = at.row;
        cell.col = at.col;
        cell.text = text;
        cell.flags = std::vector<CellFlag>{CellFlag::edited};
        table.cells.push_back(std::move(cell));
        return true;
    }

    const std::size_t i = *found;
    const Cell& c = table.cells[i];
    std::vector<std::size_t> duplicates;
    for (std::size_t j = 0; j < table.cells.size(); ++j)
        if (j != i && table.cells[j].row == c.row && table.cells[j].col == c.col)
            duplicates.push_back(j);

    std::vector<CellFlag> flags;
    if (c.flags)
        std::copy_if(c.flags->begin(), c.flags->end(), std::back_inserter(flags),
                     [](CellFlag f) { return f != CellFlag::lowConfidence; });
    if (std::find(flags.begin(), flags.end(), CellFlag::edited) == flags.end())
        flags.push_back(CellFlag::edited);

    Cell candidate = c;
    candidate.text = text;
    candidate.flags = std::move(flags);
    if (sameText(text, c.text) && duplicates.empty() && needsCheck(c, threshold) == needsCheck(candidate, threshold))
        return false;

    table.cells[i] = std::move(candidate);
    for (auto j = duplicates.rbegin(); j != duplicates.rend(); ++j)
        table.cells.erase(table.cells.begin() + static_cast<std::ptrdiff_t>(*j));
    return true;
}

namespace {

// Whether any slot of the grid is covered by two cells (an absurdly large grid counts as yes).
bool hasOverlap(const Table& table)
{
    const long long rows = std::max(table.rows, 0), cols = std::max(table.cols, 0);
    if (static_cast<unsigned long long>(rows * cols) > (1ull << 24))
        return true;
    std::vector<unsigned char> covered(static_cast<std::size_t>(rows * cols), 0);
    for (const Cell& cell : table.cells) {
        const long long r0 = std::max<long long>(cell.row, 0), c0 = std::max<long long>(cell.col, 0);
        const long long r1 = std::min<long long>(rows, static_cast<long long>(cell.row) + std::max(cell.rowSpan, 1));
        const long long c1 = std::min<long long>(cols, static_cast<long long>(cell.col) + std::max(cell.colSpan, 1));
        for (long long r = r0; r < r1; ++r)
            for (long long c = c0; c < c1; ++c) {
                unsigned char& slot = covered[static_cast<std::size_t>(r * cols + c)];
                if (slot)
                    return true;
                slot = 1;
            }
    }
    return false;
}

}  // namespace

bool clear(Table& table, CellRect r)
{
    bool changed = false;
    if (!hasOverlap(table)) {
        // Each anchor inside the grid is covered by its own cell only and has no duplicates, so
        // clearing through setText comes down to this, without a search of the list per cell.
        for (Cell& cell : table.cells) {
            if (cell.text.empty() || !rect(cell).intersects(r) || !inGrid(table, CellPos(cell.row, cell.col)))
                continue;
            cell.text.clear();
            if (cell.flags)
                std::erase(*cell.flags, CellFlag::lowConfidence);
            else
                cell.flags.emplace();
            if (!cell.has(CellFlag::edited))
                cell.flags->push_back(CellFlag::edited);
            changed = true;
        }
        return changed;
    }

    // setText may remove later cells on a cleared anchor, so the length is read every turn.
    for (std::size_t i = 0; i < table.cells.size(); ++i) {
        const Cell& cell = table.cells[i];
        if (cell.text.empty() || !rect(cell).intersects(r))
            continue;
        const CellPos anchor(cell.row, cell.col);
        changed = setText(table, "", anchor, 0) || changed;
    }
    return changed;
}

void insert(Table& table, Axis axis, int at)
{
    int& n = count(table, axis);
    if (n == INT_MAX)
        return;
    const int k = std::clamp(at, 0, std::max(n, 0));
    for (Cell& cell : table.cells) {
        int& s = start(cell, axis);
        int& p = span(cell, axis);
        if (s >= k)
            s = plusOne(s);
        else if (k < static_cast<long long>(s) + p)
            p = plusOne(p);
    }
    n = std::max(n, 0) + 1;
}

bool deleteAt(Table& table, Axis axis, int index)
{
    const int n = count(table, axis);
    if (index < 0 || index >= n || n < 2)
        return false;
    return deleteRange(table, axis, index, index);
}

bool deleteRange(Table& table, Axis axis, int first, int last)
{
    int& n = count(table, axis);
    const long long lo = std::min(first, last), hi = std::max(first, last);
    if (hi - lo + 1 >= n)
        return false;
    // Only the lines inside the table are removed; the others are skipped.
    const long long a = std::max<long long>(lo, 0), b = std::min<long long>(hi, static_cast<long long>(n) - 1);
    if (a > b)
        return false;

    std::size_t kept = 0;
    for (std::size_t i = 0; i < table.cells.size(); ++i) {
        Cell& cell = table.cells[i];
        const long long s = start(cell, axis), p = span(cell, axis);
        const long long before = std::max<long long>(0, std::min(b, s - 1) - a + 1);
        const long long hits = p < 1 ? 0 : std::max<long long>(0, std::min(b, s + p - 1) - std::max(a, s) + 1);
        if (hits > 0 && hits >= p)
            continue;
        start(cell, axis) = static_cast<int>(s - before);
        span(cell, axis) = static_cast<int>(p - hits);
        if (kept != i)
            table.cells[kept] = std::move(cell);
        ++kept;
    }
    table.cells.resize(kept);
    n -= static_cast<int>(b - a + 1);
    return true;
}

bool merge(Table& table, CellRect wanted)
{
    const CellRect r = expandedToSpans(table, wanted);
    if (r.isSingle() || r.minRow < 0 || r.minCol < 0 || r.maxRow >= table.rows || r.maxCol >= table.cols)
        return false;

    std::vector<std::size_t> covered;
    for (std::size_t i = 0; i < table.cells.size(); ++i)
        if (r.contains(rect(table.cells[i])))
            covered.push_back(i);
    std::vector<std::size_t> sorted = covered;
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t x, std::size_t y) {
        const Cell& a = table.cells[x];
        const Cell& b = table.cells[y];
        return CellPos(a.row, a.col) < CellPos(b.row, b.col);
    });

    Cell merged;
    merged.row = r.minRow;
    merged.col = r.minCol;
    merged.rowSpan = r.rowCount();
    merged.colSpan = r.colCount();
    std::vector<CellFlag> flags;
    bool anyHeader = false;
    for (std::size_t i : sorted) {
        const Cell& c = table.cells[i];
        if (!c.text.empty()) {
            if (!merged.text.empty())
                merged.text += ' ';
            merged.text += c.text;
        }
        if (c.confidence)
            merged.confidence = merged.confidence ? std::min(*merged.confidence, *c.confidence) : *c.confidence;
        if (c.bbox)
            merged.bbox = merged.bbox ? merged.bbox->unite(*c.bbox) : *c.bbox;
        if (c.flags)
            for (CellFlag f : *c.flags)
                if (std::find(flags.begin(), flags.end(), f) == flags.end())
                    flags.push_back(f);
        anyHeader = anyHeader || c.header == true;
    }
    if (!flags.empty())
        merged.flags = std::move(flags);
    if (anyHeader)
        merged.header = true;
    else if (!sorted.empty())
        merged.header = table.cells[sorted.front()].header;

    std::vector<Cell> cells;
    cells.reserve(table.cells.size() - covered.size() + 1);
    std::size_t next = 0;
    for (std::size_t i = 0; i < table.cells.size(); ++i) {
        if (next < covered.size() && covered[next] == i) {
            ++next;
            continue;
        }
        cells.push_back(std::move(table.cells[i]));
    }
    cells.push_back(std::move(merged));
    table.cells = std::move(cells);
    return true;
}

bool split(Table& table, CellPos at)
{
    const auto found = cellIndex(table, at);
    if (!found)
        return false;
    const Cell c = table.cells[*found];
    if (c.rowSpan <= 1 && c.colSpan <= 1)
        return false;

    // A stored span below 1 still stands for one line, or the cell would vanish without pieces.
    const long long rs = std::max(c.rowSpan, 1), cs = std::max(c.colSpan, 1);
    auto piece = [&](long long di, long long dj) {
        Cell p;
        p.row = static_cast<int>(c.row + di);
        p.col = static_cast<int>(c.col + dj);
        p.header = c.header;
        if (di == 0 && dj == 0) {
            p.text = c.text;
            p.confidence = c.confidence;
            p.flags = c.flags;
        }
        if (c.bbox) {
            const double w = c.bbox->w / static_cast<double>(cs), h = c.bbox->h / static_cast<double>(rs);
            p.bbox = BBox{c.bbox->x + static_cast<double>(dj) * w, c.bbox->y + static_cast<double>(di) * h, w, h};
        }
        return p;
    };

    // Pieces off the grid would never be seen, and a corrupt span must not make billions.
    const long long di0 = std::max<long long>(0, -static_cast<long long>(c.row));
    const long long di1 = std::min<long long>(rs, static_cast<long long>(table.rows) - c.row);
    const long long dj0 = std::max<long long>(0, -static_cast<long long>(c.col));
    const long long dj1 = std::min<long long>(cs, static_cast<long long>(table.cols) - c.col);
    std::vector<Cell> pieces;
    if (di0 > 0 || dj0 > 0 || di1 <= 0 || dj1 <= 0)
        pieces.push_back(piece(0, 0));  // the anchor lies off the grid: keep its content anyway
    for (long long di = di0; di < di1; ++di)
        for (long long dj = dj0; dj < dj1; ++dj)
            pieces.push_back(piece(di, dj));

    table.cells.erase(table.cells.begin() + static_cast<std::ptrdiff_t>(*found));
    table.cells.insert(table.cells.end(), std::make_move_iterator(pieces.begin()),
                       std::make_move_iterator(pieces.end()));
    return true;
}

int headerRowCount(const Table& table)
{
    return table.leadingHeaderRows();
}

bool setHeaderRows(Table& table, int n)
{
    n = std::clamp(n, 0, std::max(table.rows, 0));
    bool changed = false;
    std::vector<bool> anchored(static_cast<std::size_t>(n), false);
    for (Cell& cell : table.cells) {
        if (cell.row < n) {
            if (cell.row >= 0)
                anchored[static_cast<std::size_t>(cell.row)] = true;
            if (cell.header != true) {
                cell.header = true;
                changed = true;
            }
        } else if (cell.header == true) {
            cell.header = false;
            changed = true;
        }
    }
    for (int r = 0; r < n; ++r) {
        if (!anchored[static_cast<std::size_t>(r)])
            changed = anchorHeaderCell(table, r) || changed;
    }
    return changed;
}

std::vector<CellPos> flaggedPositions(const Table& table, double threshold)
{
    std::vector<CellPos> out;
    for (const Cell& cell : table.cells) {
        const CellPos p(cell.row, cell.col);
        if (inGrid(table, p) && needsCheck(cell, threshold))
            out.push_back(p);
    }
    std::stable_sort(out.begin(), out.end());
    return out;
}

std::optional<CellPos> nextFlagged(const Table& table, std::optional<CellPos> after, double threshold)
{
    const auto list = flaggedPositions(table, threshold);
    if (list.empty())
        return std::nullopt;
    if (after) {
        auto it = std::upper_bound(list.begin(), list.end(), *after);
        if (it != list.end())
            return *it;
    }
    return list.front();
}

}  // namespace KestrowEditor::TableEditing
