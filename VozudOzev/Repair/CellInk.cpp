#include "VozudOzev/Repair/CellInk.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace VozudOzev::CellInk {

namespace {

constexpr int inkContrast = 24;

int background(const std::vector<std::uint8_t>& grey)
{
    std::array<int, 256> histogram{};
    for (std::uint8_t g : grey)
        ++histogram[g];
    return static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
}

// Clears every horizontal run of ink at least 0.8 w long and every vertical one at least
// 0.8 h long, both found on the ink as it was.
void removeRules(std::vector<std::uint8_t>& ink, int w, int h)
{
    std::vector<std::uint8_t> rule(ink.size(), 0);
    const auto scan = [&](int lines, int length, auto at) {
        const double minRun = 0.8 * length;
        for (int l = 0; l < lines; ++l) {
            int k = 0;
            while (k < length) {
                if (!ink[at(l, k)]) {
                    ++k;
                    continue;
                }
                const int start = k;
                while (k < length && ink[at(l, k)])
                    ++k;
                if (k - start >= minRun)
                    for (int j = start; j < k; ++j)
                        rule[at(l, j)] = 1;
            }
        }
    };
    scan(h, w, [w](int y, int x) { return static_cast<size_t>(y) * w + x; });
    scan(w, h, [w](int x, int y) { return static_cast<size_t>(y) * w + x; });
    for (size_t i = 0; i < ink.size(); ++i)
        if (rule[i])
            ink[i] = 0;
}

}  // namespace

Inside inside(const Image& image, const BBox& box, Rules rules)
{
    Inside out;
    if (!std::isfinite(box.x) || !std::isfinite(box.y) || !std::isfinite(box.w) || !std::isfinite(box.h))
        return out;
    const double W = image.width;
    const double H = image.height;
    const int x0 = static_cast<int>(std::floor(std::clamp(box.x, 0.0, W)));
    const int y0 = static_cast<int>(std::floor(std::clamp(box.y, 0.0, H)));
    const int x1 = static_cast<int>(std::ceil(std::clamp(box.x + box.w, 0.0, W)));
    const int y1 = static_cast<int>(std::ceil(std::clamp(box.y + box.h, 0.0, H)));
    if (x1 - x0 < 3 || y1 - y0 < 3)
        return out;
    const Image crop = image.cropped(x0, y0, x1, y1);
    out.x = x0;
    out.y = y0;
    const int w = out.width = crop.width;
    const int h = out.height = crop.height;
    const std::vector<std::uint8_t> grey = crop.grey();
    const int bg = background(grey);
    std::vector<std::uint8_t> ink(grey.size());
    for (size_t i = 0; i < grey.size(); ++i)
        ink[i] = std::abs(int(grey[i]) - bg) >= inkContrast;
    if (rules == Rules::removed)
        removeRules(ink, w, h);

    std::vector<std::uint8_t> seen(ink.size(), 0);
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!ink[start] || seen[start])
            continue;
        Blob b{start % w, start / w, start % w, start / w, 0, false};
        seen[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int px = p % w;
            const int py = p / w;
            ++b.pixels;
            b.x0 = std::min(b.x0, px);
            b.x1 = std::max(b.x1, px);
            b.y0 = std::min(b.y0, py);
            b.y1 = std::max(b.y1, py);
            b.touchesEdge = b.touchesEdge || px == 0 || py == 0 || px == w - 1 || py == h - 1;
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
        out.blobs.push_back(b);
    }
    out.ink = std::move(ink);
    return out;
}

}  // namespace VozudOzev::CellInk
