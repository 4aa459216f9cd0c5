#include "KestrowEditor/SourceGeometry.hpp"

#include <algorithm>
#include <cmath>

namespace KestrowEditor::SourceGeometry {

double sanitisedScale(double scale)
{
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

Size canvasSize(int imageWidth, int imageHeight, double scale)
{
    const double s = sanitisedScale(scale);
    return {std::max(imageWidth, 0) / s + 2 * margin, std::max(imageHeight, 0) / s + 2 * margin};
}

VozudOzev::BBox canvasRect(const VozudOzev::BBox& box, double scale)
{
    const double s = sanitisedScale(scale);
    return {box.x / s + margin, box.y / s + margin, box.w / s, box.h / s};
}

VozudOzev::BBox revealRect(const VozudOzev::BBox& box, double scale)
{
    const auto r = canvasRect(box, scale);
    return {r.x - 24, r.y - 24, r.w + 48, r.h + 48};
}

double zoomed(double current, double factor)
{
    const double m = current * factor;
    if (!std::isfinite(m))
        return std::isnan(m) ? current : maxMagnification;
    return std::min(maxMagnification, std::max(minMagnification, m));
}

std::optional<double> fitMagnification(double contentWidth, double canvasWidth)
{
    if (!(contentWidth > 0) || !(canvasWidth > 0))
        return std::nullopt;
    return std::max(minMagnification, std::min(1.0, contentWidth / canvasWidth));
}

bool isPlaceholder(int imageWidth, int imageHeight)
{
    return imageWidth <= 0 || imageHeight <= 0 || (imageWidth == 1 && imageHeight == 1);
}

}  // namespace KestrowEditor::SourceGeometry
