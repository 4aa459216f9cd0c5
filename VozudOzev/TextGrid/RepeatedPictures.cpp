#include "VozudOzev/TextGrid/RepeatedPictures.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

namespace VozudOzev {

namespace {

struct Candidate {
    size_t line = 0;
    size_t word = 0;
    BBox box;
    std::string text;
    double confidence = 0;
};

// Mean grey difference between the picture at a and the one at b, the best over shifts of
// up to two pixels (the reading's boxes wander by a pixel or so).
double difference(const std::vector<std::uint8_t>& grey, int width, int height, const BBox& a, const BBox& b)
{
    const int w = static_cast<int>(std::lround(a.w)) + 2;
    const int h = static_cast<int>(std::lround(a.h)) + 2;
    const int ax = static_cast<int>(std::lround(a.x)) - 1;
    const int ay = static_cast<int>(std::lround(a.y)) - 1;
    double best = 255;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int bx = static_cast<int>(std::lround(b.x)) - 1 + dx;
            const int by = static_cast<int>(std::lround(b.y)) - 1 + dy;
            if (std::min({ax, ay, bx, by}) < 0 || std::max(ax, bx) + w > width || std::max(ay, by) + h > height)
                continue;
            long sum = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    sum += std::abs(grey[static_cast<size_t>(ay + y) * width + ax + x] -
                                    grey[static_cast<size_t>(by + y) * width + bx + x]);
            best = std::min(best, static_cast<double>(sum) / (w * h));
        }
    return best;
}

// Ink at all: a blank box is no picture to compare.
bool inked(const std::vector<std::uint8_t>& grey, int width, const BBox& box)
{
    const int x0 = static_cast<int>(box.x);
    const int y0 = static_cast<int>(box.y);
    int lo = 255;
    int hi = 0;
    for (int y = y0; y < y0 + static_cast<int>(box.h); ++y)
        for (int x = x0; x < x0 + static_cast<int>(box.w); ++x) {
            lo = std::min<int>(lo, grey[static_cast<size_t>(y) * width + x]);
            hi = std::max<int>(hi, grey[static_cast<size_t>(y) * width + x]);
        }
    return hi - lo >= 40;
}

// How many rows of text have their middle between top and bottom: middles more than half
// a line apart are rows of their own.
size_t rowsBetween(const std::vector<OCRLine>& lines, double top, double bottom, double h)
{
    std::vector<double> middles;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (w.bbox.midY() >= top - 0.25 * h && w.bbox.midY() <= bottom + 0.25 * h)
                middles.push_back(w.bbox.midY());
    std::sort(middles.begin(), middles.end());
    size_t rows = 0;
    for (size_t i = 0; i < middles.size(); ++i)
        rows += i == 0 || middles[i] - middles[i - 1] > 0.5 * h ? 1 : 0;
    return rows;
}

}  // namespace

std::vector<BBox> RepeatedPictures::remove(std::vector<OCRLine>& lines, const Image& image, double h)
{
    if (image.empty() || !(h >= 4) || !std::isfinite(h))
        return {};
    const int W = image.width;
    const int H = image.height;
    const std::vector<std::uint8_t> grey = image.grey();
    std::vector<Candidate> cands;
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t k = 0; k < lines[i].words.size(); ++k) {
            const OCRWord& w = lines[i].words[k];
            const BBox& b = w.bbox;
            if (Unicode::graphemes(w.text).size() > 3 || b.h < 0.7 * h || b.h > 2 * h ||
                b.w > 2 * h || b.x < 0 || b.y < 0 || b.maxX() > W || b.maxY() > H || !inked(grey, W, b))
                continue;
            // A button stands apart; a short word of a phrase has its neighbours a word
            // space away.
            const bool alone = std::none_of(lines.begin(), lines.end(), [&](const OCRLine& l) {
                return std::any_of(l.words.begin(), l.words.end(), [&](const OCRWord& o) {
                    const double gap = std::max(o.bbox.x - b.maxX(), b.x - o.bbox.maxX());
                    const double rise = std::min(o.bbox.maxY(), b.maxY()) - std::max(o.bbox.y, b.y);
                    return &o != &w && rise > 0.5 * std::min(o.bbox.h, b.h) && gap < h;
                });
            });
            if (alone)
                cands.push_back({i, k, b, w.text, w.confidence});
        }
    // Pictures at one place across, of one size, in different rows.
    auto placedAlike = [&](const Candidate& a, const Candidate& b) {
        return std::abs(a.box.midX() - b.box.midX()) <= 0.3 * h && std::abs(a.box.w - b.box.w) <= 0.2 * h &&
               std::abs(a.box.h - b.box.h) <= 0.2 * h && std::abs(a.box.midY() - b.box.midY()) >= 0.5 * h;
    };
    // Alike to the eye: well under the difference one letter makes against another.
    const double alike = 12;
    std::set<std::pair<size_t, size_t>> out;
    std::vector<bool> done(cands.size(), false);
    for (size_t i = 0; i < cands.size(); ++i) {
        if (done[i])
            continue;
        std::vector<size_t> same{i};
        for (size_t j = i + 1; j < cands.size(); ++j)
            if (!done[j] && placedAlike(cands[i], cands[j]) &&
                difference(grey, W, H, cands[i].box, cands[j].box) <= alike)
                same.push_back(j);
        if (same.size() < 3)
            continue;
        // A button is on every row it spans; the same word now and then down a column is
        // a value that recurs.
        double top = cands[same.front()].box.midY();
        double bottom = top;
        for (size_t j : same) {
            top = std::min(top, cands[j].box.midY());
            bottom = std::max(bottom, cands[j].box.midY());
        }
        if (static_cast<double>(same.size()) < 0.8 * static_cast<double>(rowsBetween(lines, top, bottom, h)))
            continue;
        std::set<std::string> readings;
        std::vector<double> confidences;
        for (size_t j : same) {
            done[j] = true;
            readings.insert(cands[j].text);
            confidences.push_back(cands[j].confidence);
        }
        // Readings that disagree, with doubt among them.
        if (readings.size() < 2 || *std::min_element(confidences.begin(), confidences.end()) >= 0.7)
            continue;
        for (size_t j : same)
            out.insert({cands[j].line, cands[j].word});
    }
    if (out.empty())
        return {};
    std::vector<BBox> boxes;
    for (size_t i = 0; i < lines.size(); ++i) {
        OCRLine& line = lines[i];
        std::vector<OCRWord> kept;
        for (size_t k = 0; k < line.words.size(); ++k)
            (out.count({i, k}) ? boxes.push_back(line.words[k].bbox) : kept.push_back(line.words[k]));
        if (kept.size() == line.words.size() || kept.empty()) {
            line.words = std::move(kept);
            continue;
        }
        line.words = std::move(kept);
        line.text.clear();
        line.bbox = line.words.front().bbox;
        for (const OCRWord& w : line.words) {
            line.text += (line.text.empty() ? "" : " ") + w.text;
            line.bbox = line.bbox.unite(w.bbox);
        }
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return boxes;
}

}  // namespace VozudOzev
