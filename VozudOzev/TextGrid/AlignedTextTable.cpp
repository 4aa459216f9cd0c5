#include "VozudOzev/TextGrid/AlignedTextTable.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/OCR/TextHeight.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace VozudOzev {

namespace {

// Wider blocks are not screen text; the column projection would allocate per pixel.
constexpr double maxBlockWidth = 1'000'000;

bool finite(const BBox& b)
{
    return std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.w) && std::isfinite(b.h) && b.w >= 0 &&
           b.h >= 0;
}

double centreY(const BBox& b)
{
    return b.y + 0.5 * b.h;
}

AlignedTextTable::Segment open(const OCRWord& w)
{
    return {{w.text, w.bbox, w.confidence}, {w}};
}

void join(AlignedTextTable::Segment& s, const OCRWord& w)
{
    s.seg.text += " " + w.text;
    s.seg.bbox = s.seg.bbox.unite(w.bbox);
    s.seg.confidence = std::min(s.seg.confidence, w.confidence);
    s.words.push_back(w);
}

std::vector<TextGridEngine::Row> plainRows(const AlignedTextTable::Block& block)
{
    std::vector<TextGridEngine::Row> rows;
    for (const AlignedTextTable::Row& r : block) {
        TextGridEngine::Row& row = rows.emplace_back();
        for (const AlignedTextTable::Segment& s : r)
            row.push_back(s.seg);
    }
    return rows;
}

std::optional<BBox> extentOf(const AlignedTextTable::Block& block)
{
    std::optional<BBox> extent;
    for (const AlignedTextTable::Row& r : block)
        for (const AlignedTextTable::Segment& s : r)
            extent = extent ? extent->unite(s.seg.bbox) : s.seg.bbox;
    return extent;
}

}  // namespace

std::optional<double> AlignedTextTable::charWidth(const std::vector<OCRWord>& words)
{
    std::vector<double> widths;
    for (const OCRWord& w : words) {
        const size_t n = Unicode::graphemes(Unicode::trimmed(w.text)).size();
        if (n > 0 && std::isfinite(w.bbox.w) && w.bbox.w > 0)
            widths.push_back(w.bbox.w / static_cast<double>(n));
    }
    if (widths.empty())
        return std::nullopt;
    std::sort(widths.begin(), widths.end());
    return widths[widths.size() / 2];
}

AlignedTextTable::Segment AlignedTextTable::shrunk(const Segment& segment, double by)
{
    Segment out = segment;
    BBox& b = out.seg.bbox;
    const double cut = std::clamp(by, 0.0, b.w / 2);
    b.x += cut;
    b.w -= 2 * cut;
    return out;
}

std::vector<std::pair<int, AlignedTextTable::Segment>> AlignedTextTable::splitAcrossColumns(
    const Segment& segment, std::pair<int, int> span, const std::vector<Band>& col)
{
    std::vector<std::pair<int, Segment>> pieces;
    for (const OCRWord& w : segment.words) {
        // Only words standing inside a column's own text are taken apart; a word in the
        // space between columns means running text, which keeps the segment whole.
        const double centre = w.bbox.midX();
        int c = -1;
        for (int k = std::max(span.first, 0); k <= span.second && k < static_cast<int>(col.size()); ++k)
            if (col[static_cast<size_t>(k)].lo <= centre && centre < col[static_cast<size_t>(k)].hi)
                c = k;
        if (c < 0)
            return {{span.first, segment}};
        if (!pieces.empty() && pieces.back().first == c)
            join(pieces.back().second, w);
        else
            pieces.emplace_back(c, open(w));
    }
    // Words that cannot be told apart keep the segment whole, spanning its columns.
    if (pieces.size() <= 1)
        return {{span.first, segment}};
    return pieces;
}

std::vector<AlignedTextTable::Band> AlignedTextTable::textColumnsOf(const Block& block, double cw,
                                                                    const TextGridEngine& grid) const
{
    const std::optional<BBox> extent = extentOf(block);
    if (!extent || extent->w > maxBlockWidth)
        return {};
    return grid.rawColumns(plainRows(block), *extent, cw * minColumnGapChars);
}

