#include "VozudOzev/TextGrid/DottedZeros.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

namespace {

// What the OCR makes of a dotted zero; a letter or digit that merely looks round is kept
// unless its glyph shows the dot.
constexpr std::u32string_view lookalikes = U"69OoQD@®©θøØ°";

// The height of the glyph in `cell` when it is a ring closed all round with nothing inside
// (an O in a font whose zero has a dot), else 0.
int plainRingHeight(const Image& image, const BBox& cell)
{
    const InkMask mask = InkMask::of(image, cell);
    if (mask.width < 5 || mask.height < 7)
        return 0;
    std::vector<InkMask::Component> parts = mask.components();
    if (parts.empty())
        return 0;
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.pixels > b.pixels; });
    const InkMask::Component& ring = parts[0];
    const int rw = ring.x1 - ring.x0 + 1;
    const int rh = ring.y1 - ring.y0 + 1;
    if (rh < 7 || rw < 4 || rh < rw)
        return 0;
    if (std::any_of(parts.begin() + 1, parts.end(), [&](const auto& c) {
            return c.x0 > ring.x0 && c.x1 < ring.x1 && c.y0 > ring.y0 && c.y1 < ring.y1;
        }))
        return 0;
    // Closed: from the middle, ink on all four sides and none at the middle itself.
    const int my = (ring.y0 + ring.y1) / 2;
    const int mx = (ring.x0 + ring.x1) / 2;
    auto inkOn = [&](int xa, int xb, int ya, int yb) {
        for (int y = ya; y <= yb; ++y)
            for (int x = xa; x <= xb; ++x)
                if (mask.at(x, y))
                    return true;
        return false;
    };
    if (mask.at(mx, my) || !inkOn(ring.x0, mx - 1, my, my) || !inkOn(mx + 1, ring.x1, my, my) ||
        !inkOn(mx, mx, ring.y0, my - 1) || !inkOn(mx, mx, my + 1, ring.y1))
        return 0;
    return rh;
}

// The box of each character of a word whose characters each clearly have their own cell:
// with marks combined or glyphs read twice the positions would be guesses.
std::vector<BBox> cellsOf(const OCRWord& w, const std::u32string& cps, double pitch)
{
    const size_t n = cps.size();
    if (n == 0 || Unicode::graphemes(w.text).size() != n || std::abs(w.bbox.w - static_cast<double>(n) * pitch) > pitch)
        return {};
    std::vector<BBox> cells;
    const double mid = w.bbox.midX();
    for (size_t i = 0; i < n; ++i) {
        const double cx = mid + (static_cast<double>(i) - 0.5 * static_cast<double>(n - 1)) * pitch;
        // A little wider than the cell, so that a pitch a shade off still holds the whole ring.
        cells.push_back(BBox{cx - 0.6 * pitch, w.bbox.y - 1, 1.2 * pitch, w.bbox.h + 2});
    }
    return cells;
}

// The height of the largest ink component in `cell`.
int largestHeight(const Image& image, const BBox& cell)
{
    const std::vector<InkMask::Component> parts = InkMask::of(image, cell).components();
    const auto ring = std::max_element(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.pixels < b.pixels; });
    return ring == parts.end() ? 0 : ring->y1 - ring->y0 + 1;
}

}  // namespace

