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
    for (OCRLine& line : out) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            std::u32string cps = Unicode::decode(w.text);
            if (std::none_of(cps.begin(), cps.end(),
                             [](char32_t c) { return lookalikes.find(c) != std::u32string_view::npos; }))
                continue;
            // Only where each character clearly has its own cell: with marks combined or
            // glyphs read twice the positions would be guesses.
            const size_t n = cps.size();
            if (Unicode::graphemes(w.text).size() != n || std::abs(w.bbox.w - static_cast<double>(n) * pitch) > pitch)
                continue;
            const double mid = w.bbox.midX();
            bool wordChanged = false;
            for (size_t i = 0; i < n; ++i) {
                if (lookalikes.find(cps[i]) == std::u32string_view::npos)
                    continue;
                const double cx = mid + (static_cast<double>(i) - 0.5 * static_cast<double>(n - 1)) * pitch;
                // A little wider than the cell, so that a pitch a shade off still holds the whole ring.
                const BBox cell{cx - 0.6 * pitch, w.bbox.y - 1, 1.2 * pitch, w.bbox.h + 2};
                if (dottedZero(image, cell)) {
                    cps[i] = U'0';
                    ++fixed;
                    wordChanged = true;
                }
            }
            if (wordChanged) {
                w.text = Unicode::encode(cps);
                changed = true;
            }
        }
        if (changed) {
            line.text.clear();
            for (const OCRWord& w : line.words)
                line.text += (line.text.empty() ? "" : " ") + w.text;
        }
    }
    return out;
}

}  // namespace VozudOzev
