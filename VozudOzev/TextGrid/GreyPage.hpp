#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <cstdint>
#include <vector>

namespace VozudOzev {

// A page's greys with the few reads the word passes share: a pixel, a word's box in whole
// pixels, and the grey around a box.
struct GreyPage {
    const std::vector<std::uint8_t>& grey;
    int width = 0;
    int height = 0;

    struct Span {
        int x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // [x0, x1) x [y0, y1), inside the page
    };

    int at(int x, int y) const { return grey[static_cast<size_t>(y) * width + x]; }
    // The box widened to whole pixels and clamped to the page.
    Span span(const BBox& box) const;
    // The grey most of the rows `above` and `below` show between x0 and x1 (rows off the page
    // left out); white when none is on it.
    int surrounding(int x0, int x1, int above, int below) const;
};

}  // namespace VozudOzev
