#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <optional>

// Geometry of the zoomable source-image pane: the canvas is the image in points with a
// 14-point margin on every side.
namespace KestrowEditor::SourceGeometry {

inline constexpr double margin = 14;
inline constexpr double minMagnification = 0.05;
inline constexpr double maxMagnification = 8;

struct Size {
    double w = 0;
    double h = 0;
    bool operator==(const Size&) const = default;
};

// A scale of 0 or less, or one that is no number, counts as 1.
double sanitisedScale(double scale);

Size canvasSize(int imageWidth, int imageHeight, double scale);

// A cell box (image pixels) on the canvas, in points.
VozudOzev::BBox canvasRect(const VozudOzev::BBox& box, double scale);
// The part of the canvas scrolled into view for a highlighted box.
VozudOzev::BBox revealRect(const VozudOzev::BBox& box, double scale);

// current x factor kept between the smallest and largest magnification.
double zoomed(double current, double factor);
// Magnification that fits the canvas to the pane's width, never above 100 %; none while
// either width is unknown.
std::optional<double> fitMagnification(double contentWidth, double canvasWidth);

// An image of no pixels or a single pixel stands for a capture whose image was not kept.
bool isPlaceholder(int imageWidth, int imageHeight);

}  // namespace KestrowEditor::SourceGeometry
