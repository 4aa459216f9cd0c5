#include "VozudOzev/TextGrid/ColumnPlacement.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

namespace {

double overlap(double lo0, double hi0, double lo1, double hi1)
{
    return std::min(hi0, hi1) - std::max(lo0, lo1);
}

bool overAnyText(const BBox& box, const std::vector<std::optional<ColumnPlacement::Band>>& text)
{
    return std::any_of(text.begin(), text.end(), [&](const std::optional<ColumnPlacement::Band>& t) {
        return t && overlap(box.x, box.maxX(), t->lo, t->hi) > 0;
    });
}

// Whether the box covers half of a column's text, or stands over that text with half of itself.
bool holdsText(const BBox& box, const std::optional<ColumnPlacement::Band>& t)
{
    const double covered = t ? overlap(box.x, box.maxX(), t->lo, t->hi) : 0;
    return covered > 0 && covered >= 0.5 * std::min(t->hi - t->lo, box.w);
}

bool holdsColumnText(const BBox& box, ColumnPlacement::Span span,
                     const std::vector<std::optional<ColumnPlacement::Band>>& text)
{
    for (int k = std::max(span.first, 0); k <= span.second && k < static_cast<int>(text.size()); ++k)
        if (holdsText(box, text[static_cast<size_t>(k)]))
            return true;
    return false;
}

}  // namespace

std::vector<std::optional<ColumnPlacement::Band>> ColumnPlacement::textOf(const std::vector<TextGridEngine::Row>& rows,
                                                                          const std::vector<Band>& columns,
                                                                          double minGap)
{
    std::vector<std::optional<Band>> text(columns.size());
    std::optional<BBox> extent;
    for (const TextGridEngine::Row& row : rows)
        for (const TextSegment& s : row)
            extent = extent ? extent->unite(s.bbox) : s.bbox;
    if (!extent)
        return text;
    for (const Band& run : TextGridEngine::rawColumns(rows, *extent, minGap))
        for (size_t k = 0; k < columns.size(); ++k) {
            const double lo = std::max(run.lo, columns[k].lo);
            const double hi = std::min(run.hi, columns[k].hi);
            if (hi <= lo)
                continue;
            std::optional<Band>& t = text[k];
            t = t ? Band{std::min(t->lo, lo), std::max(t->hi, hi)} : Band{lo, hi};
        }
    return text;
}

ColumnPlacement::Span ColumnPlacement::narrowed(const BBox& box, Span span,
                                                const std::vector<std::optional<Band>>& text)
{
    int first = -1;
    int last = -1;
    for (int k = std::max(span.first, 0); k <= span.second && k < static_cast<int>(text.size()); ++k) {
        if (holdsText(box, text[static_cast<size_t>(k)])) {
            if (first < 0)
                first = k;
            last = k;
        }
    }
    return first < 0 ? span : Span{first, last};
}

int ColumnPlacement::attachStrays(const std::vector<BBox>& boxes, std::vector<Span>& spans,
                                  const std::vector<std::optional<Band>>& text, double phraseGap)
{
    const size_t n = std::min(boxes.size(), spans.size());
    std::vector<bool> anchored(n);
    // A phrase over two columns that holds half of neither's text (the first word of a
    // right-aligned header reaching back into the gap) has no column of its own either.
    for (size_t i = 0; i < n; ++i)
        anchored[i] = overAnyText(boxes[i], text) &&
                      (spans[i].first == spans[i].second || holdsColumnText(boxes[i], spans[i], text));
    int moved = 0;
    // Strays next to strays follow once their neighbour has found its column.
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < n; ++i) {
            if (anchored[i])
                continue;
            const double left = i > 0 && anchored[i - 1] ? boxes[i].x - boxes[i - 1].maxX() : INFINITY;
            const double right = i + 1 < n && anchored[i + 1] ? boxes[i + 1].x - boxes[i].maxX() : INFINITY;
            if (std::min(left, right) > phraseGap)
                continue;
            const int c = left <= right ? spans[i - 1].second : spans[i + 1].first;
            if (spans[i] != Span{c, c})
                ++moved;
            spans[i] = {c, c};
            anchored[i] = true;
            changed = true;
        }
    }
    return moved;
}

std::vector<ColumnPlacement::Span> ColumnPlacement::spansOf(const TextGridEngine::Row& row,
                                                            const std::vector<Band>& columns,
                                                            const std::vector<std::optional<Band>>& text, double h,
                                                            std::optional<double> phraseGap, Moves& moves)
{
    std::vector<size_t> order(row.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return row[a].bbox.x < row[b].bbox.x; });
    std::vector<BBox> boxes;
    std::vector<Span> spans;
    for (size_t i : order) {
        const BBox& box = row[i].bbox;
        const double inset = std::min(0.25 * box.w, 0.3 * h);
        const int a = TextGridEngine::colIndex(columns, box.x + inset);
        const int b = TextGridEngine::colIndex(columns, box.maxX() - inset);
        Span span{std::min(a, b), std::max(a, b)};
        if (span.first != span.second) {
            const Span fit = narrowed(box, span, text);
            moves.narrowed += fit != span ? 1 : 0;
            span = fit;
        }
        boxes.push_back(box);
        spans.push_back(span);
    }
    if (phraseGap)
        moves.strays += attachStrays(boxes, spans, text, *phraseGap);
    std::vector<Span> out(row.size());
    for (size_t k = 0; k < order.size(); ++k)
        out[order[k]] = spans[k];
    return out;
}

}  // namespace VozudOzev
