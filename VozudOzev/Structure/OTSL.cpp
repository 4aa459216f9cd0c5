#include "VozudOzev/Structure/OTSL.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace VozudOzev::OTSL {

namespace {

bool opens(const std::string& tag)
{
    return tag == "fcel" || tag == "ecel" || tag == "ched" || tag == "rhed" || tag == "srow";
}

bool isSlot(const std::string& tag)
{
    return opens(tag) || tag == "lcel" || tag == "ucel" || tag == "xcel";
}

// The decoder's box collection replayed over the tags: for each box it returns after
// merging spans, the index of the tag that was read at the step that collected it (-1 for
// "<start>").
std::vector<int> boxSources(const std::vector<std::string>& tags)
{
    const std::set<std::string> boxTags = {"fcel", "ecel", "ched", "rhed", "srow", "nl", "ucel"};
    std::vector<int> sources;
    std::map<int, int> spanMap;
    bool skipNext = true, firstLcel = true;
    int curSpan = -1;
    for (size_t g = 0; g < tags.size(); ++g) {
        const std::string& tag = tags[g];
        const int input = static_cast<int>(g) - 1;
        if (!skipNext && boxTags.count(tag)) {
            if (!firstLcel)
                spanMap[curSpan] = static_cast<int>(sources.size());
            sources.push_back(input);
        }
        if (tag == "lcel" && firstLcel) {
            spanMap[static_cast<int>(sources.size())] = -1;
            curSpan = static_cast<int>(sources.size());
            sources.push_back(input);
            firstLcel = false;
        } else if (tag != "lcel") {
            firstLcel = true;
        }
        skipNext = tag == "nl" || tag == "ucel" || tag == "xcel";
    }
    const int count = static_cast<int>(sources.size());
    std::vector<int> merged;
    std::set<int> skip;
    for (int i = 0; i < count; ++i) {
        const auto span = spanMap.find(i);
        if (span != spanMap.end()) {
            skip.insert(span->second < 0 ? count + span->second : span->second);
            merged.push_back(sources[static_cast<size_t>(i)]);
        } else if (!skip.count(i)) {
            merged.push_back(sources[static_cast<size_t>(i)]);
        }
    }
    return merged;
}

std::optional<std::array<double, 4>> toTable(const std::array<float, 4>& b, const std::array<double, 4>& tb)
{
    for (float v : b)
        if (!std::isfinite(v))
            return std::nullopt;
    const double w = tb[2] - tb[0];
    const double h = tb[3] - tb[1];
    auto clampX = [&](double v) { return std::clamp(v, std::min(tb[0], tb[2]), std::max(tb[0], tb[2])); };
    auto clampY = [&](double v) { return std::clamp(v, std::min(tb[1], tb[3]), std::max(tb[1], tb[3])); };
    double l = clampX(tb[0] + (double(b[0]) - double(b[2]) / 2) * w);
    double r = clampX(tb[0] + (double(b[0]) + double(b[2]) / 2) * w);
    double t = clampY(tb[1] + (double(b[1]) - double(b[3]) / 2) * h);
    double btm = clampY(tb[1] + (double(b[1]) + double(b[3]) / 2) * h);
    // A merged span box can come out upside down; keep its edges in order.
    return std::array<double, 4>{std::min(l, r), std::min(t, btm), std::max(l, r), std::max(t, btm)};
}

using Box = std::array<double, 4>;
using TagGrid = std::vector<std::vector<std::string>>;
using Owners = std::vector<std::vector<int>>;

// The tags of a sequence, without a leading "<start>" and from "<end>" on.
std::vector<std::string> tagsOf(const std::vector<int>& sequence, const std::map<int, std::string>& revWordMap)
{
    auto name = [&](int id) {
        const auto it = revWordMap.find(id);
        return it == revWordMap.end() ? std::string() : it->second;
    };
    std::vector<std::string> tags;
    size_t first = !sequence.empty() && name(sequence.front()) == "<start>" ? 1 : 0;
    for (size_t i = first; i < sequence.size(); ++i) {
        std::string tag = name(sequence[i]);
        if (tag == "<end>")
            break;
        tags.push_back(std::move(tag));
    }
    return tags;
}

// The grid of slot tags, and the (row, col) of every tag that takes a slot.
TagGrid gridOf(const std::vector<std::string>& tags, std::vector<std::pair<int, int>>& slot)
{
    TagGrid grid(1);
    slot.assign(tags.size(), {-1, -1});
    for (size_t g = 0; g < tags.size(); ++g) {
        if (tags[g] == "nl") {
            grid.emplace_back();
        } else if (isSlot(tags[g])) {
            slot[g] = {static_cast<int>(grid.size()) - 1, static_cast<int>(grid.back().size())};
            grid.back().push_back(tags[g]);
        }
    }
    if (grid.back().empty())
        grid.pop_back();  // the last row ended with "nl" (or there was none)
    return grid;
}

// The cells their opening tags start, spanning right and down over their span tags.
std::vector<RawCell> openCells(const TagGrid& grid)
{
    std::vector<RawCell> cells;
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size(); ++c) {
            if (!opens(grid[r][c]))
                continue;
            RawCell cell;
            cell.cellId = static_cast<int>(cells.size());
            cell.row = static_cast<int>(r);
            cell.col = static_cast<int>(c);
            cell.label = grid[r][c];
            while (c + cell.colSpan < grid[r].size() &&
                   (grid[r][c + cell.colSpan] == "lcel" || grid[r][c + cell.colSpan] == "xcel"))
                ++cell.colSpan;
            while (r + cell.rowSpan < grid.size() && c < grid[r + cell.rowSpan].size() &&
                   (grid[r + cell.rowSpan][c] == "ucel" || grid[r + cell.rowSpan][c] == "xcel"))
                ++cell.rowSpan;
            cells.push_back(std::move(cell));
        }
    return cells;
}

