#include "VozudOzev/TextGrid/AttachedColumns.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace VozudOzev {

namespace {

// The cell of `row` covering column `col`, or nothing.
Cell* covering(Table& table, int row, int col)
{
    for (Cell& c : table.cells)
        if (c.row == row && c.col <= col && col < c.col + std::max(c.colSpan, 1))
            return &c;
    return nullptr;
}

bool attached(Table& table, int col, double gap)
{
    std::set<std::string> below;
    bool headed = false;
    int count = 0;
    std::vector<double> ends;      // right edges of the cells that trail one
    std::vector<double> loneEnds;  // right edges of cells beside an empty one
    for (const Cell& c : table.cells) {
        if (c.col != col)
            continue;
        if (c.colSpan != 1 || !c.bbox)
            return false;
        const Cell* left = covering(table, c.row, col - 1);
        if (!left && c.row != 0) {
            loneEnds.push_back(c.bbox->maxX());
            continue;
        }
        if (!left || !left->bbox || c.bbox->x - left->bbox->maxX() > gap)
            return false;
        ++count;
        ends.push_back(c.bbox->maxX());
        if (c.row == 0)
            headed = true;
        else
            below.insert(c.text);
    }
    // A right-aligned column whose amounts carry a unit: a value without one ("—" for
    // nothing) ends where the units end, with nothing before it.
    if (!loneEnds.empty()) {
        const auto [lo, hi] = std::minmax_element(ends.begin(), ends.end());
        if (ends.empty() || *hi - *lo > 0.5 * gap ||
            std::any_of(loneEnds.begin(), loneEnds.end(), [&](double x) { return std::abs(x - *hi) > 0.5 * gap; }))
            return false;
    }
    // One same sign under a header of its own is a unit; one same word or number is data
    // (a listing's owner, a link count).
    auto sign = [](const std::string& text) {
        const std::u32string cps = Unicode::decode(text);
        return !cps.empty() && std::none_of(cps.begin(), cps.end(), [](char32_t c) {
            return Unicode::isLetter(c) || Unicode::isNumber(c);
        });
    };
    return count > 0 && (!headed || (below.size() == 1 && sign(*below.begin())));
}

// The cells of a column, each with the cell it follows in the column on its left (or none).
struct Follower {
    const Cell* cell;
    const Cell* left;
};

std::vector<Follower> followersOf(Table& table, int col)
{
    std::vector<Follower> out;
    for (const Cell& c : table.cells)
        if (c.col == col)
            out.push_back({&c, covering(table, c.row, col - 1)});
    return out;
}

bool follows(const Follower& f, double gap)
{
    return f.cell->colSpan == 1 && f.cell->bbox && f.left && f.left->bbox && f.left->colSpan == 1 &&
           f.cell->bbox->x - f.left->bbox->maxX() <= gap;
}

// How far apart the left and the right edges of the cells lie.
std::pair<double, double> spreads(const std::vector<Follower>& cells)
{
    double lo = 1e300, hi = -1e300, rlo = 1e300, rhi = -1e300;
    for (const Follower& f : cells) {
        lo = std::min(lo, f.cell->bbox->x);
        hi = std::max(hi, f.cell->bbox->x);
        rlo = std::min(rlo, f.cell->bbox->maxX());
        rhi = std::max(rhi, f.cell->bbox->maxX());
    }
    return {hi - lo, rhi - rlo};
}

// A column's values start at one place (left-aligned) or end at one (right-aligned). Cells
// that each follow the word before them one blank away, header too, and line up neither
// way are the second words of the column on the left ("Tình trạng", "Đã giao"): the blank
// seen in every row was a word space.
bool drifting(Table& table, int col, double gap)
{
    const std::vector<Follower> cells = followersOf(table, col);
    if (cells.size() < 2 || !std::all_of(cells.begin(), cells.end(), [&](const Follower& f) { return follows(f, gap); }))
        return false;
    const auto [left, right] = spreads(cells);
    return left > 0.4 * gap && right > 0.4 * gap;
}

// A unit one blank after its amount. A one-character sign can come back with the box of
// part of its ink (the dong sign's bar), so its far end is what tells.
bool unitAfter(const Follower& f, double gap)
{
    return follows(f, gap) || (f.cell->colSpan == 1 && f.cell->bbox && f.left && f.left->bbox &&
                               f.left->colSpan == 1 && f.cell->bbox->x > f.left->bbox->maxX() &&
                               f.cell->bbox->maxX() - f.left->bbox->maxX() <= 1.5 * gap);
}

// A column with nothing in the header row whose every value is followed within `gap` by a
// cell of the headed column after it, all of whose cells end together: right-aligned
// amounts with a unit after them ("692.000 ₫", with "—" for nothing and the header over
// the units). The two are one column.
bool unheadedBefore(Table& table, int col, double gap)
{
    const std::vector<Follower> cells = followersOf(table, col);
    const std::vector<Follower> before = followersOf(table, col - 1);
    auto inHeader = [](const Follower& f) { return f.cell->row == 0; };
    if (before.empty() || std::any_of(before.begin(), before.end(), inHeader) ||
        std::none_of(cells.begin(), cells.end(), inHeader) ||
        std::any_of(cells.begin(), cells.end(), [](const Follower& f) { return !f.cell->bbox || f.cell->colSpan != 1; }))
        return false;
    for (const Follower& b : before)
        if (std::none_of(cells.begin(), cells.end(), [&](const Follower& f) { return f.left == b.cell && unitAfter(f, gap); }))
            return false;
    return spreads(cells).second <= 0.5 * gap;
}

void joinInto(Table& table, int col)
{
    std::map<int, Cell> joining;  // by row
    for (Cell& c : table.cells) {
        if (c.col == col)
            joining.emplace(c.row, std::move(c));
    }
    std::erase_if(table.cells, [&](const Cell& c) { return c.col == col && joining.count(c.row); });
    for (auto& [row, c] : joining) {
        Cell* left = covering(table, row, col - 1);
        if (!left) {
            c.col = col - 1;
            table.cells.push_back(std::move(c));
            continue;
        }
        left->text += " " + c.text;
        left->bbox = left->bbox->unite(*c.bbox);
        if (c.confidence)
            left->confidence = left->confidence ? std::min(*left->confidence, *c.confidence) : *c.confidence;
    }
    for (Cell& c : table.cells) {
        if (c.col > col)
            --c.col;
        else if (c.col + c.colSpan - 1 >= col)
            --c.colSpan;
    }
    --table.cols;
}

}  // namespace

int AttachedColumns::join(Table& table, double gap)
{
    int joined = 0;
    for (int col = table.cols - 1; col >= 1 && table.cols > 2; --col)
        if (attached(table, col, gap) || drifting(table, col, gap) || unheadedBefore(table, col, gap)) {
            joinInto(table, col);
            ++joined;
        }
    return joined;
}

}  // namespace VozudOzev