std::vector<AlignedTextTable::Band> AlignedTextTable::columnsOf(const Block& block, double cw,
                                                                const TextGridEngine& grid) const
{
    const std::optional<BBox> extent = extentOf(block);
    if (!extent || extent->w > maxBlockWidth)
        return {};
    return grid.columnsFromGaps(plainRows(block), *extent, cw * minColumnGapChars);
}

bool AlignedTextTable::fits(const Block& block, const Block& above, double h, double cw,
                            const TextGridEngine& grid) const
{
    const std::optional<BBox> aboveExtent = extentOf(above);
    const std::optional<BBox> blockExtent = extentOf(block);
    if (!aboveExtent || !blockExtent || aboveExtent->w > maxBlockWidth || blockExtent->w > maxBlockWidth)
        return false;
    const double minGap = cw * minColumnGapChars;
    const std::vector<Band> bands = grid.columnsFromGaps(plainRows(above), *aboveExtent, minGap);
    const std::vector<Band> own = grid.rawColumns(plainRows(block), *blockExtent, minGap);
    if (bands.size() < 2 || own.size() < 2)
        return false;
    const double trim = cw * edgeTrimChars;
    std::set<int> used;
    for (const Band& c : own) {
        double lo = c.lo + trim;
        double hi = c.hi - trim;
        if (hi < lo)
            lo = hi = (c.lo + c.hi) / 2;
        const int a = TextGridEngine::colIndex(bands, lo);
        const int b = TextGridEngine::colIndex(bands, hi);
        if (a != b || !used.insert(a).second)
            return false;
    }
    return true;
}

std::optional<Table> AlignedTextTable::table(const Block& block, double h, double cw, const TextGridEngine& grid) const
{
    const std::vector<Band> columns = columnsOf(block, cw, grid);
    if (columns.size() < 2)
        return std::nullopt;
    const std::vector<Band> text = textColumnsOf(block, cw, grid);

    struct Placed {
        int c0 = 0;
        int c1 = 0;
        Segment piece;
    };
    const double trim = cw * edgeTrimChars;
    std::vector<Cell> cells;
    int rowsInColumns = 0;
    for (size_t r = 0; r < block.size(); ++r) {
        std::vector<Placed> placed;
        for (const Segment& s : block[r]) {
            const BBox inner = shrunk(s, trim).seg.bbox;
            const int a = TextGridEngine::colIndex(columns, inner.x);
            const int b = TextGridEngine::colIndex(columns, inner.x + inner.w);
            const int c0 = std::min(a, b), c1 = std::max(a, b);
            if (c0 == c1) {
                placed.push_back({c0, c1, s});
                continue;
            }
            std::vector<std::pair<int, Segment>> pieces = splitAcrossColumns(s, {c0, c1}, text);
            if (pieces.size() == 1)
                placed.push_back({c0, c1, std::move(pieces.front().second)});
            else
                for (auto& [c, piece] : pieces)
                    placed.push_back({c, c, std::move(piece)});
        }

        std::map<int, std::vector<const Placed*>> byColumn;
        for (const Placed& p : placed)
            byColumn[p.c0].push_back(&p);
        if (byColumn.size() >= 2)
            ++rowsInColumns;
        for (auto it = byColumn.begin(); it != byColumn.end(); ++it) {
            std::vector<const Placed*>& group = it->second;
            std::stable_sort(group.begin(), group.end(),
                             [](const Placed* a, const Placed* b) { return a->piece.seg.bbox.x < b->piece.seg.bbox.x; });
            int c1 = it->first;
            Cell cell;
            cell.row = static_cast<int>(r);
            cell.col = it->first;
            double confidence = group.front()->piece.seg.confidence;
            BBox box = group.front()->piece.seg.bbox;
            for (const Placed* p : group) {
                c1 = std::max(c1, p->c1);
                if (!cell.text.empty())
                    cell.text += ' ';
                cell.text += p->piece.seg.text;
                confidence = std::min(confidence, p->piece.seg.confidence);
                box = box.unite(p->piece.seg.bbox);
            }
            // A span stops short of the next cell of the row, so no slot has two cells.
            const auto next = std::next(it);
            if (next != byColumn.end())
                c1 = std::min(c1, next->first - 1);
            cell.colSpan = c1 - cell.col + 1;
            cell.confidence = confidence;
            cell.bbox = box;
            cells.push_back(std::move(cell));
        }
    }
    if (rowsInColumns < 2)
        return std::nullopt;

    Table t;
    t.rows = static_cast<int>(block.size());
    t.cols = static_cast<int>(columns.size());
    t.cells = std::move(cells);
    t.bbox = extentOf(block);
    return t;
}

