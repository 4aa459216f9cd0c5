#include "VozudOzev/TextGrid/BarExtent.hpp"

namespace VozudOzev {

std::pair<int, int> BarExtent::along(const Image& image, int y, int maxGap)
{
    const int W = image.width;
    if (y < 0 || y >= image.height || W <= 0 || image.rgb.size() < static_cast<size_t>(W) * image.height * 3)
        return {0, 0};
    auto dark = [&](int x) {
        const std::uint8_t* p = image.pixel(x, y);
        return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000 < 140;
    };
    std::pair<int, int> best{0, 0};
    int start = -1;
    int lastDark = -1;
    for (int x = 0; x <= W; ++x) {
        const bool d = x < W && dark(x);
        if (d) {
            if (start < 0 || x - lastDark - 1 > maxGap)
                start = x;
            lastDark = x;
            if (lastDark + 1 - start > best.second - best.first)
                best = {start, lastDark + 1};
        }
    }
    return best;
}

}  // namespace VozudOzev
