#include "VozudOzev/DashDetector.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace VozudOzev::DashDetector {

namespace {

constexpr int inkContrast = 24;
constexpr int speckPixels = 3;

struct Component {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive
    int pixels = 0;
    bool touchesBorder = false;
};

std::uint8_t background(const std::vector<std::uint8_t>& grey)
{
    std::array<int, 256> histogram{};
    for (std::uint8_t g : grey)
        ++histogram[g];
    return static_cast<std::uint8_t>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
}

std::vector<Component> components(const std::vector<std::uint8_t>& ink, int w, int h)
{
    std::vector<Component> out;
    std::vector<std::uint8_t> seen(ink.size(), 0);
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!ink[start] || seen[start])
            continue;
        Component c{start % w, start / w, start % w, start / w, 0, false};
        seen[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int px = p % w;
            const int py = p / w;
            ++c.pixels;
            c.x0 = std::min(c.x0, px);
            c.x1 = std::max(c.x1, px);
            c.y0 = std::min(c.y0, py);
            c.y1 = std::max(c.y1, py);
            if (px == 0 || py == 0 || px == w - 1 || py == h - 1)
                c.touchesBorder = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = px + dx;
                    const int ny = py + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    const int q = ny * w + nx;
                    if (ink[q] && !seen[q]) {
                        seen[q] = 1;
                        stack.push_back(q);
                    }
                }
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace

std::optional<std::string> detect(const Image& image, const BBox& box, double textHeight, bool componentMode)
{
    if (!std::isfinite(box.x) || !std::isfinite(box.y) || !std::isfinite(box.w) || !std::isfinite(box.h))
        return std::nullopt;
    if (!(textHeight > 0))
        textHeight = 20;
    const int x0 = static_cast<int>(std::floor(std::clamp(box.x, 0.0, static_cast<double>(image.width))));
    const int y0 = static_cast<int>(std::floor(std::clamp(box.y, 0.0, static_cast<double>(image.height))));
    const int x1 = static_cast<int>(std::ceil(std::clamp(box.x + box.w, 0.0, static_cast<double>(image.width))));
    const int y1 = static_cast<int>(std::ceil(std::clamp(box.y + box.h, 0.0, static_cast<double>(image.height))));
    if (x1 - x0 < 3 || y1 - y0 < 3)
        return std::nullopt;
    const Image crop = image.cropped(x0, y0, x1, y1);
    const int w = crop.width;
    const int h = crop.height;
    const std::vector<std::uint8_t> grey = crop.grey();
    const int bg = background(grey);
    std::vector<std::uint8_t> ink(grey.size());
    for (size_t i = 0; i < grey.size(); ++i)
        ink[i] = std::abs(int(grey[i]) - bg) >= inkContrast;

    // Ink touching the crop's edge is a ruling line or a neighbour, never the cell's dash.
    std::optional<Component> bar;
    for (const Component& c : components(ink, w, h)) {
        if (c.touchesBorder)
            continue;
        if (componentMode && c.pixels < speckPixels)
            continue;
        if (bar)
            return std::nullopt;
        bar = c;
    }
    if (!bar)
        return std::nullopt;

    const double bw = bar->x1 - bar->x0 + 1;
    const double bh = bar->y1 - bar->y0 + 1;
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
