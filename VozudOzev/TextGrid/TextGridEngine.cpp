#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/TextGrid/RuleDetector.hpp"
#include "VozudOzev/OCR/TextHeight.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace VozudOzev {

namespace {

double centreX(const TextSegment& s)
{
    return s.bbox.x + 0.5 * s.bbox.w;
}

double centreY(const TextSegment& s)
{
    return s.bbox.y + 0.5 * s.bbox.h;
}

// Stable insertion sort that only asks whether a later element goes before an earlier
// one: the reading order below is not transitive, so std::sort may not be used.
template <class T, class Before>
void insertionSort(std::vector<T>& v, Before before)
{
    for (size_t i = 1; i < v.size(); ++i) {
        T item = std::move(v[i]);
        size_t j = i;
        while (j > 0 && before(item, v[j - 1])) {
            v[j] = std::move(v[j - 1]);
            --j;
        }
        v[j] = std::move(item);
    }
}

}  // namespace

std::vector<TextGridEngine::Row> TextGridEngine::clusterRows(const std::vector<TextSegment>& segments, double h)
{
    std::vector<Row> rows;
    for (const std::vector<size_t>& indices : clusterRowIndices(segments, h)) {
        Row& row = rows.emplace_back();
        for (size_t i : indices)
            row.push_back(segments[i]);
    }
    return rows;
}

std::vector<std::vector<size_t>> TextGridEngine::clusterRowIndices(const std::vector<TextSegment>& segments,
                                                                   double h)
{
    std::vector<size_t> order(segments.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return centreY(segments[a]) < centreY(segments[b]); });
    std::vector<std::vector<size_t>> rows;
    double centre = -std::numeric_limits<double>::infinity();
    double sum = 0;
    for (size_t i : order) {
        const double cy = centreY(segments[i]);
        if (!rows.empty() && std::abs(cy - centre) <= 0.5 * h) {
            rows.back().push_back(i);
            sum += cy;
            centre = sum / static_cast<double>(rows.back().size());
        } else {
            rows.push_back({i});
            sum = cy;
            centre = cy;
        }
    }
    return rows;
}

std::vector<TextGridEngine::Band> TextGridEngine::rawColumns(const std::vector<Row>& rows, const BBox& extent,
                                                             double minGap)
{
    // One slot per pixel: boxes from a damaged record must not ask for an absurd allocation.
    constexpr double maxWidth = 1'000'000;
    if (!std::isfinite(extent.x) || !std::isfinite(extent.w) || extent.w > maxWidth || std::abs(extent.x) > maxWidth)
        return {};
    const long long left = static_cast<long long>(std::floor(extent.x));
    const long long right = static_cast<long long>(std::ceil(extent.x + extent.w));
    const long long W = std::max(right - left, 1LL);

    std::vector<const Row*> used;
    for (const Row& r : rows)
        if (r.size() >= 2)
            used.push_back(&r);
    if (used.empty())
        for (const Row& r : rows)
            used.push_back(&r);
    const size_t n = used.size();

    std::vector<int> counts(static_cast<size_t>(W) + 1, 0);
    std::vector<int> marked(static_cast<size_t>(W) + 1, -1);  // last row that marked a slot
    for (size_t ri = 0; ri < n; ++ri) {
        for (const TextSegment& s : *used[ri]) {
            const long long from = std::max(static_cast<long long>(std::trunc(s.bbox.x)) - left, 0LL);
            const long long to = std::min(static_cast<long long>(std::ceil(s.bbox.x + s.bbox.w)) - left, W);
            for (long long k = from; k <= to; ++k) {
                if (marked[static_cast<size_t>(k)] != static_cast<int>(ri)) {
                    marked[static_cast<size_t>(k)] = static_cast<int>(ri);
                    ++counts[static_cast<size_t>(k)];
                }
            }
        }
    }

    const int t = n > 4 ? std::max(1, static_cast<int>(std::trunc(0.15 * static_cast<double>(n))))
                        : static_cast<int>(std::trunc(0.1 * static_cast<double>(n)));
    auto ink = [&](long long k) { return counts[static_cast<size_t>(k)] > t; };

    std::vector<Band> cols;
    long long k = 0;
    while (k <= W && !ink(k))
        ++k;
    if (k > W)
        return cols;
    long long start = k;
    while (k <= W) {
        if (ink(k)) {
            ++k;
            continue;
        }
        const long long gapStart = k;
        while (k <= W && !ink(k))
            ++k;
        if (k > W) {  // trailing gap
            cols.push_back({static_cast<double>(left + start), static_cast<double>(left + gapStart)});
            return cols;
        }
        if (static_cast<double>(k - gapStart) >= minGap) {
            cols.push_back({static_cast<double>(left + start), static_cast<double>(left + gapStart)});
            start = k;
        }
    }
    cols.push_back({static_cast<double>(left + start), static_cast<double>(left + W)});
    return cols;
}

