#include "VozudOzev/TextGrid/SortIndicators.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VozudOzev {

int SortIndicators::remove(std::vector<OCRLine>& lines, double h)
{
    double top = std::numeric_limits<double>::infinity();
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            top = std::min(top, w.bbox.midY());
    // The header row: words whose middle lies within half a line of the topmost one.
    auto inTopRow = [&](const OCRWord& w) { return w.bbox.midY() <= top + 0.5 * h + 0.5 * w.bbox.h; };
    std::vector<BBox> header;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (inTopRow(w))
                header.push_back(w.bbox);
    // The word before, in any line of the header row (the reading may start a line at the arrow).
    auto gapBefore = [&](const OCRWord& w) {
        double gap = std::numeric_limits<double>::infinity();
        for (const BBox& b : header)
            if (b.maxX() <= w.bbox.x + 1 && !(b == w.bbox))
                gap = std::min(gap, w.bbox.x - b.maxX());
        return gap;
    };
    int removed = 0;
    for (OCRLine& line : lines) {
        const size_t before = line.words.size();
        std::erase_if(line.words, [&](const OCRWord& w) {
            const bool small = Unicode::graphemes(w.text).size() == 1 && w.bbox.h <= 0.6 * h && w.bbox.w <= 1.2 * h;
            const double gap = small && inTopRow(w) ? gapBefore(w) : 0;
            return std::isfinite(gap) && gap >= 0.8 * h;
        });
        if (line.words.size() == before)
            continue;
        removed += static_cast<int>(before - line.words.size());
        rejoinWords(line);
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return removed;
}

}  // namespace VozudOzev
