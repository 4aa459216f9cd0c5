#include "VozudOzev/TextGrid/MergedCells.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace VozudOzev {

MergedCells::MergedCells(const Image& image, const BBox& extent) : extent_(extent)
{
    if (image.width < 5 || image.height < 1 || image.rgb.size() < static_cast<size_t>(image.width) * image.height * 3)
        return;
    width_ = image.width;
    height_ = image.height;
    grey_ = image.grey();
}

double MergedCells::drawnDown(double x) const
{
    const int from = std::clamp(static_cast<int>(std::ceil(extent_.y)), 0, height_);
    const int to = std::clamp(static_cast<int>(std::floor(extent_.maxY())), 0, height_);
    if (to <= from)
        return 0;
    int best = 0;
    const int cx = static_cast<int>(std::lround(x));
    for (int xi = std::max(2, cx - 2); xi <= std::min(width_ - 3, cx + 2); ++xi) {
        int on = 0;
        for (int y = from; y < to; ++y) {
            const size_t i = static_cast<size_t>(y) * width_ + xi;
            const int g = grey_[i];
            const int left = grey_[i - 2];
            const int right = grey_[i + 2];
            on += std::abs(left - right) < 10 && std::abs(g - left) >= 15 && std::abs(g - right) >= 15 ? 1 : 0;
        }
        best = std::max(best, on);
    }
    return static_cast<double>(best) / (to - from);
}

bool MergedCells::drawnUnderInk(double x, int y0, int y1) const
{
    // The line's own pixel column is the one where it stands down most of the table (a
    // letter's stem beside it stands only in its row); it keeps its grey all the way, and a
    // letter over the place covers part of it.
    const int cx = static_cast<int>(std::lround(x));
    const int from = std::clamp(static_cast<int>(std::ceil(extent_.y)), 0, height_);
    const int to = std::clamp(static_cast<int>(std::floor(extent_.maxY())), 0, height_);
    int at = -1;
    std::vector<int> line;
    for (int xi = std::max(2, cx - 2); xi <= std::min(width_ - 3, cx + 2); ++xi) {
        std::vector<int> here;
        for (int y = from; y < to; ++y) {
            const size_t i = static_cast<size_t>(y) * width_ + xi;
            if (std::abs(grey_[i - 2] - grey_[i + 2]) < 10 && std::abs(grey_[i] - grey_[i - 2]) >= 15)
                here.push_back(grey_[i]);
        }
        if (here.size() > line.size()) {
            line = std::move(here);
            at = xi;
        }
    }
    if (at < 0)
        return false;
    std::nth_element(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(line.size() / 2), line.end());
    const int colour = line[line.size() / 2];
    // A fill as grey as the line (a header bar) is no line: the line stands out beside it.
    int on = 0;
    for (int y = y0; y < y1; ++y) {
        const size_t i = static_cast<size_t>(y) * width_ + at;
        const int g = grey_[i];
        on += std::abs(g - colour) <= 12 && std::max(std::abs(g - grey_[i - 2]), std::abs(g - grey_[i + 2])) >= 15 ? 1
                                                                                                                 : 0;
    }
    return on >= 0.9 * (y1 - y0);
}

bool MergedCells::open(double x, const BBox& left, const BBox& right) const
{
    if (grey_.empty() || !std::isfinite(x) || !std::isfinite(left.maxX()) || !std::isfinite(right.x))
        return false;
    // Only the columns between the two words' ink, near x: the words' own strokes would
    // pass for a line.
    const int x0 = std::max({static_cast<int>(std::floor(left.maxX())) + 1, static_cast<int>(std::lround(x)) - 2, 0});
    const int x1 = std::min({static_cast<int>(std::ceil(right.x)) - 1, static_cast<int>(std::lround(x)) + 2, width_ - 1});
    const int y0 = std::clamp(static_cast<int>(std::ceil(std::max(left.y, right.y))), 0, height_);
    const int y1 = std::clamp(static_cast<int>(std::floor(std::min(left.maxY(), right.maxY()))), 0, height_);
    if (y1 - y0 < 3 || drawnDown(x) < 0.5)
        return false;
    if (x1 < x0)
        return !drawnUnderInk(x, y0, y1);
    std::array<int, 256> histogram{};
    for (int y = y0; y < y1; ++y)
        for (int xi = x0; xi <= x1; ++xi)
            ++histogram[grey_[static_cast<size_t>(y) * width_ + xi]];
    const int ground = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
    for (int xi = x0; xi <= x1; ++xi) {
        int on = 0;
        for (int y = y0; y < y1; ++y)
            on += std::abs(grey_[static_cast<size_t>(y) * width_ + xi] - ground) >= 15 ? 1 : 0;
        if (on >= 0.6 * (y1 - y0))
            return false;
    }
    return true;
}

}  // namespace VozudOzev

namespace VozudOzev {

bool MergedCells::drawnAcross(double x, const BBox& word) const
{
    if (grey_.empty() || !std::isfinite(x) || !std::isfinite(word.y) || !std::isfinite(word.h))
        return false;
    const int y0 = std::clamp(static_cast<int>(std::ceil(word.y)), 0, height_);
    const int y1 = std::clamp(static_cast<int>(std::floor(word.maxY())), 0, height_);
    return y1 - y0 >= 3 && drawnDown(x) >= 0.5 && drawnUnderInk(x, y0, y1);
}

std::pair<double, double> MergedCells::blankAround(double x, const BBox& word) const
{
    const int y0 = std::clamp(static_cast<int>(std::ceil(word.y)), 0, height_);
    const int y1 = std::clamp(static_cast<int>(std::floor(word.maxY())), 0, height_);
    const int cx = std::clamp(static_cast<int>(std::lround(x)), 0, width_ - 1);
    std::array<int, 256> histogram{};
    for (int y = y0; y < y1; ++y)
        for (int xi = std::max(0, cx - 6); xi <= std::min(width_ - 1, cx + 6); ++xi)
            ++histogram[grey_[static_cast<size_t>(y) * width_ + xi]];
    const int ground = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
    auto inked = [&](int xi) {
        int on = 0;
        for (int y = y0; y < y1; ++y)
            on += std::abs(grey_[static_cast<size_t>(y) * width_ + xi] - ground) >= 40 ? 1 : 0;
        // The line itself runs the whole height.
        return on > 0 && !(std::abs(xi - cx) <= 2 && on == y1 - y0);
    };
    int left = cx - 1;
    while (left > word.x && !inked(left))
        --left;
    int right = cx + 1;
    while (right < word.maxX() && !inked(right))
        ++right;
    return {left + 1.0, static_cast<double>(right)};
}

}  // namespace VozudOzev
