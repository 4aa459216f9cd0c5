#include "VozudOzev/Model/Table.hpp"

#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>

namespace VozudOzev {

std::vector<std::vector<std::string>> Table::grid() const
{
    const int r = std::max(rows, 0);
    const int c = std::max(cols, 0);
    std::vector<std::vector<std::string>> g(static_cast<size_t>(r), std::vector<std::string>(static_cast<size_t>(c)));
    for (const Cell& cell : cells) {
        if (cell.row < 0 || cell.row >= r || cell.col < 0 || cell.col >= c)
            continue;
        std::string& slot = g[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)];
        if (slot.empty())
            slot = cell.text;
        else
            slot += " " + cell.text;
    }
    return g;
}

int Table::leadingHeaderRows() const
{
    // One pass over the cells (the editor asks on every redraw of large tables). A header row
    // needs a cell of its own, so there can be no more header rows than cells.
    const std::size_t limit = std::min(static_cast<std::size_t>(std::max(rows, 0)), cells.size());
    enum : unsigned char { noCell, allHeader, notHeader };
    std::vector<unsigned char> state(limit, noCell);
    for (const Cell& cell : cells) {
        if (cell.row < 0 || static_cast<std::size_t>(cell.row) >= limit)
            continue;
        unsigned char& s = state[static_cast<std::size_t>(cell.row)];
        s = cell.header == true && s != notHeader ? allHeader : notHeader;
    }
    int n = 0;
    while (static_cast<std::size_t>(n) < limit && state[static_cast<std::size_t>(n)] == allHeader)
        ++n;
    return n;
}

std::vector<std::string> Table::columnHeaderLabels(int headerRows, const std::string& separator) const
{
    const int c = std::max(cols, 0);
    const int h = std::clamp(headerRows, 0, std::max(rows, 0));
    std::vector<std::string> labels(static_cast<size_t>(c));
    if (h == 0 || c == 0)
        return labels;

    auto g = grid();
    for (const Cell& cell : cells) {
        if (cell.row < 0 || cell.row >= h || cell.col < 0 || cell.col >= c || cell.colSpan <= 1)
            continue;
        auto& line = g[static_cast<size_t>(cell.row)];
        const std::string anchor = line[static_cast<size_t>(cell.col)];
        const int end = static_cast<int>(std::min<long long>(static_cast<long long>(cell.col) + cell.colSpan, c));
        for (int k = cell.col; k < end; ++k)
            if (line[static_cast<size_t>(k)].empty())
                line[static_cast<size_t>(k)] = anchor;
    }

    for (int col = 0; col < c; ++col) {
        std::vector<std::string> kept;
        for (int r = 0; r < h; ++r) {
            std::string t = Unicode::trimmed(g[static_cast<size_t>(r)][static_cast<size_t>(col)]);
            if (t.empty() || (!kept.empty() && kept.back() == t))
                continue;
            kept.push_back(std::move(t));
        }
        std::string label;
        for (size_t i = 0; i < kept.size(); ++i) {
            if (i > 0)
                label += separator;
            label += kept[i];
        }
        labels[static_cast<size_t>(col)] = std::move(label);
    }
    return labels;
}

void Table::checkSize(int rows, int cols, const nlohmann::json& context)
{
    // A damaged or hostile record must not make every reader allocate an absurd grid.
    if (rows < 0 || cols < 0 || static_cast<long long>(rows) * cols > maxSlots)
        throw nlohmann::json::out_of_range::create(406, "table size out of range", &context);
}

void to_json(nlohmann::json& j, const Table& t)
{
    j = nlohmann::json{{"index", t.index}, {"rows", t.rows}, {"cols", t.cols}, {"cells", t.cells}};
    JSONIO::putOptional(j, "bbox", t.bbox);
}

void from_json(const nlohmann::json& j, Table& t)
{
    t.index = JSONIO::getInt(j, "index");
    t.rows = JSONIO::getInt(j, "rows", 0);
    t.cols = JSONIO::getInt(j, "cols", 0);
    Table::checkSize(t.rows, t.cols, j);
    t.cells = j.at("cells").get<std::vector<Cell>>();
    t.bbox = JSONIO::getOptional<BBox>(j, "bbox");
}

}  // namespace VozudOzev
