#include "VozudOzev/TextGrid/MonospaceColumns.hpp"

#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>

namespace VozudOzev {

namespace {

// Whether a word runs over x: well into both sides, with ink at x itself.
bool runsOver(const TextSegment& s, double x, const Image& image, double pitch)
{
    if (!(s.bbox.x < x - 0.5 * pitch && s.bbox.maxX() > x + 0.5 * pitch))
        return false;
    if (image.empty())
        return false;
    const InkMask mask = InkMask::of(image, BBox{x - 0.3 * pitch, s.bbox.y, 0.6 * pitch, s.bbox.h});
    for (int y = 0; y < mask.height; ++y)
        if (mask.rowCount(y) > 0)
            return true;
    return false;
}

// Whether the word stands over text that other rows have in either of the two bands: a
// long value reaching into the gap between two columns, clear of both, parts nothing.
bool overRowsText(const TextSegment& s, size_t row, const std::vector<TextGridEngine::Row>& rows,
                  const TextGridEngine::Band& left, const TextGridEngine::Band& right)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r == row)
            continue;
        for (const TextSegment& o : rows[r]) {
            const double mid = o.bbox.midX();
            if (mid >= left.lo && mid < right.hi && o.bbox.x < s.bbox.maxX() && s.bbox.x < o.bbox.maxX())
                return true;
        }
    }
    return false;
}

}  // namespace

std::vector<TextGridEngine::Band> MonospaceColumns::joinCrossed(const std::vector<TextGridEngine::Band>& columns,
                                                                const std::vector<TextGridEngine::Row>& rows,
                                                                const Image& image, double pitch, int& joined)
{
    if (columns.size() < 2 || rows.size() < 4 || !(pitch > 0))
        return columns;
    std::vector<TextGridEngine::Band> out{columns.front()};
    for (size_t c = 1; c < columns.size(); ++c) {
        const double edge = columns[c].lo;
        bool crossed = false;
        for (size_t r = 1; r + 1 < rows.size() && !crossed; ++r)
            crossed = std::any_of(rows[r].begin(), rows[r].end(), [&](const TextSegment& s) {
                return runsOver(s, edge, image, pitch) && overRowsText(s, r, rows, columns[c - 1], columns[c]);
            });
        if (crossed) {
            out.back().hi = columns[c].hi;
            ++joined;
        } else {
            out.push_back(columns[c]);
        }
    }
    return out;
}

}  // namespace VozudOzev
