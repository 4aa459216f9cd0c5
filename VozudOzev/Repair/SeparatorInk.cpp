#include "VozudOzev/Repair/SeparatorInk.hpp"

#include "VozudOzev/Repair/CellInk.hpp"
#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VozudOzev::SeparatorInk {

namespace {

// A minus drawn so close to its digit that the two make one blob (small print): the
// blob's first columns hold nothing but a thin level bar at mid height, for a third of
// the text height at least, and a digit's width of ink follows.
bool startsWithMinus(const CellInk::Inside& ink, const CellInk::Blob& g, double top, double h)
{
    const double thin = std::max(2.0, 0.22 * h);
    int run = 0;
    double mids = 0;
    for (int x = g.x0; x <= g.x1; ++x) {
        int lo = -1;
        int hi = -1;
        for (int y = g.y0; y <= g.y1; ++y)
            if (ink.at(x, y)) {
                lo = lo < 0 ? y : lo;
                hi = y;
            }
        if (lo < 0 || hi - lo + 1 > thin)
            break;
        ++run;
        mids += (lo + hi) / 2.0;
    }
    if (run < std::max(2.0, 0.35 * h) || g.width() - run < 0.3 * h)
        return false;
    const double mid = mids / run;
    return mid >= top + 0.3 * h && mid <= top + 0.75 * h;
}

// The glyphs of text height and the digits' band: most glyphs share its top and baseline.
struct Band {
    CellInk::Inside ink;
    std::vector<CellInk::Blob> glyphs;  // copies: the band moves
    double top = 0;
    double base = 0;
    double h = 1;
};

std::optional<Band> bandOf(const Image& image, const BBox& box)
{
    // A little room around the words: a comma's tail can reach past a tight text box.
    const double pad = std::max(2.0, 0.2 * box.h);
    std::optional<Band> band(Band{CellInk::inside(image, {box.x - pad, box.y - pad, box.w + 2 * pad, box.h + 2 * pad}, CellInk::Rules::removed)});
    double tallest = 0;
    for (const CellInk::Blob& b : band->ink.blobs)
        if (!b.touchesEdge)
            tallest = std::max(tallest, double(b.height()));
    if (tallest < 5)
        return std::nullopt;
    std::vector<double> tops, bottoms;
    for (const CellInk::Blob& b : band->ink.blobs)
        if (!b.touchesEdge && b.height() >= 0.6 * tallest) {
            band->glyphs.push_back(b);
            tops.push_back(b.y0);
            bottoms.push_back(b.y1);
        }
    band->top = upperMedian(tops);
    band->base = upperMedian(bottoms);
    band->h = std::max(band->base - band->top + 1, 1.0);
    return band;
}

}  // namespace

std::optional<double> digitHeight(const Image& image, const BBox& box)
{
    const std::optional<Band> band = bandOf(image, box);
    if (!band || band->glyphs.size() < 2)
        return std::nullopt;
    return band->h;
}

std::optional<std::string> marks(const Image& image, const BBox& box)
{
    const std::optional<Band> band = bandOf(image, box);
    if (!band)
        return std::nullopt;
    const CellInk::Inside& ink = band->ink;
    const std::vector<CellInk::Blob>& glyphs = band->glyphs;
    const double top = band->top;
    const double base = band->base;
    const double h = band->h;
    const CellInk::Blob& first = *std::min_element(
        glyphs.begin(), glyphs.end(), [](const CellInk::Blob& a, const CellInk::Blob& b) { return a.x0 < b.x0; });
    // Text run together into one blob still shows a minus in front; its separators do not.
    if (glyphs.size() < 2)
        return startsWithMinus(ink, first, top, h) ? std::optional<std::string>("-") : std::nullopt;
    const double middle = top + 0.5 * h;
    std::vector<const CellInk::Blob*> found;
    for (const CellInk::Blob& b : ink.blobs) {
        if (b.touchesEdge || b.height() > 0.5 * h || b.width() > 0.45 * h || b.y0 < middle || b.y0 > base + 0.25 * h)
            continue;
        const double gap = 0.6 * h;
        const bool left = std::any_of(glyphs.begin(), glyphs.end(), [&](const CellInk::Blob& g) {
            return g.x1 < b.x0 + 1 && b.x0 - g.x1 <= gap && g.y1 <= base + 0.15 * h;
        });
        const bool right = std::any_of(glyphs.begin(), glyphs.end(), [&](const CellInk::Blob& g) {
            return g.x0 > b.x1 - 1 && g.x0 - b.x1 <= gap && g.y1 <= base + 0.15 * h;
        });
        if (left && right)
            found.push_back(&b);
    }
    std::sort(found.begin(), found.end(), [](const CellInk::Blob* a, const CellInk::Blob* b) { return a->x0 < b->x0; });
    std::string out;
    // A minus sign: a short level bar at mid height, a glyph after it and none just before.
    for (const CellInk::Blob& b : ink.blobs) {
        const double mid = (b.y0 + b.y1) / 2.0;
        if (b.touchesEdge || b.height() > std::max(2.0, 0.2 * h) || b.width() < 1.5 * b.height() ||
            b.width() < 0.2 * h || b.width() > 0.8 * h || mid < top + 0.3 * h || mid > top + 0.75 * h)
            continue;
        const double gap = 0.6 * h;
        const bool after = std::any_of(glyphs.begin(), glyphs.end(), [&](const CellInk::Blob& g) {
            return g.x0 > b.x1 - 1 && g.x0 - b.x1 <= gap;
        });
        const bool before = std::any_of(glyphs.begin(), glyphs.end(), [&](const CellInk::Blob& g) {
            return g.x1 < b.x0 + 1 && b.x0 - g.x1 <= gap;
        });
        if (after && !before) {
            out += '-';
            break;
        }
    }
    if (out.empty() && startsWithMinus(ink, first, top, h))
        out += '-';
    for (const CellInk::Blob* b : found) {
        const double below = b->y1 - base;
        if (below >= 2)
            out += ',';
        else if (below <= 0)
            out += '.';
        else
            out += '?';
    }
    return out;
}

bool contradicts(const std::string& written, const std::string& marks)
{
    const bool writtenMinus = !written.empty() && written.front() == '-';
    const bool inkMinus = !marks.empty() && marks.front() == '-';
    if (inkMinus && !writtenMinus)
        return true;
    const std::string w = written.substr(writtenMinus ? 1 : 0);
    const std::string m = marks.substr(inkMinus ? 1 : 0);
    if (m.size() != w.size())
        return m.size() > w.size();
    for (size_t i = 0; i < w.size(); ++i)
        if (m[i] != '?' && m[i] != w[i])
            return true;
    return false;
}

}  // namespace VozudOzev::SeparatorInk
