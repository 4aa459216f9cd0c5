#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Where rows sit close (a zoomed-out sheet), the same letter stroke on row after row ("SKU-",
// a right-aligned last digit) joins the horizontal grid lines between the rows into what a
// line detector takes for a column line. A drawn line runs unbroken from end to end and
// through no word; a stack of strokes is broken between the rows and runs through words.
struct StackedStrokes {
    // The vertical line positions without those that are stacked strokes: lines that run
    // through words on two or more text lines and whose longest unbroken run of pixels off
    // the background is shorter than minRun.
    static std::vector<double> removed(const std::vector<double>& vertical, const Image& image,
                                       const std::vector<OCRLine>& lines, double minRun, int& dropped);
};

}  // namespace VozudOzev
