#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Where the background of a screen table changes from one pixel row to the next: the
// edges of zebra rows, header bars and selection highlights, which separate rows as a
// ruling line would.
struct BackgroundBands {
    int contrast = 6;     // smallest change of the row's dominant grey that is an edge
    double share = 0.5;   // the dominant grey must cover this share of the row

    // y of each edge inside the extent (widened by `margin`), ascending; nearby edges
    // (closer than minGap) are kept once.
    std::vector<double> edges(const Image& image, const BBox& extent, double margin, double minGap) const;

    // Pixel rows [first, second) of dark bars across a light page (a dark header bar, a
    // selected row), where light text is drawn that a reading for dark text misses.
    std::vector<std::pair<int, int>> darkBars(const Image& image) const;
};

}  // namespace VozudOzev
