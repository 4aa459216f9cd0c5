#include "VozudOzev/Structure/RGBImage.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <string>

namespace VozudOzev {

RGBImage::RGBImage(Image image) : Image(std::move(image))
{
    if (width < 0 || height < 0 || static_cast<long long>(width) * height > maxPixels ||
        rgb.size() != static_cast<size_t>(width) * height * 3)
        throw VozudOzevError::invalidInput("image pixels cannot be read (" + std::to_string(width) + " x " +
                                           std::to_string(height) + ", " + std::to_string(rgb.size()) + " bytes)");
}

RGBImage RGBImage::cropped(int x0, int y0, int x1, int y1) const
{
    return RGBImage(Image::cropped(x0, y0, x1, y1));
}

}  // namespace VozudOzev
