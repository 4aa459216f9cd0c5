#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// The small triangle a widget draws in the header section of the sorted column comes
// back as a stray character ("7", "w", "”") well to the right of the header's words.
struct SortIndicators {
    // Takes out of the top text row every one-character word at most 0.6 h tall and
    // 1.2 h wide that stands at least 0.8 h after the word before it; h is the median
    // word height. Returns how many it took.
    static int remove(std::vector<OCRLine>& lines, double h);

    // Takes out of the header row (the first row whose words stand in two or more cells,
    // a title above it being one phrase) every one-character word (at most 1.2 h either way) within 1.5 h of a word
    // with letters or a "#" whose ink is one filled triangle or two stacked ones: the drawn
    // sort mark, read as anything ("w", "©", "‡"). Returns how many it took.
    static int removeDrawn(std::vector<OCRLine>& lines, const Image& image, double h);
};

}  // namespace VozudOzev
