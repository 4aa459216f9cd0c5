#include "VozudOzev/Platform/Image.hpp"

#include "VozudOzev/Platform/Leptonica.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

Image::Image(int w, int h) : width(std::max(w, 0)), height(std::max(h, 0)), rgb(static_cast<size_t>(width) * height * 3, 255)
{
}

Image Image::cropped(int x0, int y0, int x1, int y1) const
{
    x0 = std::clamp(x0, 0, width);
    x1 = std::clamp(x1, x0, width);
    y0 = std::clamp(y0, 0, height);
    y1 = std::clamp(y1, y0, height);
    Image out;
    out.width = x1 - x0;
    out.height = y1 - y0;
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
        std::copy_n(pixel(x0, y0 + y), static_cast<size_t>(out.width) * 3, out.pixel(0, y));
    return out;
}

std::optional<Image> Image::scaled(double factor) const
{
    if (!(factor > 0) || !std::isfinite(factor))
        return std::nullopt;
    const double w = std::trunc(width * factor);
    const double h = std::trunc(height * factor);
    if (w < 1 || h < 1 || w > maxSide || h > maxSide || w * h > static_cast<double>(maxPixels))
        return std::nullopt;
    return resized(static_cast<int>(w), static_cast<int>(h));
}

std::optional<Image> Image::resized(int newWidth, int newHeight) const
{
    if (empty() || newWidth < 1 || newHeight < 1 || newWidth > maxSide || newHeight > maxSide ||
        static_cast<long long>(newWidth) * newHeight > maxPixels)
        return std::nullopt;
    if (newWidth == width && newHeight == height)
        return *this;
    return Leptonica::resized(*this, newWidth, newHeight);
}

std::vector<std::uint8_t> Image::grey() const
{
    std::vector<std::uint8_t> g(static_cast<size_t>(width) * height);
    const std::uint8_t* p = rgb.data();
    for (size_t i = 0; i < g.size(); ++i, p += 3)
        g[i] = static_cast<std::uint8_t>((299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000);
    return g;
}

}  // namespace VozudOzev
