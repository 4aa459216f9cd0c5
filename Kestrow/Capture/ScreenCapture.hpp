#pragma once

#include "Kestrow/Capture/FrozenFrame.hpp"

#include <QImage>
#include <QRect>
#include <QRectF>

namespace Kestrow::ScreenCapture {

struct Shot {
    QImage image;  // device pixels
    double scale = 1.0;  // pixels per logical point
};

// The device-pixel rectangle of a global logical rectangle on a frame's screen: origin
// truncated, sizes = max(1, round(scale x size)) with halves away from zero.
QRect pixelRect(const QRectF& globalRect, const ScreenInfo& screen);

// Crops the frozen frame to the rectangle. When the crop is one flat colour and the whole
// frame is too, throws CaptureFailure::blank (nothing was really seen); every other problem
// throws CaptureFailure::other.
Shot capture(const FrozenFrame& frame, const QRectF& globalRect);

}  // namespace Kestrow::ScreenCapture
