#pragma once

#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <vector>

namespace VozudOzev {

// A short header label set to one side of the values under it ("#" at the left of centred
// row numbers) shares no x with them: read from shared gaps, the label and its values stand
// as two columns, one holding only the label, the other no label at all.
struct LoneHeaderColumns {
    // Each column whose phrases (by their middles) are all in the top row, beside one with
    // none there and phrases in two or more rows below, the label within 3 h of them, joined
    // to that neighbour. h is the text height; joined counts them.
    static std::vector<TextGridEngine::Band> joined(const std::vector<TextGridEngine::Band>& columns,
                                                    const std::vector<TextGridEngine::Row>& rows, double h, int& joined);
};

}  // namespace VozudOzev
