#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <utility>

namespace VozudOzev {

// How far a dark bar (a selected row, a header bar) reaches across the page. A selection
// may stop short of the row's start where a spanned cell keeps its own light background,
// and the frame around the table is dark too; neither belongs to the bar.
struct BarExtent {
    // The longest run of dark pixels (grey below 140) along pixel row y, crossing light
    // gaps of at most `maxGap` pixels (the grid lines drawn over a selection); {0, 0}
    // when the row holds no dark pixel or lies outside the image.
    static std::pair<int, int> along(const Image& image, int y, int maxGap = 3);
};

}  // namespace VozudOzev
