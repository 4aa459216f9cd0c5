#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <string>
#include <vector>

namespace VozudOzev {

// One word as the recogniser read it, in the prepared page's pixels.
struct PageWord {
    std::string text;  // NFC
    BBox box;
    double confidence = 0;  // 0...1
};

// The words of one reading, grouped by text line.
using PageLines = std::vector<std::vector<PageWord>>;

}  // namespace VozudOzev
