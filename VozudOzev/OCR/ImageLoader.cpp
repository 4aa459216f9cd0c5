#include "VozudOzev/OCR/ImageLoader.hpp"

#include "VozudOzev/Platform/Leptonica.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

namespace VozudOzev::ImageLoader {

Image load(const std::string& path)
{
    auto decoded = Leptonica::readFile(path);
    if (!decoded)
        throw VozudOzevError::imageLoadFailed(path);
    return std::move(decoded->image);
}

}  // namespace VozudOzev::ImageLoader
