#include "Kestrow/Capture/ScreenCapture.hpp"

#include "Kestrow/Capture/BlankImage.hpp"
#include "Kestrow/Capture/CaptureFailure.hpp"

#include <QCoreApplication>

#include <cmath>

namespace Kestrow::ScreenCapture {

namespace {
int pixels(double logical, double scale) {
    return int(std::max(1L, std::lround(logical * scale)));
}
}  // namespace

QRect pixelRect(const QRectF& globalRect, const ScreenInfo& screen) {
    const double s = screen.devicePixelRatio;
    const double x = (globalRect.x() - screen.geometry.x()) * s;
    const double y = (globalRect.y() - screen.geometry.y()) * s;
    return QRect(int(std::floor(x)), int(std::floor(y)), pixels(globalRect.width(), s), pixels(globalRect.height(), s));
}

Shot capture(const FrozenFrame& frame, const QRectF& globalRect) {
    if (frame.image.isNull())
        throw CaptureFailure::other(QCoreApplication::translate("CaptureFailure", "No display to capture"));
    if (!globalRect.isValid() || !std::isfinite(globalRect.width()) || !std::isfinite(globalRect.height()))
        throw CaptureFailure::other(QCoreApplication::translate("CaptureFailure", "The selection is empty"));
    const QRect wanted = pixelRect(globalRect, frame.screen);
    const QRect area = wanted.intersected(QRect(QPoint(0, 0), frame.image.size()));
    if (area.isEmpty())
        throw CaptureFailure::other(QCoreApplication::translate("CaptureFailure", "The selection lies outside the screen"));
    QImage image = frame.image.copy(area);
    image.setDevicePixelRatio(1.0);
    if (BlankImage::isBlank(image, 3)) {
        // A flat region on a screen with content is fine; a flat screen means nothing was seen.
        const QImage thumbnail = frame.image.scaledToWidth(64, Qt::FastTransformation);
        if (BlankImage::isBlank(thumbnail, 3)) throw CaptureFailure::blank();
    }
    return {std::move(image), frame.screen.devicePixelRatio};
}

}  // namespace Kestrow::ScreenCapture
