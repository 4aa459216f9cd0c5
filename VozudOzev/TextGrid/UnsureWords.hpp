#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// Small bold words on a shaded header bar, between the bar's lines, come back garbled
// ("Best^llungez:", "Abweic*=-->") with little confidence and a box reaching past their
// letters to the lines round them. Read by itself and enlarged, such a word reads right.
struct UnsureWords {
    struct Reading {
        std::string text;
        double confidence = 0;
    };
    // Reads one box of the image again; nothing when nothing is read there.
    using Reader = std::function<std::optional<Reading>(const BBox&)>;

    // Each word with marks among its letters ("^", ":", "*") read with under 0.75
    // confidence in a box at least 1.3 times the median word height h is read again, at
    // most `most` of them, least sure first; the new reading replaces the word when it is
    // surer by 0.1 and shows a letter or digit. Returns how many were replaced.
    static int reread(std::vector<OCRLine>& lines, double h, const Reader& read, int most = 12);
};

}  // namespace VozudOzev
