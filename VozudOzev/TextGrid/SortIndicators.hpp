#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

namespace VozudOzev {

// The small triangle a widget draws in the header section of the sorted column comes
// back as a stray character ("7", "w", "”") well to the right of the header's words.
struct SortIndicators {
    // Takes out of the top text row every one-character word at most 0.6 h tall and
    // 1.2 h wide that stands at least 0.8 h after the word before it; h is the median
    // word height. Returns how many it took.
    static int remove(std::vector<OCRLine>& lines, double h);
};

}  // namespace VozudOzev
