#pragma once

#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <vector>

namespace VozudOzev {

// A group header over two columns and a wide sub-header under it overlap where the body
// leaves a gap; read from shared gaps, that overlap stands as a column of its own. A real
// column holds at least one phrase from end to end; one that only the ends of phrases
// reaching into their neighbours touch is part of the gap around it.
struct OverlapColumns {
    // The columns without those that hold no phrase whole, each given to the gap it stood
    // in (its neighbours meet at its middle). h is the text height; removed counts them.
    static std::vector<TextGridEngine::Band> removed(const std::vector<TextGridEngine::Band>& columns,
                                                     const std::vector<TextGridEngine::Row>& rows, double h,
                                                     int& removed);
};

}  // namespace VozudOzev
