#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

InkMask InkMask::of(const Image& image, const BBox& box, double share)
{
    InkMask m;
    if (image.empty() || image.rgb.size() < static_cast<size_t>(image.width) * image.height * 3 ||
        !std::isfinite(box.x) || !std::isfinite(box.y) || !std::isfinite(box.w) || !std::isfinite(box.h))
        return m;
    const int x1 = static_cast<int>(std::clamp(std::ceil(box.maxX()), 0.0, static_cast<double>(image.width)));
    const int y1 = static_cast<int>(std::clamp(std::ceil(box.maxY()), 0.0, static_cast<double>(image.height)));
    m.x0 = static_cast<int>(std::clamp(std::floor(box.x), 0.0, static_cast<double>(image.width)));
    m.y0 = static_cast<int>(std::clamp(std::floor(box.y), 0.0, static_cast<double>(image.height)));
    m.width = std::max(0, x1 - m.x0);
    m.height = std::max(0, y1 - m.y0);
    if (m.empty())
        return m;
    std::vector<int> grey(static_cast<size_t>(m.width) * m.height);
    std::array<int, 256> histogram{};
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const std::uint8_t* p = image.pixel(m.x0 + x, m.y0 + y);
            const int g = (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
            grey[static_cast<size_t>(y) * m.width + x] = g;
            ++histogram[static_cast<size_t>(g)];
        }
    const int page = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
    int strongest = 0;
    for (int g : grey)
        strongest = std::max(strongest, std::abs(g - page));
    // A box of page alone has no ink, however its noise varies.
    const int threshold = std::max(24, static_cast<int>(share * strongest));
    m.ink.resize(grey.size());
    for (size_t i = 0; i < grey.size(); ++i)
        m.ink[i] = std::abs(grey[i] - page) >= threshold;
    return m;
}

int InkMask::rowCount(int y) const
{
    int n = 0;
    for (int x = 0; x < width; ++x)
        n += at(x, y) ? 1 : 0;
    return n;
}

std::vector<InkMask::Component> InkMask::components() const
{
    std::vector<Component> out;
    std::vector<bool> seen(ink.size(), false);
    std::vector<std::pair<int, int>> stack;
    for (int sy = 0; sy < height; ++sy)
        for (int sx = 0; sx < width; ++sx) {
            const size_t si = static_cast<size_t>(sy) * width + sx;
            if (!ink[si] || seen[si])
                continue;
            Component c{sx, sy, sx, sy, 0};
            seen[si] = true;
            stack.assign(1, {sx, sy});
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++c.pixels;
                c.x0 = std::min(c.x0, x);
                c.x1 = std::max(c.x1, x);
                c.y0 = std::min(c.y0, y);
                c.y1 = std::max(c.y1, y);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                            continue;
                        const size_t ni = static_cast<size_t>(ny) * width + nx;
                        if (ink[ni] && !seen[ni]) {
                            seen[ni] = true;
                            stack.emplace_back(nx, ny);
                        }
                    }
            }
            out.push_back(c);
        }
    return out;
}

}  // namespace VozudOzev
