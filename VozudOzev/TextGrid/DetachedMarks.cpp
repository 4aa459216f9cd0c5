#include "VozudOzev/TextGrid/DetachedMarks.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>

namespace VozudOzev {

int DetachedMarks::remove(std::vector<OCRLine>& lines)
{
    std::vector<double> heights;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            heights.push_back(w.bbox.h);
    if (heights.size() < 3)
        return 0;
    const double h = upperMedian(heights);
    if (!(h > 0))
        return 0;
    // Marks read as one word may stand over two words ("a." over "Đồ gia").
    auto carried = [&](const OCRWord& mark) {
        double overlap = 0;
        for (const OCRLine& line : lines)
            for (const OCRWord& w : line.words) {
                const double cy = mark.bbox.midY();
                if (w.bbox.h >= 0.6 * h && cy >= w.bbox.y - 0.3 * h && cy <= w.bbox.maxY() + 0.3 * h)
                    overlap += std::max(0.0, std::min(mark.bbox.maxX(), w.bbox.maxX()) - std::max(mark.bbox.x, w.bbox.x));
            }
        return overlap >= 0.5 * mark.bbox.w;
    };
    // Decided on the lines as read, then taken out, so that one mark never hides another.
    std::vector<std::vector<bool>> marks;
    int removed = 0;
    for (const OCRLine& line : lines) {
        std::vector<bool>& m = marks.emplace_back();
        for (const OCRWord& w : line.words) {
            m.push_back(w.bbox.h < 0.4 * h && carried(w));
            removed += m.back() ? 1 : 0;
        }
    }
    if (removed == 0)
        return 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        OCRLine& line = lines[i];
        std::vector<OCRWord> kept;
        for (size_t k = 0; k < line.words.size(); ++k)
            if (!marks[i][k])
                kept.push_back(line.words[k]);
        if (kept.size() == line.words.size())
            continue;
        line.words = std::move(kept);
        line.text.clear();
        if (line.words.empty())
            continue;
        line.bbox = line.words.front().bbox;
        for (const OCRWord& w : line.words) {
            line.text += (line.text.empty() ? "" : " ") + w.text;
            line.bbox = line.bbox.unite(w.bbox);
        }
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return removed;
}

}  // namespace VozudOzev
