#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <optional>

// Geometry of the floating card that shows a cell's crop of the source image beside the grid.
// Rectangles are BBox values with a top-left origin, y growing downward.
namespace KestrowEditor::CropCard {

struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const PixelRect&) const = default;
};

// The pixels to cut for a cell box: the box with a 4-point margin, edges moved outward to
// whole pixels, kept inside the image; none when nothing of it lies in the image.
std::optional<PixelRect> cropRect(const VozudOzev::BBox& box, int imageWidth, int imageHeight, double scale);

// The card's frame for a crop of the given size in points, shown next to the cell's
// rectangle: right of it, else left of it, else below it, always inside the bounds.
// Low crops are enlarged to 28 points high, large ones shrunk into 420 x 160; the image
// sits 4 points inside the card.
VozudOzev::BBox place(double cropWidth, double cropHeight, const VozudOzev::BBox& cell,
                      const VozudOzev::BBox& bounds);

}  // namespace KestrowEditor::CropCard
