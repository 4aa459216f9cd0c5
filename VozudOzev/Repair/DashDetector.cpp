#include "VozudOzev/Repair/DashDetector.hpp"

#include "VozudOzev/Repair/CellInk.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::DashDetector {

namespace {

constexpr int speckPixels = 3;

}  // namespace

std::optional<std::string> detect(const Image& image, const BBox& box, double textHeight, Specks specks)
{
    if (!(textHeight > 0))
        textHeight = 20;
    const CellInk::Inside ink = CellInk::inside(image, box);
    const int h = ink.height;
    // Ink touching the box's edge is a ruling line or a neighbour, never the cell's dash.
    std::optional<CellInk::Blob> bar;
    for (const CellInk::Blob& b : ink.blobs) {
        if (b.touchesEdge)
            continue;
        if (specks == Specks::ignored && b.pixels < speckPixels)
            continue;
        if (bar)
            return std::nullopt;
        bar = b;
    }
    if (!bar)
        return std::nullopt;

    const double bw = bar->width();
    const double bh = bar->height();
    const double midY = (bar->y0 + bar->y1 + 1) / 2.0;
    const bool thin = bh <= std::max(2.0, 0.25 * textHeight);
    const bool long_ = bw >= 2 * bh && bw >= 0.2 * textHeight && bw <= 2 * textHeight;
    const bool solid = bar->pixels >= 0.6 * bw * bh;
    const bool centred = midY >= 0.25 * h && midY <= 0.75 * h;
    if (!(thin && long_ && solid && centred))
        return std::nullopt;
    const double ratio = bw / textHeight;
    if (ratio < 0.45)
        return "-";
    if (ratio < 0.8)
        return "–";
    return "—";
}

}  // namespace VozudOzev::DashDetector
