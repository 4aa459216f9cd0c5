#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

namespace VozudOzev {

// In monospace text every character takes one pitch, so a space leaves a blank of at least
// a whole pitch between the inks (each ink stays inside its own cell). A narrower blank between two words ("0." "3", "j" "ava",
// "12" ":59") is only the side room of a narrow glyph in its cell, which a reading that
// parts words at wide blanks took for a space.
struct MonospaceWords {
    // The lines with such words joined again; `joined` counts the joins.
    static std::vector<OCRLine> rejoined(const std::vector<OCRLine>& lines, double pitch, int& joined);
};

}  // namespace VozudOzev
