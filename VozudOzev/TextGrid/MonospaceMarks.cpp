#include "VozudOzev/TextGrid/MonospaceMarks.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

namespace {

using Component = InkMask::Component;

// The ink components of the glyph in `cell`: those whose middle falls in it, looked for a
// little wider so that a stroke reaching just over the cell's edge is seen whole.
struct CellInk {
    InkMask mask;
    std::vector<Component> parts;  // largest first
};

CellInk cellInk(const Image& image, const BBox& cell)
{
    const double slack = 0.25 * cell.w;
    CellInk out{InkMask::of(image, BBox{cell.x - slack, cell.y, cell.w + 2 * slack, cell.h}, 0.4), {}};
    if (out.mask.empty())
        return out;
    const double lo = cell.x - out.mask.x0;
    const double hi = cell.maxX() - out.mask.x0;
    for (const Component& c : out.mask.components())
        if (const double mid = 0.5 * (c.x0 + c.x1 + 1); mid >= lo && mid < hi)
            out.parts.push_back(c);
    std::sort(out.parts.begin(), out.parts.end(), [](const Component& a, const Component& b) { return a.pixels > b.pixels; });
    return out;
}

int widthOf(const Component& c) { return c.x1 - c.x0 + 1; }
int heightOf(const Component& c) { return c.y1 - c.y0 + 1; }

// A dot: small beside the letter, about as wide as tall, and mostly filled.
bool dotBeside(const Component& c, const Component& body)
{
    const int w = widthOf(c), h = heightOf(c);
    return w <= 0.45 * widthOf(body) + 1 && h <= 0.35 * heightOf(body) + 1 && w <= 2 * h + 1 && h <= 2 * w + 1 &&
           c.pixels >= 0.5 * w * h;
}

// The letters a reading gives without their two dots, and the letters with them.
constexpr std::u32string_view bare = U"aouAOU";
constexpr std::u32string_view dotted = U"äöüÄÖÜ";

// The middle of each character of a word whose characters each clearly have their own
// cell; empty when marks are combined or the word is not as wide as its characters.
std::vector<double> cellMiddles(const OCRWord& w, size_t n, double pitch)
{
    if (n == 0 || Unicode::graphemes(w.text).size() != n ||
        std::abs(w.bbox.w - static_cast<double>(n) * pitch) > pitch)
        return {};
    std::vector<double> out;
    for (size_t i = 0; i < n; ++i)
        out.push_back(w.bbox.midX() + (static_cast<double>(i) - 0.5 * static_cast<double>(n - 1)) * pitch);
    return out;
}

}  // namespace

bool MonospaceMarks::twoDotsAbove(const Image& image, const BBox& cell)
{
    const CellInk ink = cellInk(image, cell);
    if (ink.parts.size() < 3)
        return false;
    const Component& body = ink.parts.front();
    if (heightOf(body) < 5 || widthOf(body) < 3)
        return false;
    // Marks sit within half the letter's height over it; ink higher up is the line above.
    std::vector<Component> above;
    for (size_t i = 1; i < ink.parts.size(); ++i)
        if (ink.parts[i].y1 < body.y0 && ink.parts[i].y1 >= body.y0 - 0.5 * heightOf(body))
            above.push_back(ink.parts[i]);
    if (above.size() != 2)
        return false;
    std::sort(above.begin(), above.end(), [](const Component& a, const Component& b) { return a.x0 < b.x0; });
    const Component& l = above[0];
    const Component& r = above[1];
    // Whole inside the box (not the foot of something above it), side by side at one
    // height, over the letter.
    return l.y0 > 0 && r.y0 > 0 && dotBeside(l, body) && dotBeside(r, body) && std::abs(l.y0 - r.y0) <= 1 &&
           std::abs(l.y1 - r.y1) <= 1 && l.x1 < r.x0 && l.x0 >= body.x0 - 1 && r.x1 <= body.x1 + 1;
}

