#include "VozudOzev/TextGrid/StackedStrokes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

namespace {

// Text lines with a word whose inside the line at x runs through.
int wordsCrossed(const std::vector<OCRLine>& lines, double x)
{
    int crossed = 0;
    for (const OCRLine& line : lines)
        crossed += std::any_of(line.words.begin(), line.words.end(),
                               [&](const OCRWord& w) { return w.bbox.x + 1 < x && x < w.bbox.maxX() - 1; })
                       ? 1
                       : 0;
    return crossed;
}

// Longest run of pixels down column x that differ from the background.
int longestRun(const std::vector<std::uint8_t>& grey, int width, int height, int x, int background)
{
    int best = 0;
    int run = 0;
    for (int y = 0; y < height; ++y) {
        run = std::abs(static_cast<int>(grey[static_cast<size_t>(y) * width + x]) - background) >= 10 ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

}  // namespace

std::vector<double> StackedStrokes::removed(const std::vector<double>& vertical, const Image& image,
                                            const std::vector<OCRLine>& lines, double minRun, int& dropped)
{
    const int W = image.width;
    const int H = image.height;
    if (W < 1 || H < 1 || image.rgb.size() < static_cast<size_t>(W) * H * 3)
        return vertical;
    std::vector<double> kept;
    std::vector<std::uint8_t> grey;
    int background = 0;
    for (double x : vertical) {
        if (!std::isfinite(x) || wordsCrossed(lines, x) < 2) {
            kept.push_back(x);
            continue;
        }
        if (grey.empty()) {
            grey = image.grey();
            std::array<size_t, 256> histogram{};
            for (std::uint8_t v : grey)
                ++histogram[v];
            background = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
        }
        // A line one or two pixels wide has its middle between them: look at both.
        int run = 0;
        for (int c = static_cast<int>(std::floor(x)); c <= static_cast<int>(std::ceil(x)); ++c)
            if (c >= 0 && c < W)
                run = std::max(run, longestRun(grey, W, H, c, background));
        if (run >= minRun)
            kept.push_back(x);
        else
            ++dropped;
    }
    return kept;
}

}  // namespace VozudOzev
