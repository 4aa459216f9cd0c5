#include "VozudOzev/TextGrid/RowSpans.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::RowSpans {

namespace {

// A pixel of a thin horizontal line: unlike the pixels a little above and below it, which
// agree with each other (so the edges of filled bands and bars are not lines).
struct LinePixels {
    const std::vector<std::uint8_t>& grey;
    int W, H;

    bool at(int x, int y) const
    {
        if (x < 0 || x >= W || y < 3 || y >= H - 3)
            return false;
        const int g = grey[static_cast<size_t>(y) * W + x];
        for (int d : {2, 3}) {
            const int up = grey[static_cast<size_t>(y - d) * W + x];
            const int down = grey[static_cast<size_t>(y + d) * W + x];
            if (std::abs(up - down) < 10 && std::abs(g - up) >= 10 && std::abs(g - down) >= 10 &&
                (g > up) == (g > down))
                return true;
        }
        return false;
    }

    // Share of x in [x0, x1) where a line crosses some row y-1...y+1.
    double coverage(double x0, double x1, double y) const
    {
        const int from = std::max(0, static_cast<int>(std::ceil(x0)));
        const int to = std::min(W, static_cast<int>(std::floor(x1)));
        if (to - from < 2)
            return 0;
        const int yc = static_cast<int>(std::lround(y));
        int hits = 0;
        for (int x = from; x < to; ++x)
            hits += at(x, yc - 1) || at(x, yc) || at(x, yc + 1) ? 1 : 0;
        return static_cast<double>(hits) / (to - from);
    }
};

bool usable(const Image& image)
{
    return image.width >= 8 && image.height >= 8 &&
           image.rgb.size() >= static_cast<size_t>(image.width) * image.height * 3;
}

}  // namespace

std::vector<double> shortRules(const Image& image, const BBox& extent, double minRun)
{
    if (!usable(image) || !std::isfinite(minRun) || !std::isfinite(extent.x) || !std::isfinite(extent.y) ||
        !std::isfinite(extent.w) || !std::isfinite(extent.h))
        return {};
    const std::vector<std::uint8_t> grey = image.grey();
    const LinePixels line{grey, image.width, image.height};
    const int x0 = std::clamp(static_cast<int>(extent.x), 0, image.width);
    const int x1 = std::clamp(static_cast<int>(extent.maxX()) + 1, 0, image.width);
    const int y0 = std::clamp(static_cast<int>(extent.y), 0, image.height);
    const int y1 = std::clamp(static_cast<int>(extent.maxY()) + 1, 0, image.height);
    std::vector<double> out;
    int lastY = -10;
    for (int y = y0; y < y1; ++y) {
        // Runs bridge the few pixels where a vertical rule crosses the line.
        int start = -1;
        int last = -10;
        int best = 0;
        for (int x = x0; x < x1; ++x) {
            if (!line.at(x, y))
                continue;
            if (x - last > 5)
                start = x;
            last = x;
            best = std::max(best, x - start + 1);
        }
        if (best < minRun)
            continue;
        // Consecutive pixel rows of one line count once.
        if (y - lastY > 1)
            out.push_back(y);
        lastY = y;
    }
    return out;
}

