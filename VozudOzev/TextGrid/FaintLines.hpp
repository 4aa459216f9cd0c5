#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <utility>
#include <vector>

namespace VozudOzev {

// Lines drawn in a light grey on a light page (a widget's dimmed header labels): a reading
// of the whole page thresholds them with the dark text and makes other letters of them
// ("Standort" as "STanaort"), while a reading of their own band reads them well.
struct FaintLines {
    int faintInk = 110;  // a line whose darkest ink is at least this light is faint...
    int darkInk = 80;    // ...when most lines of the page have ink darker than this

    // [first, second) pixel rows of each band of faint lines, the lines' own rows with a
    // third of their height around them; overlapping bands are one, and none reaches into
    // a filled bar.
    std::vector<std::pair<int, int>> find(const Image& image, const std::vector<OCRLine>& lines) const;
};

}  // namespace VozudOzev
