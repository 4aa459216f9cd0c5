#include "VozudOzev/TextGrid/FaintLines.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

std::vector<std::pair<int, int>> FaintLines::find(const Image& image, const std::vector<OCRLine>& lines) const
{
    const int W = image.width;
    const int H = image.height;
    if (W < 8 || H < 4 || image.rgb.size() < static_cast<size_t>(W) * H * 3 || lines.size() < 3)
        return {};
    const std::vector<std::uint8_t> grey = image.grey();
    // The darkest and the most common grey in each line's box.
    struct Ink {
        int darkest = 255;
        int ground = 255;
    };
    std::vector<Ink> inks;
    for (const OCRLine& line : lines) {
        Ink ink;
        const BBox& b = line.bbox;
        if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(b.w) || !std::isfinite(b.h)) {
            inks.push_back(ink);
            continue;
        }
        const int x0 = std::clamp(static_cast<int>(b.x), 0, W);
        const int x1 = std::clamp(static_cast<int>(std::ceil(b.maxX())), 0, W);
        const int y0 = std::clamp(static_cast<int>(b.y), 0, H);
        const int y1 = std::clamp(static_cast<int>(std::ceil(b.maxY())), 0, H);
        std::vector<int> counts(256, 0);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const int g = grey[static_cast<size_t>(y) * W + x];
                ink.darkest = std::min(ink.darkest, g);
                ++counts[static_cast<size_t>(g)];
            }
        ink.ground = static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
        inks.push_back(ink);
    }
    // Only on a light page whose text is mostly dark.
    const auto dark = std::count_if(inks.begin(), inks.end(), [&](const Ink& i) { return i.darkest < darkInk && i.ground >= 180; });
    if (2 * dark < static_cast<long>(inks.size()))
        return {};
    std::vector<std::pair<int, int>> bands;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Ink& ink = inks[i];
        if (ink.darkest < faintInk || ink.ground < 180 || ink.ground - ink.darkest < 40)
            continue;
        const BBox& b = lines[i].bbox;
        const int pad = std::max(2, static_cast<int>(b.h / 3));
        bands.emplace_back(std::max(0, static_cast<int>(b.y) - pad), std::min(H, static_cast<int>(std::ceil(b.maxY())) + pad));
    }
    std::sort(bands.begin(), bands.end());
    std::vector<std::pair<int, int>> out;
    for (const auto& band : bands) {
        if (!out.empty() && band.first <= out.back().second)
            out.back().second = std::max(out.back().second, band.second);
        else
            out.push_back(band);
    }
    // A band reaching into a filled bar is no faint text on a light page: the bar's light
    // text was read inverted already.
    std::erase_if(out, [&](const std::pair<int, int>& band) {
        std::vector<double> row(static_cast<size_t>(W));
        for (int y = band.first; y < band.second; ++y) {
            for (int x = 0; x < W; ++x)
                row[static_cast<size_t>(x)] = grey[static_cast<size_t>(y) * W + x];
            if (upperMedian(row) < 180)
                return true;
        }
        return false;
    });
    return out;
}

}  // namespace VozudOzev