std::vector<TextGridEngine::Band> TextGridEngine::columnsFromGaps(const std::vector<Row>& rows, const BBox& extent,
                                                                  double minGap)
{
    const std::vector<Band> raw = rawColumns(rows, extent, minGap);
    if (raw.empty())
        return {};
    const double lo = extent.x - 1;
    const double hi = extent.x + extent.w + 1;
    if (raw.size() == 1)
        return {{lo, hi}};
    std::vector<Band> bands;
    double prev = lo;
    for (size_t i = 0; i + 1 < raw.size(); ++i) {
        const double mid = (raw[i].hi + raw[i + 1].lo) / 2;
        bands.push_back({prev, mid});
        prev = mid;
    }
    bands.push_back({prev, hi});
    return bands;
}

std::vector<TextGridEngine::Band> TextGridEngine::bandsOf(const std::vector<double>& positions, double lo, double hi)
{
    std::vector<double> edges;
    if (positions.empty()) {
        edges = {lo, hi};
    } else {
        edges.push_back(std::min(positions.front(), lo));
        edges.insert(edges.end(), positions.begin(), positions.end());
        edges.push_back(std::max(positions.back(), hi));
    }
    std::vector<Band> bands;
    for (size_t i = 0; i + 1 < edges.size(); ++i)
        if (edges[i + 1] - edges[i] > 1)
            bands.push_back({edges[i], edges[i + 1]});
    return bands;
}

