#include "VozudOzev/TextGrid/RepeatedPictures.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
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

// The extent of the ink inside box: what differs from the box's corner by 40 or more. The
// reading's box of a picture may run on over blank page.
BBox inkBox(const std::vector<std::uint8_t>& grey, int width, const BBox& box)
{
    const int x0 = static_cast<int>(box.x);
    const int y0 = static_cast<int>(box.y);
    const int x1 = x0 + static_cast<int>(box.w);
    const int y1 = y0 + static_cast<int>(box.h);
    const int back = grey[static_cast<size_t>(y0) * width + x0];
    int left = x1, right = x0, top = y1, bottom = y0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (std::abs(grey[static_cast<size_t>(y) * width + x] - back) >= 40) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    if (left >= right)
        return box;
    // Only the width is trimmed: the height keeps the rows' boxes comparable.
    return BBox{static_cast<double>(left), box.y, static_cast<double>(right - left), box.h};
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

// The short words standing apart, their boxes trimmed to their ink (the pictures' and
// their neighbours' alike).
std::vector<Candidate> candidatesOf(const std::vector<OCRLine>& lines, const std::vector<std::uint8_t>& grey, int W,
                                    int H, double h)
{
    auto isShort = [&](const OCRWord& w) {
        return Unicode::graphemes(w.text).size() <= 3 && w.bbox.h >= 0.7 * h && w.bbox.h <= 2 * h &&
               w.bbox.w <= 2 * h && w.bbox.x >= 0 && w.bbox.y >= 0 && w.bbox.maxX() <= W && w.bbox.maxY() <= H &&
               inked(grey, W, w.bbox);
    };
    std::vector<std::vector<BBox>> trimmed(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        for (const OCRWord& w : lines[i].words)
            trimmed[i].push_back(isShort(w) ? inkBox(grey, W, w.bbox) : w.bbox);
    std::vector<Candidate> cands;
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t k = 0; k < lines[i].words.size(); ++k) {
            const OCRWord& w = lines[i].words[k];
            if (!isShort(w))
                continue;
            const BBox& b = trimmed[i][k];
            // A button stands apart; a short word of a phrase has its neighbours a word
            // space away.
            bool alone = true;
            for (size_t m = 0; m < lines.size() && alone; ++m)
                for (size_t n = 0; n < lines[m].words.size() && alone; ++n) {
                    const BBox& o = trimmed[m][n];
                    const double gap = std::max(o.x - b.maxX(), b.x - o.maxX());
                    const double rise = std::min(o.maxY(), b.maxY()) - std::max(o.y, b.y);
                    alone = (m == i && n == k) || !(rise > 0.5 * std::min(o.h, b.h) && gap < h);
                }
            if (alone)
                cands.push_back({i, k, b, w.text, w.confidence});
        }
    return cands;
}

// Pictures at one place across, as tall, in different rows: the reading's boxes of one
// picture may reach on over its shadow or stop short, so one side lining up will do. Both
// boxes to compare, as wide as the wider, from the side that lines up.
std::optional<std::pair<BBox, BBox>> anchored(const Candidate& a, const Candidate& b, double h)
{
    if (std::abs(a.box.h - b.box.h) > 0.2 * h || std::abs(a.box.midY() - b.box.midY()) < 0.5 * h)
        return std::nullopt;
    const double w = std::max(a.box.w, b.box.w);
    auto from = [&](const BBox& box, double x) { return BBox{x, box.y, w, box.h}; };
    if (std::abs(a.box.x - b.box.x) <= 0.3 * h)
        return std::make_pair(from(a.box, a.box.x), from(b.box, b.box.x));
    if (std::abs(a.box.maxX() - b.box.maxX()) <= 0.3 * h)
        return std::make_pair(from(a.box, a.box.maxX() - w), from(b.box, b.box.maxX() - w));
    if (std::abs(a.box.midX() - b.box.midX()) <= 0.3 * h)
        return std::make_pair(from(a.box, a.box.midX() - w / 2), from(b.box, b.box.midX() - w / 2));
    return std::nullopt;
}

struct Group {
    std::vector<size_t> members;  // candidates, top to bottom
    bool disagree = false;        // readings that disagree, with doubt among them
};

// The sets of one picture repeated on nearly every row it spans.
std::vector<Group> groupsOf(const std::vector<Candidate>& cands, const std::vector<OCRLine>& lines,
                            const std::vector<std::uint8_t>& grey, int W, int H, double h)
{
    // Alike to the eye: well under the difference one letter makes against another.
    const double alike = 12;
    std::vector<Group> groups;
    std::vector<bool> done(cands.size(), false);
    for (size_t i = 0; i < cands.size(); ++i) {
        if (done[i])
            continue;
        std::vector<size_t> same{i};
        for (size_t j = i + 1; j < cands.size(); ++j)
            if (const auto boxes = done[j] ? std::nullopt : anchored(cands[i], cands[j], h);
                boxes && difference(grey, W, H, boxes->first, boxes->second) <= alike)
                same.push_back(j);
        if (same.size() < 3)
            continue;
        std::sort(same.begin(), same.end(),
                  [&](size_t a, size_t b) { return cands[a].box.midY() < cands[b].box.midY(); });
        // A button is on every row it spans; the same word now and then down a column is
        // a value that recurs.
        const double top = cands[same.front()].box.midY();
        const double bottom = cands[same.back()].box.midY();
        if (static_cast<double>(same.size()) < 0.8 * static_cast<double>(rowsBetween(lines, top, bottom, h)))
            continue;
        std::set<std::string> readings;
        std::vector<double> confidences;
        for (size_t j : same) {
            done[j] = true;
            readings.insert(cands[j].text);
            confidences.push_back(cands[j].confidence);
        }
        groups.push_back({same, readings.size() >= 2 && *std::min_element(confidences.begin(), confidences.end()) < 0.7});
    }
    return groups;
}

}  // namespace

std::vector<BBox> RepeatedPictures::remove(std::vector<OCRLine>& lines, const Image& image, double h)
{
    if (image.empty() || !(h >= 4) || !std::isfinite(h))
        return {};
    const std::vector<std::uint8_t> grey = image.grey();
    const std::vector<Candidate> cands = candidatesOf(lines, grey, image.width, image.height, h);
    const std::vector<Group> groups = groupsOf(cands, lines, grey, image.width, image.height, h);
    // Buttons come in sets: a picture read alike on every row is a button still when it
    // stands within 2 h of a set of pictures read apart, on the same rows.
    auto besideButtons = [&](const Group& g) {
        return std::any_of(groups.begin(), groups.end(), [&](const Group& o) {
            if (!o.disagree || o.members.size() != g.members.size())
                return false;
            for (size_t k = 0; k < g.members.size(); ++k) {
                const BBox& a = cands[g.members[k]].box;
                const BBox& b = cands[o.members[k]].box;
                if (std::abs(a.midY() - b.midY()) > 0.5 * h || std::max(b.x - a.maxX(), a.x - b.maxX()) > 2 * h)
                    return false;
            }
            return true;
        });
    };
    std::set<std::pair<size_t, size_t>> out;
    for (const Group& g : groups)
        if (g.disagree || besideButtons(g))
            for (size_t j : g.members)
                out.insert({cands[j].line, cands[j].word});
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
