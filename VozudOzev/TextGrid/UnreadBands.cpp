#include "VozudOzev/TextGrid/UnreadBands.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

std::vector<std::pair<int, int>> UnreadBands::find(const Image& image, const std::vector<OCRLine>& lines) const
{
    const int W = image.width;
    const int H = image.height;
    if (W < 8 || H < 4 || image.rgb.size() < static_cast<size_t>(W) * H * 3)
        return {};
    std::vector<double> heights;
    std::vector<bool> covered(static_cast<size_t>(H), false);
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words) {
            if (!std::isfinite(w.bbox.y) || !std::isfinite(w.bbox.h))
                continue;
            heights.push_back(w.bbox.h);
            const int y0 = std::clamp(static_cast<int>(std::floor(w.bbox.y)), 0, H);
            const int y1 = std::clamp(static_cast<int>(std::ceil(w.bbox.maxY())), 0, H);
            for (int y = y0; y < y1; ++y)
                covered[static_cast<size_t>(y)] = true;
        }
    // Too little text to measure it by: nothing to compare a band with.
    if (heights.size() < 4)
        return {};
    const double h = upperMedian(std::move(heights));

    const std::vector<std::uint8_t> grey = image.grey();
    std::vector<bool> texty(static_cast<size_t>(H), false);
    for (int y = 0; y < H; ++y) {
        if (covered[static_cast<size_t>(y)])
            continue;
        const std::uint8_t* row = grey.data() + static_cast<size_t>(y) * W;
        std::array<int, 256> histogram{};
        for (int x = 0; x < W; ++x)
            ++histogram[row[x]];
        const int background = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
        int changes = 0;
        int inkCount = 0;
        bool last = false;
        for (int x = 0; x < W; ++x) {
            const bool ink = std::abs(static_cast<int>(row[x]) - background) >= contrast;
            inkCount += ink ? 1 : 0;
            changes += ink != last ? 1 : 0;
            last = ink;
        }
        // Letters break a row into many short runs; a rule or a bar covers it. Light text
        // on dark bars has a reading of its own.
        texty[static_cast<size_t>(y)] = changes >= minChanges && inkCount < W / 2 && background >= 128;
    }
    std::vector<std::pair<int, int>> bands;
    int y = 0;
    while (y < H) {
        if (!texty[static_cast<size_t>(y)]) {
            ++y;
            continue;
        }
        const int first = y;
        while (y < H && texty[static_cast<size_t>(y)])
            ++y;
        if (y - first >= 0.4 * h && y - first <= 3 * h)
            bands.emplace_back(first, y);
    }
    if (bands.size() > maxBands)
        return {};
    return bands;
}

}  // namespace VozudOzev
