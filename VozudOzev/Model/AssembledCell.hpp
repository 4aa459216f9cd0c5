#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <optional>
#include <string>

namespace VozudOzev {

// A cell while the structure assembler works on it: the predicted geometry plus the text
// of the words placed in it. The repair passes change text, confidence, textBox and grid
// position; box is what image-based passes crop from.
struct AssembledCell {
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    bool header = false;
    std::string text;
    std::optional<double> confidence;
    std::optional<BBox> box;
    std::optional<BBox> textBox;

    bool operator==(const AssembledCell&) const = default;
};

}  // namespace VozudOzev