bool MonospaceMarks::barredAscender(const Image& image, const BBox& cell)
{
    const CellInk ink = cellInk(image, cell);
    if (ink.parts.empty())
        return false;
    const Component& body = ink.parts.front();
    if (heightOf(body) < 7)
        return false;
    // Row by row down the glyph: its runs of ink until the bowl starts (two runs in a row).
    struct Run {
        int x0 = 0, x1 = -1;
    };
    std::vector<Run> upper;
    bool bowl = false;
    for (int y = body.y0; y <= body.y1 && !bowl; ++y) {
        std::vector<Run> runs;
        for (int x = body.x0; x <= body.x1; ++x) {
            if (!ink.mask.at(x, y))
                continue;
            if (runs.empty() || runs.back().x1 < x - 1)
                runs.push_back({x, x});
            else
                runs.back().x1 = x;
        }
        bowl = runs.size() >= 2;
        if (!bowl)
            upper.push_back(runs.empty() ? Run{} : runs.front());
    }
    if (!bowl || upper.size() < 3)
        return false;
    int stem = 1 << 20;
    for (const Run& r : upper)
        if (r.x1 >= r.x0)
            stem = std::min(stem, r.x1 - r.x0 + 1);
    auto narrow = [&](const Run& r) { return r.x1 >= r.x0 && r.x1 - r.x0 + 1 <= stem + 1; };
    const int reach = std::max(2, static_cast<int>(std::lround(0.3 * widthOf(body))));
    for (size_t y = 1; y + 1 < upper.size(); ++y) {
        const Run& r = upper[y];
        if (r.x1 - r.x0 + 1 < stem + reach)
            continue;
        // The stem alone above the bar and again below it before the bowl, and the bar out
        // past the stem's side.
        const bool stemAbove = std::any_of(upper.begin(), upper.begin() + static_cast<std::ptrdiff_t>(y), narrow);
        const bool stemBelow = std::any_of(upper.begin() + static_cast<std::ptrdiff_t>(y) + 1, upper.end(), narrow);
        const auto stemRow = std::find_if(upper.begin(), upper.end(), narrow);
        if (stemAbove && stemBelow && stemRow != upper.end() && r.x0 <= stemRow->x0 - 2)
            return true;
    }
    return false;
}

bool MonospaceMarks::underlined(const Image& image, const BBox& cell)
{
    const CellInk ink = cellInk(image, cell);
    if (ink.parts.size() < 2)
        return false;
    const Component& body = ink.parts.front();
    if (heightOf(body) < 7 || widthOf(body) < 4)
        return false;
    std::vector<Component> below;
    for (size_t i = 1; i < ink.parts.size(); ++i)
        if (ink.parts[i].y0 > body.y1)
            below.push_back(ink.parts[i]);
    if (below.size() != 1)
        return false;
    // Flat, at least half as wide as the letter, under it and close to its foot.
    const Component& bar = below.front();
    const int w = widthOf(bar), h = heightOf(bar);
    return w >= 0.5 * widthOf(body) && h <= std::max(3.0, 0.2 * heightOf(body)) && w >= 2 * h &&
           bar.pixels >= 0.6 * w * h && bar.x0 >= body.x0 - 1 && bar.x1 <= body.x1 + 1 &&
           bar.y0 - body.y1 - 1 <= 0.4 * heightOf(body);
}

std::vector<OCRLine> MonospaceMarks::read(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                          int& added)
{
    std::vector<OCRLine> out = lines;
    if (image.empty() || !(pitch >= 4))
        return out;
    for (OCRLine& line : out) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            std::u32string cps = Unicode::decode(w.text);
            const std::vector<double> middles = cellMiddles(w, cps.size(), pitch);
            for (size_t i = 0; i < middles.size(); ++i) {
                const double x = middles[i] - 0.5 * pitch;
                // Room above the word for dots over a capital the word's box left out.
                const BBox raised{x, w.bbox.y - 0.45 * w.bbox.h, pitch, 1.45 * w.bbox.h + 1};
                const size_t k = bare.find(cps[i]);
                char32_t marked = 0;
                if (k != std::u32string_view::npos && twoDotsAbove(image, raised))
                    marked = dotted[k];
                else if (cps[i] == U'd' || cps[i] == U'đ') {
                    const BBox cell{x, w.bbox.y - 1, pitch, w.bbox.h + 2};
                    if (cps[i] == U'đ' || barredAscender(image, cell))
                        marked = underlined(image, cell) ? U'₫' : U'đ';
                    if (marked == cps[i])
                        marked = 0;
                }
                if (marked == 0)
                    continue;
                cps[i] = marked;
                w.text = Unicode::encode(cps);
                changed = true;
                ++added;
            }
        }
        if (changed)
            rejoinWords(line);
    }
    return out;
}

}  // namespace VozudOzev
