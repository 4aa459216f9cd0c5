#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <string>

namespace VozudOzev {

// A run of OCR words close enough to read as one phrase; never stored.
struct TextSegment {
    std::string text;
    BBox bbox;
    double confidence = 0;

    bool operator==(const TextSegment&) const = default;
};

}  // namespace VozudOzev
