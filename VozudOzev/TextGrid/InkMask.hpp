#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Which pixels of a small box are ink, on light or dark pages alike: the box's most common
// grey is the page, and ink is what stands out from it by a good part of the strongest
// contrast there (antialiased strokes, a faint dot inside a zero, count as ink).
struct InkMask {
    int x0 = 0;  // the box clamped to the image, in image pixels
    int y0 = 0;
    int width = 0;
    int height = 0;
    std::vector<bool> ink;  // width * height, row after row

    static InkMask of(const Image& image, const BBox& box, double share = 0.3);

    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x]; }
    bool empty() const { return width <= 0 || height <= 0; }
    // Ink pixels in the row y (mask coordinates).
    int rowCount(int y) const;

    // The 8-connected ink components, each as its bounding box in mask coordinates and its size.
    struct Component {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive
        int pixels = 0;
    };
    std::vector<Component> components() const;
};

}  // namespace VozudOzev