int TextGridEngine::colIndex(const std::vector<Band>& columns, double v)
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].lo <= v && v < columns[i].hi)
            return static_cast<int>(i);
    int best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < columns.size(); ++i) {
        const double d = v < columns[i].lo ? columns[i].lo - v : v - columns[i].hi;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

namespace {

using Row = TextGridEngine::Row;
using Band = TextGridEngine::Band;
using Placed = TextGridEngine::Placed;
using PlacedRows = std::vector<std::vector<Placed>>;

BBox extentOf(const std::vector<TextSegment>& segs)
{
    BBox extent = segs.front().bbox;
    for (const TextSegment& s : segs)
        extent = extent.unite(s.bbox);
    return extent;
}

RuleDetector::Rules detectRules(const Image& image, const BBox& extent, std::vector<std::string>& notes)
{
    RuleDetector::Rules rules = RuleDetector().detect(image, extent, 0.6);
    // The bands below assume ascending positions; the detector gives them so already.
    std::sort(rules.horizontal.begin(), rules.horizontal.end());
    std::sort(rules.vertical.begin(), rules.vertical.end());
    notes.push_back("rules: " + std::to_string(rules.horizontal.size()) + " horizontal, " +
                    std::to_string(rules.vertical.size()) + " vertical");
    return rules;
}

bool holdsAny(const Band& b, const std::vector<TextSegment>& segs, double (*centre)(const TextSegment&))
{
    return std::any_of(segs.begin(), segs.end(), [&](const TextSegment& s) {
        const double c = centre(s);
        return b.lo <= c && c < b.hi;
    });
}

// With two or more horizontal rules, rows follow the bands between them when the bands
// hold most rows; otherwise a rule only splits a clustered row it runs through.
// True when the rows are the bands.
bool rowsFromRules(std::vector<Row>& rows, const std::vector<TextSegment>& segs,
                   const std::vector<double>& horizontal, const BBox& extent)
{
    if (horizontal.size() < 2)
        return false;
    const std::vector<Band> bands = TextGridEngine::bandsOf(horizontal, extent.y - 1, extent.y + extent.h + 1);
    auto bandOf = [&](const TextSegment& s) {
        const double cy = centreY(s);
        for (size_t b = 0; b < bands.size(); ++b)
            if (bands[b].lo <= cy && cy < bands[b].hi)
                return static_cast<int>(b);
        return -1;
    };
    const auto holding =
        std::count_if(bands.begin(), bands.end(), [&](const Band& b) { return holdsAny(b, segs, centreY); });
    if (static_cast<double>(holding) >= 0.8 * static_cast<double>(rows.size())) {
        std::vector<Row> byBand(bands.size());
        for (const TextSegment& s : segs)
            if (int b = bandOf(s); b >= 0)
                byBand[static_cast<size_t>(b)].push_back(s);
        rows.clear();
        for (Row& r : byBand)
            if (!r.empty())
                rows.push_back(std::move(r));
        return true;
    }
    std::vector<Row> split;
    for (const Row& r : rows) {
        std::map<int, Row> groups;
        for (const TextSegment& s : r)
            groups[bandOf(s)].push_back(s);
        for (auto& [key, g] : groups)
            split.push_back(std::move(g));
    }
    rows = std::move(split);
    return false;
}

// The bands between vertical rules that hold text, else columns from the gaps between text.
std::vector<Band> chooseColumns(const std::vector<Row>& rows, const std::vector<TextSegment>& segs,
                                const std::vector<double>& vertical, const BBox& extent, double minGap,
                                std::vector<std::string>& notes)
{
    if (vertical.size() < 2)
        return TextGridEngine::columnsFromGaps(rows, extent, minGap);
    std::vector<Band> columns;
    for (const Band& b : TextGridEngine::bandsOf(vertical, extent.x - 1, extent.x + extent.w + 1))
        if (holdsAny(b, segs, centreX))
            columns.push_back(b);
    notes.push_back("columns from rules");
    return columns;
}

// Each segment's first and last column, judged a little inside its ends so that a
// slight overhang does not widen its span.
PlacedRows place(const std::vector<Row>& rows, const std::vector<Band>& columns, double h)
{
    PlacedRows placedRows;
    placedRows.reserve(rows.size());
    for (const Row& r : rows) {
        std::vector<Placed> placed;
        for (const TextSegment& s : r) {
            const double inset = std::min(0.25 * s.bbox.w, 0.3 * h);
            const int a = TextGridEngine::colIndex(columns, s.bbox.x + inset);
            const int b = TextGridEngine::colIndex(columns, s.bbox.x + s.bbox.w - inset);
            placed.push_back({std::min(a, b), std::max(a, b), s});
        }
        placedRows.push_back(std::move(placed));
    }
    return placedRows;
}

std::set<int> cover(const std::vector<Placed>& row)
{
    std::set<int> c;
    for (const Placed& p : row)
        for (int k = p.c0; k <= p.c1; ++k)
            c.insert(k);
    return c;
}

// A row close below the last kept one, covering fewer of the same columns, is a
// wrapped continuation of it.
void mergeContinuations(PlacedRows& placedRows, double h, double mergeGapFactor, std::vector<std::string>& notes)
{
    const size_t before = placedRows.size();
    PlacedRows merged{std::move(placedRows.front())};
    for (size_t i = 1; i < placedRows.size(); ++i) {
        std::vector<Placed>& row = placedRows[i];
        std::vector<Placed>& last = merged.back();
        double top = std::numeric_limits<double>::infinity();
        for (const Placed& p : row)
            top = std::min(top, p.seg.bbox.y);
        double bottom = -std::numeric_limits<double>::infinity();
        for (const Placed& p : last)
            bottom = std::max(bottom, p.seg.bbox.y + p.seg.bbox.h);
        const std::set<int> cr = cover(row);
        const std::set<int> cl = cover(last);
        if (top - bottom < h * mergeGapFactor && std::includes(cl.begin(), cl.end(), cr.begin(), cr.end()) &&
            cr.size() < cl.size()) {
            for (Placed& p : row)
                last.push_back(std::move(p));
        } else {
            merged.push_back(std::move(row));
        }
    }
    placedRows = std::move(merged);
    if (placedRows.size() != before)
        notes.push_back("merged " + std::to_string(before - placedRows.size()) + " continuation lines");
}

// One cell from the segments that start in the same column: text in reading order,
// the lowest confidence, the united box.
Cell cellOf(int row, int c0, const std::vector<const Placed*>& group, double h)
{
    int c1 = c0;
    for (const Placed* p : group)
        c1 = std::max(c1, p->c1);
    std::vector<const TextSegment*> order;
    for (const Placed* p : group)
        order.push_back(&p->seg);
    insertionSort(order, [h](const TextSegment* a, const TextSegment* b) {
        const double dy = centreY(*a) - centreY(*b);
        if (std::abs(dy) > 0.5 * h)
            return dy < 0;
        return a->bbox.x < b->bbox.x;
    });
    Cell cell;
    cell.row = row;
    cell.col = c0;
    cell.rowSpan = 1;
    cell.colSpan = c1 - c0 + 1;
    double confidence = order.front()->confidence;
    BBox box = order.front()->bbox;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0)
            cell.text += ' ';
        cell.text += order[i]->text;
        confidence = std::min(confidence, order[i]->confidence);
        box = box.unite(order[i]->bbox);
    }
    cell.confidence = confidence;
    cell.bbox = box;
    return cell;
}