std::vector<Table> AlignedTextTable::build(const std::vector<OCRLine>& lines) const
{
    // Blank words carry no text; words without a usable box cannot be placed.
    auto usable = [](const OCRWord& w) { return finite(w.bbox) && !Unicode::trimmed(w.text).empty(); };
    std::vector<OCRWord> words;
    for (const OCRLine& l : lines)
        for (const OCRWord& w : l.words)
            if (usable(w))
                words.push_back(w);
    if (words.size() < 4)
        return {};

    const double h = std::max(TextHeight::median(words), 1.0);
    const double cw = charWidth(words).value_or(h * 0.55);

    std::vector<Segment> segments;
    for (const OCRLine& l : lines) {
        std::vector<OCRWord> ws;
        for (const OCRWord& w : l.words)
            if (usable(w))
                ws.push_back(w);
        if (ws.empty())
            continue;
        std::stable_sort(ws.begin(), ws.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        Segment current = open(ws.front());
        for (size_t i = 1; i < ws.size(); ++i) {
            const double gap = ws[i].bbox.x - (current.seg.bbox.x + current.seg.bbox.w);
            if (gap > cw * segmentGapChars) {
                segments.push_back(std::move(current));
                current = open(ws[i]);
            } else {
                join(current, ws[i]);
            }
        }
        segments.push_back(std::move(current));
    }

    const TextGridEngine grid(TextGridEngine::RuledLines::ignored, TextOCR{});
    std::vector<TextSegment> plain;
    for (const Segment& s : segments)
        plain.push_back(s.seg);
    std::vector<Row> rows;
    for (const std::vector<size_t>& indices : grid.clusterRowIndices(plain, h)) {
        Row& row = rows.emplace_back();
        for (size_t i : indices)
            row.push_back(segments[i]);
        std::stable_sort(row.begin(), row.end(),
                         [](const Segment& a, const Segment& b) { return a.seg.bbox.x < b.seg.bbox.x; });
    }
    if (rows.size() < 2)
        return {};

    std::vector<double> centres;
    for (const Row& r : rows) {
        double sum = 0;
        for (const Segment& s : r)
            sum += centreY(s.seg.bbox);
        centres.push_back(sum / static_cast<double>(r.size()));
    }
    std::vector<double> steps;
    for (size_t i = 1; i < centres.size(); ++i)
        steps.push_back(centres[i] - centres[i - 1]);
    std::sort(steps.begin(), steps.end());
    const double pitch = steps.empty() ? h : std::max(steps[steps.size() / 2], h);

    std::vector<Block> blocks{{rows.front()}};
    for (size_t i = 1; i < rows.size(); ++i) {
        if (centres[i] - centres[i - 1] > pitch * blockGapPitch)
            blocks.emplace_back();
        blocks.back().push_back(rows[i]);
    }

    std::vector<Block> joined{std::move(blocks.front())};
    for (size_t i = 1; i < blocks.size(); ++i) {
        if (fits(blocks[i], joined.back(), h, cw, grid))
            joined.back().insert(joined.back().end(), blocks[i].begin(), blocks[i].end());
        else
            joined.push_back(std::move(blocks[i]));
    }

    std::vector<Table> tables;
    for (const Block& b : joined)
        if (std::optional<Table> t = table(b, h, cw, grid)) {
            t->index = static_cast<int>(tables.size());
            tables.push_back(std::move(*t));
        }
    return tables;
}

}  // namespace VozudOzev
