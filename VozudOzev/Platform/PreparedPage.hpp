#pragma once

#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Platform/TesseractRecognizer.hpp"

#include <cstdint>
#include <vector>

namespace VozudOzev {

// The page as Tesseract gets it: grey, dark pages turned light, small text enlarged and
// long thin ruling lines painted out (Tesseract reads ruled grids badly).
struct PreparedPage {
    std::vector<std::uint8_t> grey;  // width * height, row after row
    int width = 0;
    int height = 0;
    int background = 255;
    double scaleX = 1;  // prepared pixels per image pixel
    double scaleY = 1;

    static PreparedPage prepare(const Image& image, const TesseractRecognizer::Tuning& tuning);

    // How much prepare enlarges the image.
    static double scale(const Image& image, const TesseractRecognizer::Tuning& tuning);
};

}  // namespace VozudOzev