std::vector<Cell> cellsOf(const PlacedRows& placedRows, double h)
{
    std::vector<Cell> cells;
    for (size_t r = 0; r < placedRows.size(); ++r) {
        std::map<int, std::vector<const Placed*>> groups;
        for (const Placed& p : placedRows[r])
            groups[p.c0].push_back(&p);
        for (auto& [c0, group] : groups)
            cells.push_back(cellOf(static_cast<int>(r), c0, group, h));
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    return cells;
}

}  // namespace

std::optional<Table> TextGridEngine::build(const std::vector<OCRLine>& lines, const Image* image,
                                           std::vector<std::string>& notes) const
{
    const std::vector<TextSegment> segs = TextOCR::segments(lines, segmentGapFactor);
    if (segs.empty()) {
        notes.push_back("no text");
        return std::nullopt;
    }
    double h = TextHeight::median(segs);
    const BBox extent = extentOf(segs);
    const RuleDetector::Rules rules = useRules && image ? detectRules(*image, extent, notes) : RuleDetector::Rules{};
    if (h <= 1)
        h = 1;

    std::vector<Row> rows = clusterRows(segs, h);
    const bool ruleRows = rowsFromRules(rows, segs, rules.horizontal, extent);
    const std::vector<Band> columns = chooseColumns(rows, segs, rules.vertical, extent, h * minColumnGapFactor, notes);
    if (columns.empty()) {
        notes.push_back("no columns");
        return std::nullopt;
    }
    std::vector<std::vector<Placed>> placedRows = place(rows, columns, h);
    if (!ruleRows && placedRows.size() >= 2)
        mergeContinuations(placedRows, h, mergeGapFactor, notes);

    Table table;
    table.index = 0;
    table.rows = static_cast<int>(placedRows.size());
    table.cols = static_cast<int>(columns.size());
    table.cells = cellsOf(placedRows, h);
    table.bbox = extent;
    return table;
}

EngineOutput TextGridEngine::run(const Image& image, const std::string& id) const
{
    const auto t0 = Clock::now();
    std::vector<OCRLine> lines = ocr.recognize(image);
    std::vector<std::string> notes;
    std::optional<Table> table = build(lines, &image, notes);
    std::vector<Table> tables;
    if (table)
        tables.push_back(std::move(*table));
    return EngineOutput(id, name(), image.width, image.height, Clock::millisecondsSince(t0), std::move(tables),
                        std::string("line"), std::move(notes));
}

}  // namespace VozudOzev
