#pragma once

#include "VozudOzev/Model/Dpi.hpp"

#include <string>

namespace VozudOzev::ImageResolution {

// The file's own resolution (PNG pHYs, JPEG JFIF, TIFF); 72 x 72 when it states none.
// Never fails.
Dpi dpi(const std::string& path);

}  // namespace VozudOzev::ImageResolution
