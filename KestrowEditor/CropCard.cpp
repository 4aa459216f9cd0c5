#include "KestrowEditor/CropCard.hpp"

#include <algorithm>
#include <climits>
#include <cmath>

namespace KestrowEditor::CropCard {

std::optional<PixelRect> cropRect(const VozudOzev::BBox& box, int imageWidth, int imageHeight, double scale)
{
    const double pad = 4 * scale;
    const double x0 = std::floor(box.x - pad), y0 = std::floor(box.y - pad);
    const double x1 = std::ceil(box.x + box.w + pad), y1 = std::ceil(box.y + box.h + pad);
    // Boxes from a damaged record may hold NaN or huge values: compare in doubles first.
    if (!(x1 > x0) || !(y1 > y0))
        return std::nullopt;
    const double cx0 = std::max(x0, 0.0), cy0 = std::max(y0, 0.0);
    const double cx1 = std::min(x1, double(imageWidth)), cy1 = std::min(y1, double(imageHeight));
    if (!(cx1 > cx0) || !(cy1 > cy0))
        return std::nullopt;
    return PixelRect{int(cx0), int(cy0), int(cx1 - cx0), int(cy1 - cy0)};
}

VozudOzev::BBox place(double cropWidth, double cropHeight, const VozudOzev::BBox& cell,
                      const VozudOzev::BBox& bounds)
{
    double w = cropWidth, h = cropHeight;
    if (h < 28 && h > 0) {
        w = w * 28 / h;
        h = 28;
    }
    const double s = std::min({1.0, 420 / w, 160 / h});
    const double cardW = w * s + 8, cardH = h * s + 8;

    double x = cell.maxX() + 8, y = 0;
    if (x + cardW > bounds.maxX())
        x = cell.minX() - 8 - cardW;
    if (x < bounds.minX()) {
        x = std::min(bounds.maxX() - cardW, std::max(cell.minX(), bounds.minX()));
        y = cell.maxY() + 8;
    } else {
        y = cell.minY();
    }
    y = std::min(bounds.maxY() - cardH, std::max(y, bounds.minY()));
    return {x, y, cardW, cardH};
}

}  // namespace KestrowEditor::CropCard
