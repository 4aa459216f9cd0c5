#pragma once

#include "VozudOzev/Platform/Image.hpp"

namespace VozudOzev {

// The models' pixel buffer: the library image (8-bit RGB, row after row) checked once on
// the way in, so the resizers and model inputs can index it without further tests.
struct RGBImage : Image {
    RGBImage() = default;
    // Throws VozudOzevError::invalidInput when the pixels cannot be read: a negative size
    // or a buffer that does not hold width * height * 3 bytes.
    explicit RGBImage(Image image);

    // The pixels of [x0, x1) x [y0, y1); the caller has clamped the bounds (an empty
    // rectangle gives an empty image).
    RGBImage cropped(int x0, int y0, int x1, int y1) const;

    const Image& image() const { return *this; }

    bool operator==(const RGBImage&) const = default;
};

}  // namespace VozudOzev
