#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace VozudOzev {

// The library's image: 8-bit RGB, row after row, alpha already composited over white.
struct Image {
    // Larger images are refused before any pixel is decoded or allocated.
    static constexpr long long maxPixels = 50'000'000;
    static constexpr int maxSide = 32'767;

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

    Image() = default;
    // A white image of the given size.
    Image(int width, int height);

    bool empty() const { return width <= 0 || height <= 0; }
    const std::uint8_t* pixel(int x, int y) const { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
    std::uint8_t* pixel(int x, int y) { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }

    // The pixels of [x0, x1) x [y0, y1), clamped to the image.
    Image cropped(int x0, int y0, int x1, int y1) const;

    // Redrawn at width * factor by height * factor, truncated to whole pixels, with
    // high-quality interpolation; nothing when that size is empty or too large.
    std::optional<Image> scaled(double factor) const;
    std::optional<Image> resized(int newWidth, int newHeight) const;

    // 8-bit luma (Rec. 601), one byte per pixel.
    std::vector<std::uint8_t> grey() const;

    bool operator==(const Image&) const = default;
};

}  // namespace VozudOzev
