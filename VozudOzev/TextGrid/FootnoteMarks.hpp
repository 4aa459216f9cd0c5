#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Footnote marks after a word: a raised small digit ("Revenue²", "64¹") comes back as "?",
// "!", "'" or a plain digit, a dagger ("Götz†") as "t". The ink tells them apart: a
// superscript stands clear of the baseline, a dagger reaches below it.
struct FootnoteMarks {
    // Each word's last character given back as the mark its ink shows; h is the median
    // word height. Returns how many it changed.
    static int apply(std::vector<OCRLine>& lines, const Image& image, double h);
};

}  // namespace VozudOzev
