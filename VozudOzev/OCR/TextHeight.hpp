#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/OCR/OCRWord.hpp"
#include "VozudOzev/OCR/TextSegment.hpp"

#include <vector>

// The height of a page's text: the upper median of its boxes' heights, so that a few
// tall marks or tiny specks do not move it; 0 when there is no text.
namespace VozudOzev::TextHeight {

double median(const std::vector<OCRWord>& words);
// Every word of the lines.
double median(const std::vector<OCRLine>& lines);
double median(const std::vector<TextSegment>& segments);

}  // namespace VozudOzev::TextHeight
