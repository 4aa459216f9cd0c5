#include "Kestrow/Shell/ImageConversion.hpp"

#include <QPainter>

#include <cstring>

namespace Kestrow::ImageConversion {

VozudOzev::Image toLibrary(const QImage& image)
{
    if (image.isNull() || image.width() > VozudOzev::Image::maxSide || image.height() > VozudOzev::Image::maxSide ||
        static_cast<long long>(image.width()) * image.height() > VozudOzev::Image::maxPixels)
        return {};
    QImage rgb(image.size(), QImage::Format_RGB888);
    rgb.fill(Qt::white);
    {
        QPainter painter(&rgb);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QImage source = image;
        source.setDevicePixelRatio(1);
        painter.drawImage(0, 0, source);
    }
    VozudOzev::Image out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    const size_t rowBytes = static_cast<size_t>(out.width) * 3;
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.rgb.data() + y * rowBytes, rgb.constScanLine(y), rowBytes);
    return out;
}

QImage fromLibrary(const VozudOzev::Image& image)
{
    if (image.empty())
        return {};
    QImage out(image.width, image.height, QImage::Format_RGB888);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.rgb.data() + y * rowBytes, rowBytes);
    return out;
}

}  // namespace Kestrow::ImageConversion
