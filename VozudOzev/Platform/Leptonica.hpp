#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct Pix;

// Conversions between the library's image and Leptonica's, and the file decoder.
namespace VozudOzev::Leptonica {

struct PixDeleter {
    void operator()(Pix* p) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

PixPtr fromImage(const Image& image);
// Any depth and colour map to 8-bit RGB, alpha composited over white.
std::optional<Image> toImage(Pix* pix);

struct DecodedFile {
    Image image;
    int xres = 0;  // pixels per inch as the file states them, 0 when it states none
    int yres = 0;
};

// The first image of the file; nothing when it is not an image of a format whose size its
// header states (ImageHeader), is damaged, or is larger than Image::maxPixels (checked
// from the header before decoding).
std::optional<DecodedFile> readFile(const std::string& path);
// The first image of encoded data in memory, under the same checks as readFile.
std::optional<Image> readMemory(const std::vector<std::uint8_t>& data);
// The resolution only, from the file header without decoding; (0, 0) when unknown.
std::pair<int, int> readResolution(const std::string& path);

// Leptonica's own messages go to stderr; the library reports failures itself.
void silenceMessages();

// Smooth resize (linear interpolation up, area averaging down).
std::optional<Image> resized(const Image& image, int width, int height);

}  // namespace VozudOzev::Leptonica
