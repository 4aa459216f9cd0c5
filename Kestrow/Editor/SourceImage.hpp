#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <QImage>
#include <QSizeF>

#include <optional>

namespace Kestrow {

// The captured image as the grid's crop card and the source pane see it.
struct SourceImage {
    QImage image;
    double scale = 1;  // pixels per point of the capture

    struct Crop {
        QImage image;
        QSizeF pointSize;
    };

    // The cell box with a 4-point margin, cut from the image; none outside it.
    std::optional<Crop> crop(const VozudOzev::BBox& box) const;
    // An empty or 1 x 1 image stands for a capture whose image was not kept.
    bool isPlaceholder() const;
    double pointScale() const;
};

}  // namespace Kestrow
