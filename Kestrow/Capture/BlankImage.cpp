#include "Kestrow/Capture/BlankImage.hpp"

#include <cstdlib>

namespace Kestrow::BlankImage {

bool isBlank(const QImage& image, int tolerance) {
    if (image.width() < 1 || image.height() < 1) return true;
    const int sw = std::min(image.width(), 64);
    const int sh = std::min(image.height(), 64);
    QImage sample = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        .scaled(sw, sh, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (sample.isNull()) return false;
    const QRgb ref = sample.pixel(0, 0);
    for (int y = 0; y < sh; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(sample.constScanLine(y));
        for (int x = 0; x < sw; ++x) {
            const QRgb px = line[x];
            if (std::abs(qRed(px) - qRed(ref)) > tolerance || std::abs(qGreen(px) - qGreen(ref)) > tolerance ||
                std::abs(qBlue(px) - qBlue(ref)) > tolerance)
                return false;
        }
    }
    return true;
}

}  // namespace Kestrow::BlankImage