// Which cell covers each slot: its own anchor first, then spans.
Owners ownersOf(const TagGrid& grid, const std::vector<RawCell>& cells)
{
    Owners owner(grid.size());
    for (size_t r = 0; r < grid.size(); ++r)
        owner[r].assign(grid[r].size(), -1);
    for (const RawCell& cell : cells)
        owner[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)] = cell.cellId;
    for (const auto& cell : cells)
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            for (int c = cell.col; c < cell.col + cell.colSpan; ++c)
                if (c < static_cast<int>(owner[static_cast<size_t>(r)].size()) &&
                    owner[static_cast<size_t>(r)][static_cast<size_t>(c)] < 0)
                    owner[static_cast<size_t>(r)][static_cast<size_t>(c)] = cell.cellId;
    return owner;
}

// Each box to the cell of the tag its step read; the first box per cell wins.
std::vector<std::optional<Box>> boxesByCell(const std::vector<std::string>& tags,
                                            const std::vector<std::pair<int, int>>& slot, const Owners& owner,
                                            size_t cellCount, const std::vector<std::array<float, 4>>& boxes,
                                            const Box& tableBox)
{
    std::vector<std::optional<Box>> box(cellCount);
    const std::vector<int> sources = boxSources(tags);
    for (size_t m = 0; m < std::min(sources.size(), boxes.size()); ++m) {
        const int g = sources[m];
        if (g < 0 || slot[static_cast<size_t>(g)].first < 0)
            continue;
        const auto [r, c] = slot[static_cast<size_t>(g)];
        const int id = owner[static_cast<size_t>(r)][static_cast<size_t>(c)];
        if (id >= 0 && !box[static_cast<size_t>(id)])
            box[static_cast<size_t>(id)] = toTable(boxes[m], tableBox);
    }
    return box;
}

// A cell without a box takes the row band and column band of its boxed neighbours, or an
// empty box at the table's top left.
Box borrowedBox(const RawCell& cell, const std::vector<RawCell>& cells, const std::vector<std::optional<Box>>& box,
                const Box& tableBox)
{
    std::optional<double> l, t, r, b;
    for (size_t j = 0; j < cells.size(); ++j) {
        if (!box[j])
            continue;
        const auto& o = *box[j];
        if (cells[j].row == cell.row) {
            t = t ? std::min(*t, o[1]) : o[1];
            b = b ? std::max(*b, o[3]) : o[3];
        }
        if (cells[j].col == cell.col) {
            l = l ? std::min(*l, o[0]) : o[0];
            r = r ? std::max(*r, o[2]) : o[2];
        }
    }
    return {l.value_or(tableBox[0]), t.value_or(tableBox[1]), r.value_or(tableBox[0]), b.value_or(tableBox[1])};
}

}  // namespace

Cells cells(const std::vector<int>& sequence, const std::vector<std::array<float, 4>>& boxes,
            const std::vector<int>& classes, const std::map<int, std::string>& revWordMap,
            const std::array<double, 4>& tableBox)
{
    (void)classes;
    Cells out;
    out.rsSeq = tagsOf(sequence, revWordMap);
    std::vector<std::pair<int, int>> slot;
    const TagGrid grid = gridOf(out.rsSeq, slot);
    out.rows = static_cast<int>(grid.size());
    for (const auto& row : grid)
        out.cols = std::max(out.cols, static_cast<int>(row.size()));
    out.cells = openCells(grid);
    const Owners owner = ownersOf(grid, out.cells);
    const std::vector<std::optional<Box>> box = boxesByCell(out.rsSeq, slot, owner, out.cells.size(), boxes, tableBox);
    for (size_t i = 0; i < out.cells.size(); ++i)
        out.cells[i].box = box[i] ? *box[i] : borrowedBox(out.cells[i], out.cells, box, tableBox);
    return out;
}

bool isDegenerate(const std::vector<std::string>& rsSeq, int maxSteps)
{
    if (std::none_of(rsSeq.begin(), rsSeq.end(), opens))
        return true;
    return static_cast<long long>(rsSeq.size()) >= maxSteps;
}

}  // namespace VozudOzev::OTSL
