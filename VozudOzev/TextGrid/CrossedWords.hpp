#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/TextGrid/MergedCells.hpp"

#include <vector>

namespace VozudOzev {

// A number right-aligned against a grid line and the text left-aligned after it come back as
// one word now and then ("2312023-05-19", "5Tina"). No text crosses a line the grid draws.
struct CrossedWords {
    // Parts each word at every column line drawn across it, between the letters whose
    // widths agree best on both sides of the blank around the line; words taller than one
    // line of text (h its height) are noise and stay. Returns the words parted.
    static int split(std::vector<OCRLine>& lines, const std::vector<double>& columnLines, const MergedCells& grid,
                     double h);
};

}  // namespace VozudOzev
