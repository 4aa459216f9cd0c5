#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// A spreadsheet draws its column letters in a bar above the cells, one letter in the middle
// of each column's section and a line between sections. Those lines are where the sheet's
// columns end, whether the sheet shows a grid or not and however it is zoomed.
struct SheetColumnBar {
    // x of the section lines of the column-letter bar at the top of the text; nothing when
    // the top of the text is no such bar. h is the text height.
    static std::vector<double> edges(const Image& image, const std::vector<OCRLine>& lines, double h);
};

}  // namespace VozudOzev
