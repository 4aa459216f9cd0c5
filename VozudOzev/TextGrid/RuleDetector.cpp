#include "VozudOzev/TextGrid/RuleDetector.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

namespace {

// Longest run of ink along one line of pixels, fed one pixel at a time; gaps of up to
// `bridge` pixels between ink pixels count towards the run, a trailing gap does not.
struct RunState {
    long best = 0;
    long run = 0;
    long gap = 0;
    bool open = false;

    void step(bool ink, int bridge)
    {
        if (ink) {
            run = open ? run + gap + 1 : 1;
            open = true;
            gap = 0;
            best = std::max(best, run);
        } else if (open && ++gap > bridge) {
            open = false;
            gap = 0;
        }
    }
};

// The extent's edges clamped to [0, limit]; non-finite edges give an empty span.
std::pair<double, double> span(double start, double size, double limit)
{
    if (!std::isfinite(start) || !std::isfinite(size))
        return {0, 0};
    const double lo = std::max(std::trunc(start), 0.0);
    const double hi = std::min(limit, std::ceil(start + size));
    return {lo, hi};
}

}  // namespace

RuleDetector::Rules RuleDetector::detect(const Image& image, const BBox& extent, double minCoverage) const
{
    const int W = image.width;
    const int H = image.height;
    if (W < 1 || H < 1 || image.rgb.size() < static_cast<size_t>(W) * H * 3)
        return {};

    const std::vector<std::uint8_t> grey = image.grey();

    std::array<size_t, 256> histogram{};
    for (std::uint8_t v : grey)
        ++histogram[v];
    // max_element keeps the first maximum: the lowest grey value on a tie.
    const int background = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());

    const auto [x0, x1] = span(extent.x, extent.w, W);
    const auto [y0, y1] = span(extent.y, extent.h, H);
    const double needH = (x1 - x0) * minCoverage;
    const double needV = (y1 - y0) * minCoverage;

    auto ink = [&](size_t index) { return std::abs(static_cast<int>(grey[index]) - background) >= contrast; };

    std::vector<bool> rowFlags(static_cast<size_t>(H), false);
    if (needH > 0)
        for (int y = 0; y < H; ++y) {
            const size_t base = static_cast<size_t>(y) * W;
            RunState state;
            for (int x = 0; x < W; ++x)
                state.step(ink(base + static_cast<size_t>(x)), bridge);
            rowFlags[static_cast<size_t>(y)] = static_cast<double>(state.best) >= needH;
        }

    std::vector<bool> colFlags(static_cast<size_t>(W), false);
    if (needV > 0) {
        // The same run measure for every column at once, walking the buffer row by row.
        std::vector<RunState> states(static_cast<size_t>(W));
        for (int y = 0; y < H; ++y) {
            const size_t base = static_cast<size_t>(y) * W;
            for (int x = 0; x < W; ++x)
                states[static_cast<size_t>(x)].step(ink(base + static_cast<size_t>(x)), bridge);
        }
        for (int x = 0; x < W; ++x)
            colFlags[static_cast<size_t>(x)] = static_cast<double>(states[static_cast<size_t>(x)].best) >= needV;
    }

    return {groups(rowFlags), groups(colFlags)};
}

std::vector<double> RuleDetector::groups(const std::vector<bool>& flags) const
{
    std::vector<double> positions;
    size_t i = 0;
    while (i < flags.size()) {
        if (!flags[i]) {
            ++i;
            continue;
        }
        const size_t first = i;
        while (i < flags.size() && flags[i])
            ++i;
        const size_t last = i - 1;
        if (last - first + 1 <= static_cast<size_t>(std::max(maxThickness, 0)))
            positions.push_back(static_cast<double>(first + last) / 2);
    }
    return positions;
}

}  // namespace VozudOzev
