#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <QImage>

namespace Kestrow::ImageConversion {

// The library reads 8-bit RGB with alpha already over white, as files are loaded. An
// image beyond the library's size limits comes back empty, before anything is allocated.
VozudOzev::Image toLibrary(const QImage& image);
QImage fromLibrary(const VozudOzev::Image& image);

}  // namespace Kestrow::ImageConversion
