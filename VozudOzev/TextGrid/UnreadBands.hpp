#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <utility>
#include <vector>

namespace VozudOzev {

// Pixel rows that carry text the page's reading left out: a widget's grey header labels
// boxed in by their section lines come back empty from a reading of the whole page, and
// read well on their own.
struct UnreadBands {
    int contrast = 40;      // grey difference from the row's most common grey that is ink
    int minChanges = 16;    // ink-to-background changes a row of text makes at least
    size_t maxBands = 3;    // more than this is a picture, not a missed line or two

    // [first, second) pixel rows of each band: rows of text-like ink on a light ground
    // that no word of `lines` covers, at least 40% and at most three times the median word
    // height.
    std::vector<std::pair<int, int>> find(const Image& image, const std::vector<OCRLine>& lines) const;
};

}  // namespace VozudOzev