namespace {

// Each row's middle: the median middle of its cells; empty when a row has none.
std::vector<double> rowMiddles(const Table& table)
{
    std::vector<double> middle(static_cast<size_t>(table.rows), std::nan(""));
    for (int r = 0; r < table.rows; ++r) {
        std::vector<double> ys;
        for (const Cell& c : table.cells)
            if (c.row == r && c.bbox)
                ys.push_back(c.bbox->midY());
        if (ys.empty())
            return {};
        middle[static_cast<size_t>(r)] = upperMedian(std::move(ys));
    }
    return middle;
}

// open[r][c]: a rule parts rows r and r + 1 in some column, but not in column c.
// ruleY[r]: that rule.
struct OpenRules {
    std::vector<std::vector<bool>> open;
    std::vector<double> ruleY;
};

OpenRules openRules(const Table& table, const std::vector<TextGridEngine::Band>& columns,
                    const std::vector<double>& rules, const std::vector<double>& middle, const Image& image, double h)
{
    const int R = table.rows;
    const BBox extent = *table.bbox;
    const std::vector<std::uint8_t> grey = image.grey();
    const LinePixels line{grey, image.width, image.height};
    auto across = [&](int c, double y) {
        const TextGridEngine::Band& b = columns[static_cast<size_t>(c)];
        const double lo = std::max(b.lo, extent.x) + 0.3 * h;
        const double hi = std::min(b.hi, extent.maxX()) - 0.3 * h;
        return hi - lo >= 2 && line.coverage(lo, hi, y) >= 0.6;
    };
    OpenRules out{std::vector<std::vector<bool>>(static_cast<size_t>(R), std::vector<bool>(static_cast<size_t>(table.cols))),
                  std::vector<double>(static_cast<size_t>(R), std::nan(""))};
    for (int r = 0; r + 1 < R; ++r) {
        for (double y : rules) {
            if (!(middle[r] < y && y < middle[r + 1]))
                continue;
            std::vector<bool> drawn(static_cast<size_t>(table.cols));
            for (int c = 0; c < table.cols; ++c)
                drawn[c] = across(c, y);
            if (std::none_of(drawn.begin(), drawn.end(), [](bool d) { return d; }))
                continue;
            out.ruleY[r] = y;
            for (int c = 0; c < table.cols; ++c)
                out.open[r][c] = !drawn[c];
            break;
        }
    }
    return out;
}

Cell* cellAt(Table& table, int r, int c)
{
    for (Cell& cell : table.cells)
        if (cell.row == r && cell.col == c)
            return &cell;
    return nullptr;
}

// Another column's cell reaching over column c in row r: no span is read there.
bool crossed(const Table& table, int r, int c)
{
    return std::any_of(table.cells.begin(), table.cells.end(), [&](const Cell& cell) {
        return cell.row == r && cell.col < c && cell.col + cell.colSpan > c;
    });
}

// Rows r0..r1 of column c have no rule between them. Returns the spans made.
int spanRun(Table& table, int c, int r0, int r1, const OpenRules& open, const std::vector<double>& middle, double h,
            bool grid)
{
    std::vector<Cell*> texts;
    bool clear = true;
    for (int r = r0; r <= r1; ++r) {
        if (Cell* cell = cellAt(table, r, c); cell && !cell->text.empty()) {
            texts.push_back(cell);
            clear = clear && cell->colSpan == 1;
        }
        clear = clear && !crossed(table, r, c);
    }
    if (r1 == r0 || !clear)
        return 0;
    // One text in rows with no rule between them in this column is one cell. In a grid it
    // may stand at the top, the middle or (as spreadsheets draw) the bottom of them; without
    // column rules only a centred one spans, for a label keeping to its own row under a
    // group header's short rule is a row of its own there.
    const bool centred = texts.size() == 1 && texts.front()->bbox &&
                         std::abs(texts.front()->bbox->midY() - 0.5 * (middle[r0] + middle[r1])) <=
                             std::abs(texts.front()->bbox->midY() - middle[texts.front()->row]) + 0.25 * h;
    if (texts.size() == 1 && (grid || centred)) {
        Cell* text = texts.front();
        std::erase_if(table.cells, [&](const Cell& cell) {
            return &cell != text && cell.col == c && cell.row >= r0 && cell.row <= r1;
        });
        text = nullptr;
        for (Cell& cell : table.cells)
            if (cell.col == c && cell.row >= r0 && cell.row <= r1)
                text = &cell;
        text->row = r0;
        text->rowSpan = r1 - r0 + 1;
        return 1;
    }
    // Several texts: a text reaching above the missing rule over it belongs to the row
    // above as well, when that row holds nothing here.
    int spanned = 0;
    for (Cell* cell : texts) {
        const int r = cell->row;
        if (r > r0 && !cellAt(table, r - 1, c) && cell->bbox && cell->bbox->y < open.ruleY[r - 1] - 0.25 * h) {
            cell->row = r - 1;
            cell->rowSpan = 2;
            ++spanned;
        }
    }
    return spanned;
}

}  // namespace

int apply(Table& table, const std::vector<TextGridEngine::Band>& columns, const std::vector<double>& rules,
          const Image& image, double h, bool grid)
{
    if (!usable(image) || table.rows < 2 || rules.empty() || static_cast<int>(columns.size()) != table.cols ||
        !table.bbox)
        return 0;
    const std::vector<double> middle = rowMiddles(table);
    if (middle.empty())
        return 0;
    const OpenRules open = openRules(table, columns, rules, middle, image, h);
    int spanned = 0;
    for (int c = 0; c < table.cols; ++c) {
        for (int r0 = 0; r0 < table.rows;) {
            int r1 = r0;
            while (r1 + 1 < table.rows && open.open[r1][c])
                ++r1;
            spanned += spanRun(table, c, r0, r1, open, middle, h, grid);
            r0 = r1 + 1;
        }
    }
    std::sort(table.cells.begin(), table.cells.end(),
              [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    return spanned;
}

}  // namespace VozudOzev::RowSpans
