#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <string>
#include <vector>

// Small builders for synthetic OCR results in image pixels.
namespace TestSupport::OCRBuilders {

VozudOzev::OCRWord word(const std::string& text, double x, double y, double w, double h, double confidence = 0.9);

// A line over the given words: text joined by one blank, box the union, the given
// confidence for the line and every word.
VozudOzev::OCRLine line(std::vector<VozudOzev::OCRWord> words, double confidence = 0.9);

// One line per text, each text one word, laid out left to right at the given x
// positions on one baseline; width = 8 px per byte.
VozudOzev::OCRLine row(const std::vector<std::string>& texts, const std::vector<double>& xs, double y, double h = 10,
                       double confidence = 0.9);

}  // namespace TestSupport::OCRBuilders
