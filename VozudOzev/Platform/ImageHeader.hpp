#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace VozudOzev {

// What an encoded image says about itself in its own header bytes, read without decoding
// a single pixel, so that an absurd size is refused before any decoder allocates for it.
// Only the formats whose size can be read this way are recognised; anything else (and a
// header that is cut short or contradicts itself) gives nothing.
struct ImageHeader {
    enum class Format { png, jpeg, gif, bmp, tiff, pnm, webp };

    Format format = Format::png;
    long long width = 0;
    long long height = 0;
    // What a decoder allocates for the whole file: GIF decodes every frame, not only the first.
    long long decodedPixels = 0;
    // Pixels per inch as the header states them (PNG pHYs, JPEG JFIF, TIFF, BMP), 0 for none.
    int xres = 0;
    int yres = 0;

    static std::optional<ImageHeader> read(std::span<const std::uint8_t> data);
    static std::optional<ImageHeader> readFile(const std::string& path);

    bool operator==(const ImageHeader&) const = default;
};

}  // namespace VozudOzev
