#pragma once

#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <vector>

namespace VozudOzev {

// Programs that print aligned columns pad every value to its column's width, so no word
// ever reaches over the blank between two columns. Where a word of a row inside the table
// does ("Khuyến mãi" under "Ghi chú" with the gaps of the two at other places), the blank
// was only a word space seen in too few rows: the two columns are one. The word's ink at
// the edge tells a word that truly runs on from two values the reading ran together.
struct MonospaceColumns {
    // The columns with each edge that a word runs over joined; `joined` counts the joins.
    // The first and last rows are left out of the test: a prompt or command line may stand
    // there in a terminal capture.
    static std::vector<TextGridEngine::Band> joinCrossed(const std::vector<TextGridEngine::Band>& columns,
                                                         const std::vector<TextGridEngine::Row>& rows,
                                                         const Image& image, double pitch, int& joined);
};

}  // namespace VozudOzev
