#include "VozudOzev/TextGrid/SortIndicators.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace VozudOzev {

namespace {

// Whether the ink inside box is one filled triangle pointing up or down, or two stacked
// apart by blank rows: every ink row one run about a shared middle, the runs narrowing
// steadily to a point. Letters have hollows ("v", "w") or stems off the middle.
bool drawnTriangles(const Image& image, const BBox& box, double h)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(box.x)) - 1);
    const int x1 = std::min(image.width, static_cast<int>(std::ceil(box.maxX())) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(box.y)) - 1);
    const int y1 = std::min(image.height, static_cast<int>(std::ceil(box.maxY())) + 1);
    if (x1 - x0 < 3 || y1 - y0 < 3 || image.rgb.size() < static_cast<size_t>(image.width) * image.height * 3)
        return false;
    auto grey = [&](int x, int y) {
        const std::uint8_t* p = image.pixel(x, y);
        return (299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000;
    };
    // The background is the box's corner; ink is what lies past halfway to the strongest contrast.
    const int back = grey(x0, y0);
    int far = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            far = std::max(far, std::abs(grey(x, y) - back));
    if (far < 40)
        return false;
    struct Run {
        int from, to;
    };
    std::vector<std::vector<Run>> blobs(1);
    for (int y = y0; y < y1; ++y) {
        std::vector<Run> runs;
        for (int x = x0; x < x1; ++x)
            if (2 * std::abs(grey(x, y) - back) > far) {
                if (!runs.empty() && runs.back().to == x)
                    runs.back().to = x + 1;
                else
                    runs.push_back({x, x + 1});
            }
        if (runs.size() > 1)
            return false;
        if (runs.empty()) {
            if (!blobs.back().empty())
                blobs.emplace_back();
            continue;
        }
        blobs.back().push_back(runs.front());
    }
    if (blobs.back().empty())
        blobs.pop_back();
    if (blobs.empty() || blobs.size() > 2)
        return false;
    for (const std::vector<Run>& blob : blobs) {
        int widest = 0;
        for (const Run& r : blob)
            widest = std::max(widest, r.to - r.from);
        const int first = blob.front().to - blob.front().from;
        const int last = blob.back().to - blob.back().from;
        // Big enough to be no accent or dot, and pointed at one end.
        if (blob.size() < 2 || widest < 0.3 * h || std::min(first, last) > 0.5 * widest)
            return false;
        const bool widening = last > first;
        for (size_t i = 1; i < blob.size(); ++i) {
            const int a = blob[i - 1].to - blob[i - 1].from;
            const int b = blob[i].to - blob[i].from;
            if (widening ? b < a : b > a)
                return false;
            if (std::abs((blob[i].from + blob[i].to) - (blob[i - 1].from + blob[i - 1].to)) > 2)
                return false;
        }
    }
    return true;
}

}  // namespace

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
    return removeWords(lines, [&](const OCRWord& w) {
        const bool small = Unicode::graphemes(w.text).size() == 1 && w.bbox.h <= 0.6 * h && w.bbox.w <= 1.2 * h;
        const double gap = small && inTopRow(w) ? gapBefore(w) : 0;
        return std::isfinite(gap) && gap >= 0.8 * h;
    });
}

int SortIndicators::removeDrawn(std::vector<OCRLine>& lines, const Image& image, double h)
{
    std::vector<const OCRWord*> words;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            words.push_back(&w);
    std::sort(words.begin(), words.end(), [](const OCRWord* a, const OCRWord* b) { return a->bbox.midY() < b->bbox.midY(); });
    // The header row: the first row of words (middles within half a line) with a gap of
    // more than two line heights between neighbours.
    std::optional<std::pair<double, double>> header;
    for (size_t i = 0; i < words.size() && !header;) {
        size_t j = i;
        while (j < words.size() && words[j]->bbox.midY() - words[i]->bbox.midY() <= 0.5 * h)
            ++j;
        std::vector<BBox> row;
        for (size_t k = i; k < j; ++k)
            row.push_back(words[k]->bbox);
        std::sort(row.begin(), row.end(), [](const BBox& a, const BBox& b) { return a.x < b.x; });
        double reach = row.front().maxX();
        for (size_t k = 1; k < row.size() && !header; ++k) {
            if (row[k].x - reach > 2 * h)
                header = std::make_pair(words[i]->bbox.midY() - 0.5 * h, words[j - 1]->bbox.midY() + 0.5 * h);
            reach = std::max(reach, row[k].maxX());
        }
        i = j;
    }
    if (!header)
        return 0;
    auto hasLetter = [](const OCRWord& w) {
        const std::u32string cps = Unicode::decode(w.text);
        return std::any_of(cps.begin(), cps.end(), [](char32_t c) { return Unicode::isLetter(c); });
    };
    auto inHeader = [&](const OCRWord& w) { return w.bbox.midY() >= header->first && w.bbox.midY() <= header->second; };
    auto besideWord = [&](const OCRWord& w) {
        return std::any_of(words.begin(), words.end(), [&](const OCRWord* o) {
            const double gap = std::max(o->bbox.x - w.bbox.maxX(), w.bbox.x - o->bbox.maxX());
            // A label with letters, or the number column's "#" (a mark beside it is no label).
            const bool label = (hasLetter(*o) && Unicode::graphemes(o->text).size() > 1) || o->text.starts_with("#");
            return o != &w && inHeader(*o) && label && gap <= 1.5 * h;
        });
    };
    std::vector<const OCRWord*> marks;
    for (const OCRWord* w : words)
        if (inHeader(*w) && Unicode::graphemes(w->text).size() == 1 && w->bbox.h <= 1.2 * h && w->bbox.w <= 1.2 * h &&
            besideWord(*w) && drawnTriangles(image, w->bbox, h))
            marks.push_back(w);
    return removeWords(lines, [&](const OCRWord& w) { return std::find(marks.begin(), marks.end(), &w) != marks.end(); });
}

}  // namespace VozudOzev
