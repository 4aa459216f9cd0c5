#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <string>

namespace VozudOzev::ImageLoader {

// The first image of the file. Throws VozudOzevError::imageLoadFailed with the path when
// the file cannot be opened or decoded, or is larger than Image::maxPixels.
Image load(const std::string& path);

}  // namespace VozudOzev::ImageLoader
