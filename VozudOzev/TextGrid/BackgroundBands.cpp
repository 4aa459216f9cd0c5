#include "VozudOzev/TextGrid/BackgroundBands.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

namespace {

// The dominant grey of each pixel row over [x0, x1), or -1 where no grey covers `share` of it.
std::vector<int> dominantGreys(const Image& image, int x0, int x1, int y0, int y1, double share)
{
    std::vector<int> dominant(static_cast<size_t>(std::max(0, y1 - y0)), -1);
    for (int y = y0; y < y1; ++y) {
        std::array<int, 64> histogram{};  // 4 grey levels per bin: anti-aliasing noise stays in one bin
        int counted = 0;
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            const int grey = (299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000;
            ++histogram[static_cast<size_t>(grey / 4)];
            ++counted;
        }
        const auto top = std::max_element(histogram.begin(), histogram.end());
        if (static_cast<double>(*top) >= share * counted)
            dominant[static_cast<size_t>(y - y0)] = static_cast<int>(top - histogram.begin()) * 4 + 2;
    }
    return dominant;
}

}  // namespace

std::vector<double> BackgroundBands::edges(const Image& image, const BBox& extent, double margin,
                                           double minGap) const
{
    const int W = image.width;
    const int H = image.height;
    if (W < 1 || H < 2 || image.rgb.size() < static_cast<size_t>(W) * H * 3 || !std::isfinite(extent.x) ||
        !std::isfinite(extent.y) || !std::isfinite(extent.w) || !std::isfinite(extent.h) || !std::isfinite(margin))
        return {};
    const int x0 = std::clamp(static_cast<int>(std::floor(extent.x)), 0, W);
    const int x1 = std::clamp(static_cast<int>(std::ceil(extent.x + extent.w)), 0, W);
    const int y0 = std::clamp(static_cast<int>(std::floor(extent.y - margin)), 0, H);
    const int y1 = std::clamp(static_cast<int>(std::ceil(extent.y + extent.h + margin)), 0, H);
    if (x1 - x0 < 4 || y1 - y0 < 2)
        return {};

    const std::vector<int> dominant = dominantGreys(image, x0, x1, y0, y1, share);

    std::vector<double> out;
    int last = -1;
    for (size_t i = 0; i < dominant.size(); ++i) {
        if (dominant[i] < 0)
            continue;
        if (last >= 0 && std::abs(dominant[i] - dominant[static_cast<size_t>(last)]) >= contrast) {
            const double y = y0 + 0.5 * static_cast<double>(static_cast<size_t>(last) + i + 1);
            if (out.empty() || y - out.back() >= minGap)
                out.push_back(y);
        }
        last = static_cast<int>(i);
    }
    return out;
}

std::vector<std::pair<int, int>> BackgroundBands::darkBars(const Image& image) const
{
    const int W = image.width;
    const int H = image.height;
    if (W < 8 || H < 8 || image.rgb.size() < static_cast<size_t>(W) * H * 3)
        return {};
    const std::vector<int> dominant = dominantGreys(image, 0, W, 0, H, share);
    std::vector<int> known;
    for (int g : dominant)
        if (g >= 0)
            known.push_back(g);
    if (known.empty())
        return {};
    std::nth_element(known.begin(), known.begin() + static_cast<std::ptrdiff_t>(known.size() / 2), known.end());
    if (known[known.size() / 2] < 170)
        return {};  // a dark page is read as such already
    std::vector<std::pair<int, int>> out;
    int start = -1;
    for (int y = 0; y <= H; ++y) {
        // Rows through bold light text on a coloured bar may have no dominant grey; they
        // carry the bar on rather than cut a two-line header bar in two.
        const int g = y < H ? dominant[static_cast<size_t>(y)] : 255;
        const bool dark = (g >= 0 && g < 140) || (g < 0 && start >= 0);
        if (dark && start < 0)
            start = y;
        if (!dark && start >= 0) {
            if (y - start >= 8 && y - start <= H / 2)
                out.emplace_back(start, y);
            start = -1;
        }
    }
    return out;
}

}  // namespace VozudOzev
