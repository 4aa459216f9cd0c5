#include "Kestrow/Editor/SourceImage.hpp"

#include "KestrowEditor/CropCard.hpp"
#include "KestrowEditor/SourceGeometry.hpp"

namespace Kestrow {

std::optional<SourceImage::Crop> SourceImage::crop(const VozudOzev::BBox& box) const
{
    if (isPlaceholder())
        return std::nullopt;
    const double s = pointScale();
    const auto r = KestrowEditor::CropCard::cropRect(box, image.width(), image.height(), s);
    if (!r)
        return std::nullopt;
    QImage cut = image.copy(r->x, r->y, r->w, r->h);
    if (cut.isNull())
        return std::nullopt;
    return Crop{std::move(cut), QSizeF(r->w / s, r->h / s)};
}

bool SourceImage::isPlaceholder() const
{
    return KestrowEditor::SourceGeometry::isPlaceholder(image.width(), image.height());
}

double SourceImage::pointScale() const
{
    return KestrowEditor::SourceGeometry::sanitisedScale(scale);
}

}  // namespace Kestrow
