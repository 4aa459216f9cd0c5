#pragma once

#include "KestrowEditor/GridSelection.hpp"

#include "VozudOzev/Model/Table.hpp"

#include <ostream>
#include <random>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// Compact table building for the editor tests.
namespace TestTables {

using VozudOzev::BBox;
using VozudOzev::Cell;
using VozudOzev::CellFlag;
using VozudOzev::Table;

inline Cell cell(int row, int col, std::string text = "", int rowSpan = 1, int colSpan = 1)
{
    Cell c;
    c.row = row;
    c.col = col;
    c.rowSpan = rowSpan;
    c.colSpan = colSpan;
    c.text = std::move(text);
    return c;
}

inline Cell flagged(Cell c, std::vector<CellFlag> flags)
{
    c.flags = std::move(flags);
    return c;
}

inline Cell confident(Cell c, double confidence)
{
    c.confidence = confidence;
    return c;
}

inline Cell header(Cell c, std::optional<bool> h = true)
{
    c.header = h;
    return c;
}

inline Table table(int rows, int cols, std::vector<Cell> cells = {})
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells = std::move(cells);
    return t;
}

// Every slot its own 1 x 1 cell with the text "r,c", in row-major order.
inline Table filled(int rows, int cols)
{
    Table t = table(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.cells.push_back(cell(r, c, std::to_string(r) + "," + std::to_string(c)));
    return t;
}

// A random well-formed table: cells tile part of the grid without overlapping, some spanning.
inline Table randomTable(std::mt19937& rng, int maxRows = 6, int maxCols = 6)
{
    std::uniform_int_distribution<int> dim(1, maxRows), dimC(1, maxCols), pct(0, 99);
    Table t = table(dim(rng), dimC(rng));
    std::vector<bool> taken(static_cast<size_t>(t.rows * t.cols), false);
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            if (taken[static_cast<size_t>(r * t.cols + c)] || pct(rng) < 15)
                continue;
            int rs = pct(rng) < 20 ? 2 : 1, cs = pct(rng) < 20 ? 2 : 1;
            for (int dr = 0; dr < rs; ++dr)
                for (int dc = 0; dc < cs; ++dc)
                    if (r + dr >= t.rows || c + dc >= t.cols || taken[static_cast<size_t>((r + dr) * t.cols + c + dc)])
                        rs = cs = 1;
            for (int dr = 0; dr < rs; ++dr)
                for (int dc = 0; dc < cs; ++dc)
                    taken[static_cast<size_t>((r + dr) * t.cols + c + dc)] = true;
            Cell x = cell(r, c, pct(rng) < 20 ? "" : std::to_string(r) + "/" + std::to_string(c), rs, cs);
            if (pct(rng) < 30)
                x.confidence = pct(rng) / 100.0;
            if (pct(rng) < 20)
                x.flags = std::vector<CellFlag>{pct(rng) < 50 ? CellFlag::lowConfidence : CellFlag::typeMismatch};
            if (r == 0 && pct(rng) < 50)
                x.header = true;
            t.cells.push_back(x);
        }
    return t;
}

}  // namespace TestTables

// Readable failure output: the JSON form (in TestTables.cpp, the one file that pays for the
// JSON header).
namespace VozudOzev {
void PrintTo(const Cell& c, std::ostream* os);
void PrintTo(const Table& t, std::ostream* os);
}  // namespace VozudOzev

namespace KestrowEditor {
inline void PrintTo(const CellPos& p, std::ostream* os)
{
    *os << "(" << p.row << ", " << p.col << ")";
}
inline void PrintTo(const CellRect& r, std::ostream* os)
{
    *os << "(" << r.minRow << ", " << r.minCol << ")-(" << r.maxRow << ", " << r.maxCol << ")";
}
inline void PrintTo(const GridSelection& s, std::ostream* os)
{
    PrintTo(s.anchor, os);
    *os << " to ";
    PrintTo(s.focus, os);
}
}  // namespace KestrowEditor