bool DottedZeros::dottedZero(const Image& image, const BBox& cell)
{
    const InkMask mask = InkMask::of(image, cell);
    if (mask.width < 5 || mask.height < 7)
        return false;
    std::vector<InkMask::Component> parts = mask.components();
    if (parts.size() < 2)
        return false;
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.pixels > b.pixels; });
    const InkMask::Component& ring = parts[0];
    const int rw = ring.x1 - ring.x0 + 1;
    const int rh = ring.y1 - ring.y0 + 1;
    // A zero is as tall as a digit and taller than wide.
    if (rh < 7 || rw < 4 || rh < rw || rh < 0.5 * mask.height)
        return false;
    int dots = 0;
    for (size_t i = 1; i < parts.size(); ++i) {
        const InkMask::Component& c = parts[i];
        const int w = c.x1 - c.x0 + 1;
        const int h = c.y1 - c.y0 + 1;
        const bool inside = c.x0 > ring.x0 && c.x1 < ring.x1 && c.y0 > ring.y0 && c.y1 < ring.y1;
        if (!inside)
            continue;  // a neighbour's stroke reaching into the cell
        const double cx = 0.5 * (c.x0 + c.x1);
        const double cy = 0.5 * (c.y0 + c.y1);
        const bool middle = std::abs(cx - 0.5 * (ring.x0 + ring.x1)) <= 0.2 * rw &&
                            std::abs(cy - 0.5 * (ring.y0 + ring.y1)) <= 0.2 * rh;
        // A dot, not a letter inside a ring ("®", "©").
        const bool small = w <= 0.5 * rw && h <= 0.5 * rh;
        if (!middle || !small)
            return false;
        ++dots;
    }
    if (dots != 1)
        return false;
    // The ring is closed all round: ink on both sides of the dot's row and column.
    const InkMask::Component& dot = *std::find_if(parts.begin() + 1, parts.end(), [&](const auto& c) {
        return c.x0 > ring.x0 && c.x1 < ring.x1 && c.y0 > ring.y0 && c.y1 < ring.y1;
    });
    const int my = (dot.y0 + dot.y1) / 2;
    const int mx = (dot.x0 + dot.x1) / 2;
    auto inkBetween = [&](int xa, int xb, int ya, int yb) {
        for (int y = ya; y <= yb; ++y)
            for (int x = xa; x <= xb; ++x)
                if (mask.at(x, y))
                    return true;
        return false;
    };
    return inkBetween(ring.x0, dot.x0 - 1, my, my) && inkBetween(dot.x1 + 1, ring.x1, my, my) &&
           inkBetween(mx, mx, ring.y0, dot.y0 - 1) && inkBetween(mx, mx, dot.y1 + 1, ring.y1);
}

std::vector<OCRLine> DottedZeros::read(const std::vector<OCRLine>& lines, const Image& image, double pitch, int& fixed)
{
    std::vector<OCRLine> out = lines;
    if (image.empty() || !(pitch >= 4))
        return out;
    std::vector<int> zeroHeights;  // of the dotted rings read as zeros
    for (OCRLine& line : out) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            std::u32string cps = Unicode::decode(w.text);
            const std::vector<BBox> cells = cellsOf(w, cps, pitch);
            for (size_t i = 0; i < cells.size(); ++i) {
                const bool zero = cps[i] == U'0';
                if (!zero && lookalikes.find(cps[i]) == std::u32string_view::npos)
                    continue;
                if (!dottedZero(image, cells[i]))
                    continue;
                zeroHeights.push_back(largestHeight(image, cells[i]));
                if (!zero) {
                    cps[i] = U'0';
                    ++fixed;
                    changed = true;
                    w.text = Unicode::encode(cps);
                }
            }
        }
        if (changed)
            rejoinWords(line);
    }
    // Where the zeros carry their dot, a ring without one as tall as they are is an O, in
    // words with letters ("0scar" is "Oscar"); numbers keep what was read.
    if (zeroHeights.size() < 2)
        return out;
    std::sort(zeroHeights.begin(), zeroHeights.end());
    for (OCRLine& line : out) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            std::u32string cps = Unicode::decode(w.text);
            if (std::none_of(cps.begin(), cps.end(), [](char32_t c) { return c == U'0'; }) ||
                std::none_of(cps.begin(), cps.end(), [](char32_t c) { return Unicode::isLetter(c); }))
                continue;
            const std::vector<BBox> cells = cellsOf(w, cps, pitch);
            for (size_t i = 0; i < cells.size(); ++i) {
                if (cps[i] != U'0')
                    continue;
                const double ring = plainRingHeight(image, cells[i]);
                const double zeroHeight = zeroHeights[zeroHeights.size() / 2];
                if (ring > 0 && std::abs(ring - zeroHeight) <= std::max(1.0, 0.1 * zeroHeight)) {
                    cps[i] = U'O';
                    w.text = Unicode::encode(cps);
                    ++fixed;
                    changed = true;
                }
            }
        }
        if (changed)
            rejoinWords(line);
    }
    return out;
}

}  // namespace VozudOzev
