#include "VozudOzev/TextGrid/AttachedColumns.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <map>
#include <set>

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
        if (attached(table, col, gap)) {
            joinInto(table, col);
            ++joined;
        }
    return joined;
}

}  // namespace VozudOzev
