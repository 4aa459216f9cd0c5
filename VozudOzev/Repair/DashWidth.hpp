#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

// OCR reads a wide free-standing dash as "-" or "–"; its width tells the em dash apart.
namespace VozudOzev::DashWidth {

struct Result {
    std::vector<OCRLine> lines;
    int relabelled = 0;
};

// Free-standing "-" and "–" words at least 0.8 median word heights wide become "—".
// A dash directly before a number is a minus sign and is left alone.
Result relabel(const std::vector<OCRLine>& lines);

}  // namespace VozudOzev::DashWidth
