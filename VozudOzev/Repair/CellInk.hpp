#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <cstdint>
#include <vector>

// The ink drawn inside one cell box, as blobs: what the image-based cell passes look at
// before reading.
namespace VozudOzev::CellInk {

// One 8-connected blob of ink, in pixels of the cell's crop (bounds inclusive).
struct Blob {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int pixels = 0;
    bool touchesEdge = false;  // a ruling line, a neighbour's text, or text in a tight box

    int width() const { return x1 - x0 + 1; }
    // In image pixels, given the crop's origin.
    BBox inImage(int originX, int originY) const { return {double(originX + x0), double(originY + y0), double(width()), double(height())}; }
    int height() const { return y1 - y0 + 1; }
    bool operator==(const Blob&) const = default;
};

struct Inside {
    int x = 0;  // the crop's place and size in the image
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<Blob> blobs;
    std::vector<std::uint8_t> ink;  // width * height, 1 where ink (rules taken out if asked)

    bool at(int px, int py) const { return ink[static_cast<size_t>(py) * width + px] != 0; }
};

// Removed: ink runs reaching over four fifths of the crop's width (or height) are ruling
// lines and are taken out first.
enum class Rules { kept, removed };

// Ink differs from the crop's most common grey by 24 levels or more. Nothing for a box
// under 3 px either way or outside the image.
Inside inside(const Image& image, const BBox& box, Rules rules = Rules::kept);

}  // namespace VozudOzev::CellInk
