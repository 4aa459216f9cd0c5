#include "VozudOzev/Structure/ImageResolution.hpp"

#include "VozudOzev/Platform/Leptonica.hpp"

namespace VozudOzev::ImageResolution {

Dpi dpi(const std::string& path)
{
    const auto [x, y] = Leptonica::readResolution(path);
    if (x <= 0 && y <= 0)
        return {72, 72};
    // A file stating one axis only is taken as square.
    return {static_cast<double>(x > 0 ? x : y), static_cast<double>(y > 0 ? y : x)};
}

}  // namespace VozudOzev::ImageResolution
