#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace VozudOzev {

// A spreadsheet's column letters are small grey capitals on a filled bar above the cells,
// and a page reading makes little of them at screen size ("Ẩ", "(€", or one garbled word
// along the whole bar). The bar read again by itself, enlarged and with its section lines
// painted out, gives them back; the reading replaces the page's only when it is a run of
// column letters, so a table's own header on a filled bar stays as read.
struct SheetLetterBar {
    // Reads an image with capital letters only.
    using Reader = std::function<std::vector<OCRLine>(const Image&)>;

    // The pixel rows [y0, y1) of the filled bar the topmost text stands on: one light
    // fill, unlike the page's white, across most of the width and at most three text
    // heights tall. Nothing when the top text stands on no such bar. h is the text height.
    static std::optional<std::pair<int, int>> band(const Image& image, const std::vector<OCRLine>& lines, double h);

    // Replaces the page's words on the bar by the letters read there again. Returns how
    // many letters came in; 0 leaves the lines as they were.
    static int reread(std::vector<OCRLine>& lines, const Image& image, const Reader& read);
};

}  // namespace VozudOzev
