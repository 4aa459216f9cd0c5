#pragma once

#include "VozudOzev/OCR/OCRWord.hpp"

#include <string>
#include <vector>

namespace VozudOzev {

struct OCRLine {
    std::string text;
    BBox bbox;
    double confidence = 0;
    std::vector<OCRWord> words;

    bool operator==(const OCRLine&) const = default;
};

// The line's text made again from its words, one blank apart, after words were changed.
void rejoinWords(OCRLine& line);

void to_json(nlohmann::json& j, const OCRLine& l);
void from_json(const nlohmann::json& j, OCRLine& l);

}  // namespace VozudOzev
