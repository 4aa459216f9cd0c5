#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

namespace VozudOzev {

// A right-aligned column (amounts) followed by a left-aligned one (codes, names) may sit
// one blank apart, closer than any column gap: the words then read as one phrase. What
// gives the edge away is the alignment: on row after row the left words end at one x and
// the right words start at one x, while the left words start wherever their width puts them.
struct TouchingColumns {
    // x of each such edge, between the aligned ends and starts; h is the text height.
    static std::vector<double> find(const std::vector<OCRLine>& lines, double h);
};

}  // namespace VozudOzev
