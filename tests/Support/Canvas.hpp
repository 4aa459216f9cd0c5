#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <cstdint>

// Drawing into test images: filled rectangles of one grey, clipped to the image.
namespace TestSupport::Canvas {

void fill(VozudOzev::Image& image, int x, int y, int w, int h, std::uint8_t grey = 0);

// An image of the given size in one grey.
VozudOzev::Image plain(int width, int height, std::uint8_t grey = 255);

}  // namespace TestSupport::Canvas
